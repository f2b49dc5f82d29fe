#include "tools/print_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/app_signals.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

constexpr QSize kClientSize{606, 349};

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QToolButton* styleButton(const char* name, const QString& glyph, const char* hint, QFont font, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(glyph);
    button->setToolTip(QString::fromUtf8(hint));
    button->setFont(font);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(28, 28);
    return button;
}

}  // namespace

PrintWindow::PrintWindow(Prompter& prompter, AppSignals* appSignals, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint), prompter_(prompter) {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Tisk"));
    build();
    if (appSignals != nullptr) {
        applyExpressionFont(appSignals->expressionFont());
        connect(appSignals, &AppSignals::expressionFontChanged, this, &PrintWindow::applyExpressionFont);
    } else {
        applyExpressionFont(font());
    }
    setFixedSize(sizeHint().expandedTo(kClientSize));
}

PrintWindow::~PrintWindow() = default;

void PrintWindow::build() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);

    auto* panel = new QHBoxLayout;
    panel->setSpacing(6);
    auto* printButton = new QPushButton(QStringLiteral("Tisk"), this);
    printButton->setObjectName(QStringLiteral("BitBtn2"));
    printButton->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    printButton->setAutoDefault(false);
    auto* separator = new QPushButton(this);
    separator->setObjectName(QStringLiteral("Button1"));
    separator->setEnabled(false);
    separator->setFixedWidth(6);
    auto* fontButton = new QPushButton(QStringLiteral("Písmo"), this);
    fontButton->setObjectName(QStringLiteral("BitBtn4"));
    fontButton->setAutoDefault(false);

    QFont glyphFont = font();
    glyphFont.setPointSize(11);
    QFont boldGlyph = glyphFont;
    boldGlyph.setBold(true);
    QFont italicGlyph = glyphFont;
    italicGlyph.setItalic(true);
    QFont underlineGlyph = glyphFont;
    underlineGlyph.setUnderline(true);
    QToolButton* bold = styleButton("SpeedButton1", QStringLiteral("B"), "Tučné (Ctrl+B)", boldGlyph, this);
    QToolButton* italic = styleButton("SpeedButton2", QStringLiteral("I"), "Kurzíva", italicGlyph, this);
    QToolButton* underline = styleButton("SpeedButton3", QStringLiteral("U"), "Podtržené", underlineGlyph, this);

    foreign_ = new QCheckBox(QStringLiteral("Cizí překlad"), this);
    foreign_->setObjectName(QStringLiteral("chbang"));
    czech_ = new QCheckBox(QStringLiteral("Český překlad"), this);
    czech_->setObjectName(QStringLiteral("chbcz"));
    pronunciation_ = new QCheckBox(QStringLiteral("Výslovnost"), this);
    pronunciation_->setObjectName(QStringLiteral("chbvyslov"));
    for (QCheckBox* box : {foreign_, czech_, pronunciation_}) box->setChecked(true);

    for (QWidget* widget : std::initializer_list<QWidget*>{printButton, separator, fontButton, bold, italic, underline})
        panel->addWidget(widget);
    panel->addSpacing(12);
    for (QCheckBox* box : {foreign_, czech_, pronunciation_}) panel->addWidget(box);
    panel->addStretch(1);
    layout->addLayout(panel);

    preview_ = new QTextEdit(this);
    preview_->setObjectName(QStringLiteral("RichEdit1"));
    preview_->setAcceptRichText(false);
    preview_->setLineWrapMode(QTextEdit::NoWrap);
    preview_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    preview_->installEventFilter(this);
    layout->addWidget(preview_, 1);

    connect(printButton, &QPushButton::clicked, this, [this] { print(); });
    connect(fontButton, &QPushButton::clicked, this, &PrintWindow::chooseFont);
    connect(bold, &QToolButton::clicked, this, [this] { setSelectionStyle(Style::Bold); });
    connect(italic, &QToolButton::clicked, this, [this] { setSelectionStyle(Style::Italic); });
    connect(underline, &QToolButton::clicked, this, [this] { setSelectionStyle(Style::Underline); });
    connect(czech_, &QCheckBox::clicked, this, [this](bool on) { columnClicked(PrintColumn::Czech, on); });
    connect(foreign_, &QCheckBox::clicked, this, [this](bool on) { columnClicked(PrintColumn::Foreign, on); });
    connect(pronunciation_, &QCheckBox::clicked, this,
            [this](bool on) { columnClicked(PrintColumn::Pronunciation, on); });
}

QCheckBox* PrintWindow::boxOf(PrintColumn column) const {
    switch (column) {
    case PrintColumn::Czech: return czech_;
    case PrintColumn::Foreign: return foreign_;
    case PrintColumn::Pronunciation: break;
    }
    return pronunciation_;
}

void PrintWindow::applyExpressionFont(const QFont& font) {
    baseFont_ = font;
    preview_->document()->setDefaultFont(font);
}

void PrintWindow::openWith(const std::vector<PrintLine>& lines) {
    fill(lines);
    if (!centred_) {
        centred_ = true;
        if (const QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    bringForward(*this);
    preview_->setFocus();
}

void PrintWindow::fill(const std::vector<PrintLine>& lines) {
    preview_->clear();
    preview_->setCurrentCharFormat(QTextCharFormat());
    QTextCursor cursor(preview_->document());
    QTextCharFormat plain;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bool first = true;
    for (const PrintLine& line : lines) {
        if (!first) cursor.insertBlock();
        first = false;
        const QString head = qs(std::string_view(line.text).substr(0, line.boldBytes));
        const QString rest = qs(std::string_view(line.text).substr(line.boldBytes));
        cursor.insertText(head, bold);
        cursor.insertText(rest, plain);
    }
    preview_->moveCursor(QTextCursor::Start);
}

void PrintWindow::rebuild() { fill(printListLines(source_ ? source_() : ExpressionTable{}, choice_.columns())); }

void PrintWindow::columnClicked(PrintColumn column, bool checked) {
    if (!choice_.toggle(column, checked, prompter_)) {
        // Checked again; the list follows the restored choice.
        boxOf(column)->setChecked(true);
    }
    rebuild();
}

QStringList PrintWindow::lines() const {
    QStringList result;
    for (QTextBlock block = preview_->document()->begin(); block.isValid(); block = block.next())
        result.push_back(block.text());
    // An empty preview is no line at all.
    if (result.size() == 1 && result.front().isEmpty()) result.clear();
    return result;
}

bool PrintWindow::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Lexo - Tisk"));
    if (printerChooser_) {
        if (!printerChooser_(printer)) return false;
    } else {
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(QStringLiteral("Tisk"));
        if (dialog.exec() != QDialog::Accepted) return false;
    }
    return printTo(printer);
}

bool PrintWindow::printTo(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        prompter_.error("Tiskárnu se nepodařilo otevřít, nic nebylo vytištěno.");
        return false;
    }
    painter.setFont(QFont(baseFont_, &printer));
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int width = page.width();
    const int height = page.height();
    const int lineHeight = painter.fontMetrics().lineSpacing();
    int y = 0;
    bool ok = true;
    for (const QString& line : lines()) {
        // A line wider than the page wraps rather than being cut off.
        const QRect needed = line.isEmpty()
                                 ? QRect(0, 0, width, lineHeight)
                                 : painter.boundingRect(QRect(0, 0, width, height), Qt::TextWordWrap, line);
        const int h = std::max(needed.height(), lineHeight);
        if (y > 0 && y + h > height) {
            if (!printer.newPage()) {
                ok = false;
                break;
            }
            y = 0;
        }
        if (!line.isEmpty()) painter.drawText(QRect(0, y, width, h), Qt::TextWordWrap, line);
        y += h;
    }
    // The job is closed also when a page could not be started.
    painter.end();
    if (!ok) prompter_.error("Při tisku došlo k chybě, vytištěna byla jen část seznamu.");
    return ok;
}

void PrintWindow::setSelectionStyle(Style style) {
    QTextCharFormat format;
    format.setFontWeight(style == Style::Bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(style == Style::Italic);
    format.setFontUnderline(style == Style::Underline);
    preview_->mergeCurrentCharFormat(format);
    preview_->setFocus();
}

void PrintWindow::chooseFont() {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, preview_->currentCharFormat().font(), this,
                                              QStringLiteral("Písmo"));
    if (!ok) return;
    QTextCharFormat format;
    format.setFont(chosen);
    preview_->mergeCurrentCharFormat(format);
    preview_->setFocus();
}

bool PrintWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == preview_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_B && key->modifiers() == Qt::ControlModifier) {
            setSelectionStyle(Style::Bold);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PrintWindow::closeEvent(QCloseEvent* event) {
    preview_->clear();
    QWidget::closeEvent(event);
    if (returnHandler_) returnHandler_();
}

}  // namespace lexo
