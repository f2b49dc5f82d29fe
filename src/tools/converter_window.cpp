#include "tools/converter_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include "common/app_signals.h"
#include "platform/qt_widgets.h"
#include "tools/tool_file_dialog.h"

namespace lexo {

namespace {

QAction* menuAction(QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QString joinedLines(const std::vector<std::string>& lines) {
    std::string text;
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 1;
    text.reserve(size);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += '\n';
        text += lines[i];
    }
    return QString::fromStdString(text);
}

}  // namespace

ConverterWindow::ConverterWindow(Prompter& prompter, AppSignals* appSignals, QWidget* parent)
    : QMainWindow(parent), session_(prompter) {
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("Převaděč slovníků"));
    setWindowFlags(Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    session_.setSavePathChooser([this] { return chosenPath(choosePath(FileDialog::Save)); });
    session_.setChangeHandler([this](ConverterSession::Box box) { showBox(box); });

    QMenu* lists = menuBar()->addMenu(QStringLiteral("Slovníky"));
    lists->setObjectName(QStringLiteral("Slovnky1"));
    QAction* openCzech = menuAction(lists, "Nastslovnksanglickouslovnzsobou1", "Načíst slovník s Českou slovní zásobou");
    QAction* openForeign =
        menuAction(lists, "NastslovnksAnglickouslovnzsobou2", "Načíst slovník s Anglickou slovní zásobou");
    QAction* convert = menuAction(lists, "Pevstvrazydonovhoslovnku1", "Převést výrazy do nového slovníku");
    QAction* save = menuAction(lists, "Uloitnovslovnk1", "Uložit nový slovník");
    QAction* close = menuBar()->addAction(QStringLiteral("Zavřít"));
    close->setObjectName(QStringLiteral("Zavt1"));

    auto* central = new QWidget(this);
    setCentralWidget(central);
    czechBox_ = makeBox("RichEdit1");
    foreignBox_ = makeBox("RichEdit2");
    resultBox_ = makeBox("Memo1");
    auto* openCzechButton = iconButton("BitBtn2", "Otevřít", QStyle::SP_DialogOpenButton, central);
    auto* openForeignButton = iconButton("BitBtn3", "Otevřít", QStyle::SP_DialogOpenButton, central);
    auto* convertButton = iconButton("BitBtn4", "Převeď", QStyle::SP_ArrowDown, central);
    auto* saveButton = iconButton("BitBtn5", "Ulož", QStyle::SP_DialogSaveButton, central);
    openCzechButton->setToolTip(openCzech->text());
    openForeignButton->setToolTip(openForeign->text());
    convertButton->setToolTip(convert->text());
    saveButton->setToolTip(save->text());

    auto* grid = new QGridLayout(central);
    grid->addWidget(new QLabel(QStringLiteral("České výrazy:"), central), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Cizí výrazy:"), central), 0, 1);
    grid->addWidget(czechBox_, 1, 0);
    grid->addWidget(foreignBox_, 1, 1);
    grid->addWidget(openCzechButton, 2, 0, Qt::AlignLeft);
    grid->addWidget(openForeignButton, 2, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("Nový slovník:"), central), 3, 0, 1, 2);
    grid->addWidget(resultBox_, 4, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(convertButton);
    buttons->addStretch();
    buttons->addWidget(saveButton);
    grid->addLayout(buttons, 5, 0, 1, 2);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(4, 1);

    for (auto [action, push] : {std::pair{openCzech, openCzechButton}, std::pair{openForeign, openForeignButton},
                                std::pair{convert, convertButton}, std::pair{save, saveButton}})
        connect(push, &QPushButton::clicked, action, &QAction::trigger);
    connect(openCzech, &QAction::triggered, this, [this] { openList(FileDialog::OpenCzech); });
    connect(openForeign, &QAction::triggered, this, [this] { openList(FileDialog::OpenForeign); });
    connect(convert, &QAction::triggered, this, [this] { session_.convert(); });
    connect(save, &QAction::triggered, this, [this] { session_.save(); });
    connect(close, &QAction::triggered, this, &QWidget::close);

    if (appSignals) {
        applyExpressionFont(appSignals->expressionFont());
        connect(appSignals, &AppSignals::expressionFontChanged, this, &ConverterWindow::applyExpressionFont);
    }
    resize(523, 367 + menuBar()->sizeHint().height());
}

ConverterWindow::~ConverterWindow() = default;

QPlainTextEdit* ConverterWindow::makeBox(const char* name) {
    auto* box = new QPlainTextEdit(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return box;
}

void ConverterWindow::applyExpressionFont(const QFont& font) {
    for (QPlainTextEdit* box : {czechBox_, foreignBox_, resultBox_}) box->setFont(font);
}

void ConverterWindow::open() {
    centreOnScreen(*this);
    bringForward(*this);
}

void ConverterWindow::openList(FileDialog which) {
    const auto chosen = chosenPath(choosePath(which));
    if (!chosen) return;
    if (which == FileDialog::OpenCzech)
        session_.openCzech(*chosen);
    else
        session_.openForeign(*chosen);
}

void ConverterWindow::showBox(ConverterSession::Box box) {
    QPlainTextEdit* edit = box == ConverterSession::Box::Czech     ? czechBox_
                           : box == ConverterSession::Box::Foreign ? foreignBox_
                                                                   : resultBox_;
    edit->setPlainText(joinedLines(session_.lines(box)));
}

std::optional<QString> ConverterWindow::choosePath(FileDialog which) {
    if (pathChooser_) return pathChooser_(which);
    QStringList filters;
    QString suffix;
    QString title;
    switch (which) {
    case FileDialog::OpenCzech:
        filters << QStringLiteral("Český slovník (*.cz)");
        suffix = QStringLiteral("cz");
        title = QStringLiteral("Načíst slovník s Českou slovní zásobou");
        break;
    case FileDialog::OpenForeign:
        for (const ForeignListFilter& filter : kForeignListFilters)
            filters << QStringLiteral("%1 (*.%2)")
                           .arg(QString::fromUtf8(filter.caption.data(), static_cast<qsizetype>(filter.caption.size())),
                                QString::fromLatin1(filter.extension.data(),
                                                    static_cast<qsizetype>(filter.extension.size())));
        suffix = QStringLiteral("ang");
        title = QStringLiteral("Načíst slovník s Anglickou slovní zásobou");
        break;
    case FileDialog::Save:
        filters << QStringLiteral("Slovníky (*.slv)");
        suffix = QStringLiteral("slv");
        title = QStringLiteral("Uložit nový slovník");
        break;
    }
    return chooseToolFile(this, title, filters, suffix, which == FileDialog::Save, history_);
}

void ConverterWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closeHandler_) closeHandler_();
}

}  // namespace lexo
