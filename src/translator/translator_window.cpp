#include "translator/translator_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include "common/entry_line_edit.h"
#include "common/upper_case_entry.h"
#include "platform/ports.h"
#include "platform/qt_widgets.h"
#include "translator/translator_model.h"

namespace lexo {
namespace {

QString qs(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

constexpr QSize kClientSize(352, 376);
constexpr int kColumnWidth = 164;
constexpr int kRowHeight = 16;

}  // namespace

TranslatorWindow::TranslatorWindow(TranslatorSession& session, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), session_(session), prompter_(prompter) {
    setObjectName(QStringLiteral("Form24"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    model_ = new TranslatorModel(session_, this);
    buildCentral();
    buildMenus();
    session_.open();
    model_->refill();
    showDirection();
    showSelection(TranslatorScroll::IntoView);

    const QSize designed(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());
    setFixedSize(sizeHint().expandedTo(designed));
    centreOnScreen(*this);
}

TranslatorWindow::~TranslatorWindow() { search_->keyHandler = nullptr; }

void TranslatorWindow::buildCentral() {
    auto* central = new QWidget(this);
    auto* layout = new QGridLayout(central);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(4);

    auto* label = new QLabel(QStringLiteral("Název hledaného výrazu:"), central);
    label->setObjectName(QStringLiteral("Label1"));
    search_ = new EntryLineEdit(central);
    search_->setObjectName(QStringLiteral("edthledej"));
    label->setBuddy(search_);
    keepUpperCase(search_, [] { return true; });
    search_->keyHandler = [this](QKeyEvent* event) {
        if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return false;
        searchExactly();
        search_->selectAll();
        return true;
    };
    search_->installEventFilter(this);

    const auto flatButton = [central](const char* name, const char* hint, QStyle::StandardPixmap icon) {
        auto* button = new QToolButton(central);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(QString::fromUtf8(hint));
        button->setIcon(central->style()->standardIcon(icon));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    QToolButton* find = flatButton("SpeedButton1", "Vyhledat výraz", QStyle::SP_FileDialogContentsView);
    QToolButton* swap = flatButton("SpeedButton2", "Převrátit vyhledávaní (CZ->ANJ, ANJ->CZ)", QStyle::SP_BrowserReload);
    QToolButton* copy = flatButton("SpeedButton3", "Výraz kopírovat do schránky", QStyle::SP_DialogSaveButton);
    QPushButton* close = iconButton("BitBtn1", "Zavřít", QStyle::SP_DialogCloseButton, central);
    close->setFocusPolicy(Qt::NoFocus);

    table_ = new QTableView(central);
    table_->setObjectName(QStringLiteral("StringGrid1"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setWordWrap(false);
    table_->setMouseTracking(true);
    table_->verticalHeader()->hide();
    // A fixed row height lets the view place a million rows without measuring them.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(std::max(kRowHeight, fontMetrics().height() + 2));
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    table_->horizontalHeader()->setHighlightSections(false);
    // The title row in sky blue.
    table_->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: #A6CAF0; border: 1px solid #7F9DB9; padding: 1px 3px; }"));
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!showingSelection_ && current.isValid()) session_.select(static_cast<std::size_t>(current.row()));
            });

    layout->addWidget(label, 0, 0, 1, 4);
    layout->addWidget(close, 0, 4, 2, 1, Qt::AlignTop | Qt::AlignRight);
    layout->addWidget(search_, 1, 0);
    layout->addWidget(find, 1, 1);
    layout->addWidget(copy, 1, 2);
    layout->addWidget(swap, 1, 3);
    layout->addWidget(table_, 2, 0, 1, 5);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(2, 1);
    setCentralWidget(central);

    connect(find, &QToolButton::clicked, this, &TranslatorWindow::searchExactly);
    connect(copy, &QToolButton::clicked, this, &TranslatorWindow::copyTranslation);
    connect(swap, &QToolButton::clicked, this, &TranslatorWindow::swapDirection);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void TranslatorWindow::buildMenus() {
    const auto action = [this](QMenu* menu, const char* name, const char* text, Qt::Key key) {
        auto* result = new QAction(QString::fromUtf8(text), this);
        result->setObjectName(QString::fromLatin1(name));
        if (key != Qt::Key_unknown) result->setShortcut(QKeySequence(key));
        menu->addAction(result);
        return result;
    };
    QMenu* search = menuBar()->addMenu(QStringLiteral("Hledání"));
    search->setObjectName(QStringLiteral("Hledn1"));
    QAction* find = action(search, "Hledej1", "Hledej", Qt::Key_F1);
    QAction* copy = action(search, "Koprujdoschrnky1", "Nalezené zkopíruj do schránky", Qt::Key_F2);
    search->addSeparator();
    czechToForeign_ = action(search, "ZCZdoANj1", "Z CZ do ANJ", Qt::Key_F3);
    foreignToCzech_ = action(search, "ZANJdoCZ1", "Z ANJ do CZ", Qt::Key_F4);
    search->addSeparator();
    instant_ = action(search, "Auto1", "Hledej okamžitě", Qt::Key_F5);
    search->addSeparator();
    QAction* close = action(search, "Konec1", "Zavřít", Qt::Key_unknown);
    for (QAction* checkable : {czechToForeign_, foreignToCzech_, instant_}) checkable->setCheckable(true);

    QMenu* dictionary = menuBar()->addMenu(QStringLiteral("Slovník"));
    dictionary->setObjectName(QStringLiteral("Slovnk1"));
    QAction* english = action(dictionary, "Anglick1", "Anglický", Qt::Key_unknown);
    english->setCheckable(true);
    english->setChecked(true);
    // The only word list: choosing it again keeps it chosen.
    connect(english, &QAction::triggered, english, [english] { english->setChecked(true); });

    QAction* info = menuBar()->addAction(QStringLiteral("Info"));
    info->setObjectName(QStringLiteral("Info1"));

    connect(find, &QAction::triggered, this, [this] {
        searchExactly();
    });
    connect(copy, &QAction::triggered, this, &TranslatorWindow::copyTranslation);
    // Either direction item swaps, whichever direction it names.
    connect(czechToForeign_, &QAction::triggered, this, &TranslatorWindow::swapDirection);
    connect(foreignToCzech_, &QAction::triggered, this, &TranslatorWindow::swapDirection);
    connect(instant_, &QAction::triggered, this, &TranslatorWindow::toggleInstantSearch);
    connect(info, &QAction::triggered, this, &TranslatorWindow::showInfo);
    connect(close, &QAction::triggered, this, &QWidget::close);
}

void TranslatorWindow::reload() {
    session_.open();
    model_->refill();
    showDirection();
    showSelection(TranslatorScroll::IntoView);
}

void TranslatorWindow::showDirection() {
    setWindowTitle(qs(session_.caption()));
    const bool czechFirst = session_.direction() == TranslatorDirection::CzechToForeign;
    czechToForeign_->setChecked(czechFirst);
    foreignToCzech_->setChecked(!czechFirst);
    instant_->setChecked(session_.instantSearch());
}

void TranslatorWindow::showSelection(TranslatorScroll scroll) {
    const auto selected = session_.selected();
    if (!selected) return;
    const QModelIndex index = model_->index(static_cast<int>(*selected), 0);
    showingSelection_ = true;
    table_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    showingSelection_ = false;
    if (scroll == TranslatorScroll::ToTop)
        table_->scrollTo(index, QAbstractItemView::PositionAtTop);
    else if (scroll == TranslatorScroll::IntoView)
        table_->scrollTo(index, QAbstractItemView::EnsureVisible);
}

void TranslatorWindow::searchExactly() {
    const TranslatorScroll scroll = session_.searchExactly(search_->text().toStdString());
    if (scroll == TranslatorScroll::None) return;
    showSelection(scroll);
    search_->selectAll();
}

void TranslatorWindow::copyTranslation() {
    if (session_.selected()) QApplication::clipboard()->setText(qs(session_.selectedTranslation()));
    search_->selectAll();
}

void TranslatorWindow::swapDirection() {
    search_->selectAll();
    const TranslatorScroll scroll = session_.swapDirection();
    model_->refill();
    showDirection();
    showSelection(scroll);
}

void TranslatorWindow::toggleInstantSearch() {
    session_.toggleInstantSearch();
    instant_->setChecked(session_.instantSearch());
}

void TranslatorWindow::showInfo() { prompter_.information(session_.infoText()); }

bool TranslatorWindow::eventFilter(QObject* watched, QEvent* event) {
    // Only a key that changed the text searches: the release of F3 after a swap must not
    // search the other direction for the old text and lose the reverse entry.
    if (watched == search_ && event->type() == QEvent::KeyRelease && session_.instantSearch() &&
        search_->text() != searchedText_) {
        searchedText_ = search_->text();
        showSelection(session_.searchIncrementally(searchedText_.toStdString()));
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TranslatorWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) search_->setFocus();
    return QMainWindow::event(event);
}

void TranslatorWindow::closeEvent(QCloseEvent* event) {
    session_.close();
    QMainWindow::closeEvent(event);
}

}  // namespace lexo
