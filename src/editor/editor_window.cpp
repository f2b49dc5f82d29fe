#include "editor/editor_window.h"

#include <algorithm>

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/app_signals.h"
#include "common/program_context.h"
#include "common/general_settings.h"
#include "dictionary/recent_files_menu.h"
#include "editor/edit_dialog.h"
#include "common/entry_line_edit.h"
#include "common/upper_case_entry.h"
#include "editor/editor_model.h"

namespace lexo {
namespace fs = std::filesystem;

namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
QString qs(const char* text) { return QString::fromUtf8(text); }

constexpr int kListRowHeight = 16;
constexpr int kColumnWidths[4] = {111, 127, 114, 100};

// Stands in when the program has no sound output at all.
class SilentSoundPlayer final : public SoundPlayer {
public:
    bool play(const std::string&) override { return false; }
    void stop() override {}
    bool check(const std::string&) override { return false; }
};

SoundPlayer& playerOf(AppContext& context) {
    static SilentSoundPlayer silent;
    return context.soundPlayer != nullptr ? *context.soundPlayer : silent;
}

// Small drawn icons for the expression commands, which have no standard ones.
QIcon drawnIcon(const QColor& colour, int shape) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (shape) {
    case 0:  // add
        painter.drawLine(16, 5, 16, 27);
        painter.drawLine(5, 16, 27, 16);
        break;
    case 1:  // remove
        painter.drawLine(5, 16, 27, 16);
        break;
    default: {  // change: a pencil
        QPainterPath pencil;
        pencil.moveTo(7, 25);
        pencil.lineTo(9, 18);
        pencil.lineTo(22, 5);
        pencil.lineTo(27, 10);
        pencil.lineTo(14, 23);
        pencil.closeSubpath();
        painter.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(pencil);
        painter.drawLine(9, 18, 14, 23);
        break;
    }
    }
    return QIcon(pixmap);
}

}  // namespace

EditorWindow::EditorWindow(AppContext& context, RecordingSession& recording, Timers& timers, QWidget* parent)
    : QMainWindow(parent), context_(context), prompter_(*context.prompter), session_(*context.prompter) {
    setObjectName(QStringLiteral("Form2"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(10, 8, 10, 6);
    layout->setSpacing(6);
    buildEntryArea(central);
    buildList(central);
    setCentralWidget(central);

    model_ = new EditorModel(session_, this);
    list_->setModel(model_);
    fitColumns();
    connect(model_, &EditorModel::revealRequested, this, &EditorWindow::reveal);
    // The list always has a current row once it has rows: Delete and Change act on it.
    const auto keepCurrentRow = [this] {
        if (model_->rowCount() > 0 && !list_->currentIndex().isValid())
            list_->setCurrentIndex(model_->index(0, static_cast<int>(lastClickedColumn_)));
    };
    connect(model_, &QAbstractItemModel::rowsInserted, this, keepCurrentRow);
    connect(model_, &QAbstractItemModel::modelReset, this, keepCurrentRow);
    connect(list_, &QTableView::pressed, this,
            [this](const QModelIndex& index) { lastClickedColumn_ = static_cast<Field>(index.column()); });
    connect(list_, &QTableView::doubleClicked, this, [this](const QModelIndex&) { changeExpression(); });

    buildMenusAndToolBar();
    buildStatusBar();

    editDialog_ = new EditDialog(session_, recording, playerOf(context_), prompter_, timers, context_.general, this);
    connect(editDialog_, &EditDialog::returnedToEditor, this, [this] {
        activateWindow();
        foreignEdit_->setFocus();
    });

    RecentFilesSettings recent = recentFilesSettings(RecentList::Editor);
    recent.fileMenu = recentMenu_;
    recentFiles_ = new RecentFilesMenu(this, recent, prompter_, QString::fromStdString(context_.programFolder.string()));
    recentFiles_->setOpenHandler([this](const QString& path) {
        const bool opened = session_.open(path.toStdString());
        // The dialog's expression belonged to the dictionary just left.
        if (opened) editDialog_->cancel();
        refresh();
        return opened;
    });
    recentFiles_->setLeaveCheck([this] { return confirmLeave(); });

    session_.setSavePathChooser([this](const std::string& name) { return chooseSavePath(name); });

    // The boxes show the stored options and their controls follow them from the start: an
    // unticked box with a usable edit would send Enter through fields the user turned off.
    if (context_.settings) {
        const EditorOptions options = loadEditorOptions(*context_.settings, kVersionString);
        pronunciationBox_->setChecked(options.pronunciation);
        soundBox_->setChecked(options.spokenPronunciation);
    }
    enablePronunciation(pronunciationBox_->isChecked());
    enableSound(soundBox_->isChecked());

    if (context_.appSignals != nullptr) {
        applyExpressionFont(context_.appSignals->expressionFont());
        connect(context_.appSignals, &AppSignals::expressionFontChanged, this, &EditorWindow::applyExpressionFont);
    }

    resetEntries();
    refresh();
    resize(600, 640);
}

EditorWindow::~EditorWindow() {
    // The children outlive this class's members: nothing of theirs may call back into
    // the session or this window while they are torn down.
    for (EntryLineEdit* edit : {foreignEdit_, czechEdit_, pronunciationEdit_, soundEdit_}) {
        edit->keyHandler = nullptr;
        edit->focusInHandler = nullptr;
        edit->focusOutHandler = nullptr;
    }
    delete editDialog_;
    delete model_;
}

void EditorWindow::buildEntryArea(QWidget* central) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(5);

    const auto makeEdit = [&](const char* name, const char* hint) {
        auto* edit = new EntryLineEdit(central);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setToolTip(qs(hint));
        edit->setStatusTip(edit->toolTip());
        return edit;
    };
    foreignEdit_ = makeEdit("edtang",
                            "Zde vkládejte anglický výraz  - Má-li výraz více významů oddělujte je známenkem + "
                            "(mezi výrazy nedělejte mezeru)");
    czechEdit_ = makeEdit("edtcz",
                          "Zde vkládejte český překlad anglického výrazu oddělujte je známenkem + (mezi výrazy "
                          "nedělejte mezeru)");
    pronunciationEdit_ = makeEdit("edtvyslovnost", "Zde vkládejte anglickou výslovnost ");
    soundEdit_ = makeEdit("edtzvuk", "Adresa k souboru, kde je uložena mluvená výslovnost");
    soundEdit_->setReadOnly(true);
    soundEdit_->setFocusPolicy(Qt::ClickFocus);
    keepUpperCase(foreignEdit_, [this] { return session_.upperCaseFor(EntryField::Foreign, context_.general.upperCaseEntry); });
    keepUpperCase(czechEdit_, [this] { return session_.upperCaseFor(EntryField::Czech, context_.general.upperCaseEntry); });
    keepUpperCase(pronunciationEdit_, [this] {
        return session_.upperCaseFor(EntryField::Pronunciation, context_.general.upperCaseEntry);
    });

    auto* foreignLabel = new QLabel(QStringLiteral("Cizí výraz:"), central);
    foreignLabel->setObjectName(QStringLiteral("Label1"));
    foreignLabel->setBuddy(foreignEdit_);
    auto* czechLabel = new QLabel(QStringLiteral("Český výraz:"), central);
    czechLabel->setObjectName(QStringLiteral("Label2"));
    czechLabel->setBuddy(czechEdit_);
    pronunciationBox_ = new QCheckBox(QStringLiteral("Cizojazyčná výslovnost:"), central);
    pronunciationBox_->setObjectName(QStringLiteral("CheckBox1"));
    soundBox_ = new QCheckBox(QStringLiteral("Mluvená výslovnost:"), central);
    soundBox_->setObjectName(QStringLiteral("CheckBox2"));

    soundButton_ = new QPushButton(QStringLiteral("Zvuk…"), central);
    soundButton_->setObjectName(QStringLiteral("btpridejzvuk"));
    soundButton_->setToolTip(QStringLiteral("Načíst zvuk ze souboru, nebo nahrát přes mikrofon"));
    soundButton_->setStatusTip(soundButton_->toolTip());
    soundButton_->installEventFilter(this);

    grid->addWidget(foreignLabel, 0, 0);
    grid->addWidget(foreignEdit_, 0, 1, 1, 2);
    grid->addWidget(czechLabel, 1, 0);
    grid->addWidget(czechEdit_, 1, 1, 1, 2);
    grid->addWidget(pronunciationBox_, 2, 0);
    grid->addWidget(pronunciationEdit_, 2, 1);
    auto* legendButton = new QToolButton(central);
    legendButton->setObjectName(QStringLiteral("btinfo"));
    legendButton->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    legendButton->setToolTip(QStringLiteral("Vysvětlivky ke znakům výslovnosti"));
    legendButton->setStatusTip(legendButton->toolTip());
    legendButton->setFocusPolicy(Qt::NoFocus);
    connect(legendButton, &QToolButton::clicked, this, [this] {
        if (legendToggler_) legendToggler_();
    });
    grid->addWidget(legendButton, 2, 2);
    grid->addWidget(soundBox_, 3, 0);
    grid->addWidget(soundEdit_, 3, 1);
    grid->addWidget(soundButton_, 3, 2);
    grid->setColumnStretch(1, 1);
    static_cast<QVBoxLayout*>(central->layout())->addLayout(grid);

    // Enter walks this order too, skipping whatever is disabled.
    setTabOrder(foreignEdit_, czechEdit_);
    setTabOrder(czechEdit_, pronunciationEdit_);
    // The sound edit takes no Tab, but Enter in it (after a click) goes on to its button.
    setTabOrder(pronunciationEdit_, soundEdit_);
    setTabOrder(soundEdit_, soundButton_);
    setTabOrder(soundButton_, pronunciationBox_);
    setTabOrder(pronunciationBox_, soundBox_);

    connect(pronunciationBox_, &QCheckBox::clicked, this, &EditorWindow::pronunciationBoxClicked);
    connect(soundBox_, &QCheckBox::clicked, this, &EditorWindow::soundBoxClicked);
    connect(soundButton_, &QPushButton::clicked, this, &EditorWindow::soundButtonClicked);
    connectEntryEdits();
}

void EditorWindow::buildList(QWidget* central) {
    auto* caption = new QLabel(QStringLiteral("Seznam výrazů vložených ve slovníku:"), central);
    caption->setObjectName(QStringLiteral("Label5"));
    list_ = new QTableView(central);
    list_->setObjectName(QStringLiteral("stg"));
    caption->setBuddy(list_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list_->setWordWrap(false);
    list_->setCornerButtonEnabled(false);
    list_->setMouseTracking(true);  // cell hints follow the pointer
    list_->verticalHeader()->hide();
    // Fixed row heights keep a million rows as cheap as ten.
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->verticalHeader()->setMinimumSectionSize(kListRowHeight);
    list_->verticalHeader()->setDefaultSectionSize(kListRowHeight);
    list_->horizontalHeader()->setHighlightSections(false);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->horizontalHeader()->setSectionsClickable(false);
    list_->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: #A6CAF0; border: none;"
                       " border-right: 1px solid #7f9db9; border-bottom: 1px solid #7f9db9; padding: 1px 4px; }"));
    auto* layout = static_cast<QVBoxLayout*>(central->layout());
    layout->addSpacing(4);
    layout->addWidget(caption);
    layout->addWidget(list_, 1);
    setTabOrder(soundBox_, list_);
}

void EditorWindow::buildMenusAndToolBar() {
    const auto makeAction = [this](QMenu* menu, const char* name, const char* text, const QKeySequence& key,
                                   const char* hint = nullptr) {
        auto* action = new QAction(qs(text), this);
        action->setObjectName(QString::fromLatin1(name));
        if (!key.isEmpty()) action->setShortcut(key);
        if (hint != nullptr) {
            action->setToolTip(qs(hint));
            action->setStatusTip(qs(hint));
        }
        menu->addAction(action);
        return action;
    };

    QMenu* dictionary = menuBar()->addMenu(QStringLiteral("Slovník"));
    dictionary->setObjectName(QStringLiteral("Slovnk1"));
    QAction* newAction = makeAction(dictionary, "Nov1", "Nový", QKeySequence(Qt::CTRL | Qt::Key_N), "Nový slovník");
    QAction* openAction =
        makeAction(dictionary, "Otevt1", "Otevřít", QKeySequence(Qt::CTRL | Qt::Key_O), "Otevřít slovník");
    const RecentFilesSettings recent = recentFilesSettings(RecentList::Editor);
    recentMenu_ = dictionary->addMenu(recent.menuTitle);
    recentMenu_->setObjectName(recent.menuObjectName);
    QAction* saveAction =
        makeAction(dictionary, "Uloit1", "Uložit", QKeySequence(Qt::CTRL | Qt::Key_S), "Uložit slovník");
    QAction* saveAsAction = makeAction(dictionary, "Uloitjako1", "Uložit jako", {});
    dictionary->addSeparator();
    convertAction_ = makeAction(dictionary, "Pevst1", "Převést", QKeySequence(Qt::Key_F9));
    mergeAction_ = makeAction(dictionary, "Slouit1", "Sloučit", QKeySequence(Qt::Key_F8));
    convertAction_->setEnabled(false);
    mergeAction_->setEnabled(false);
    dictionary->addSeparator();
    QAction* closeAction = makeAction(dictionary, "Zavt1", "Zavřít", QKeySequence(Qt::Key_F10));

    QMenu* expression = menuBar()->addMenu(QStringLiteral("Výraz"));
    expression->setObjectName(QStringLiteral("Vraz1"));
    QAction* addAction = makeAction(expression, "Pidej1", "Přidej", {}, "Přidat výraz do slovníku");
    QAction* deleteAction = makeAction(expression, "Uber1", "Uber", {}, "Odebrat výraz ze slovníku");
    QAction* changeAction = makeAction(expression, "Uprav1", "Uprav", {}, "Upravit výraz");

    QMenu* search = menuBar()->addMenu(QStringLiteral("Najdi"));
    search->setObjectName(QStringLiteral("Najdi1"));
    QAction* findForeign = makeAction(search, "Cizojazynvraz1", "Cizojazyčný výraz", QKeySequence(Qt::Key_F3));
    QAction* findCzech = makeAction(search, "eskvraz1", "Český výraz", QKeySequence(Qt::Key_F4));
    QAction* findSound = makeAction(search, "Cizojazynouvslovnost1", "Cizojazyčnou výslovnost", QKeySequence(Qt::Key_F5));

    connect(newAction, &QAction::triggered, this, &EditorWindow::newDictionary);
    connect(openAction, &QAction::triggered, this, &EditorWindow::openDictionary);
    connect(saveAction, &QAction::triggered, this, &EditorWindow::save);
    connect(saveAsAction, &QAction::triggered, this, &EditorWindow::saveAs);
    connect(convertAction_, &QAction::triggered, this, [this] {
        if (convertHandler_) convertHandler_();
    });
    connect(mergeAction_, &QAction::triggered, this, [this] {
        if (mergeHandler_) mergeHandler_();
    });
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    connect(addAction, &QAction::triggered, this, &EditorWindow::addExpression);
    connect(deleteAction, &QAction::triggered, this, &EditorWindow::deleteExpression);
    connect(changeAction, &QAction::triggered, this, &EditorWindow::changeExpression);
    connect(findForeign, &QAction::triggered, this, [this] { find(Field::Foreign); });
    connect(findCzech, &QAction::triggered, this, [this] { find(Field::Czech); });
    // The third search looks at the sound column, whatever its caption says.
    connect(findSound, &QAction::triggered, this, [this] { find(Field::Sound); });

    auto* toolBar = addToolBar(QStringLiteral("Nástroje"));
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setMovable(false);
    toolBar->setIconSize(QSize(20, 20));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto addButton = [&](const char* name, QAction* action, const char* text, const QIcon& icon) {
        // The tool buttons carry their own short captions; the menu keeps the items' names.
        auto* proxy = new QAction(icon, qs(text), this);
        proxy->setToolTip(action->toolTip());
        proxy->setStatusTip(action->statusTip());
        connect(proxy, &QAction::triggered, action, &QAction::trigger);
        auto* button = new QToolButton(toolBar);
        button->setObjectName(QString::fromLatin1(name));
        button->setDefaultAction(proxy);
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        toolBar->addWidget(button);
    };
    QStyle* look = style();
    addButton("btnew", newAction, "Nový", look->standardIcon(QStyle::SP_FileIcon));
    addButton("btopen", openAction, "Otevřít", look->standardIcon(QStyle::SP_DirOpenIcon));
    addButton("btsave", saveAction, "Uložit", look->standardIcon(QStyle::SP_DialogSaveButton));
    toolBar->addSeparator();
    addButton("btadd", addAction, "Přidat", drawnIcon(QColor(0, 128, 0), 0));
    addButton("btdel", deleteAction, "Odebrat", drawnIcon(QColor(192, 0, 0), 1));
    addButton("btchange", changeAction, "Upravit", drawnIcon(QColor(40, 70, 160), 2));
}

void EditorWindow::buildStatusBar() {
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    countPanel_ = new QLabel(bar);
    countPanel_->setObjectName(QStringLiteral("StatusPanel0"));
    countPanel_->setMinimumWidth(200);
    hintPanel_ = new QLabel(bar);
    hintPanel_->setObjectName(QStringLiteral("StatusPanel1"));
    hintPanel_->setMinimumWidth(1);
    bar->addWidget(countPanel_);
    bar->addWidget(hintPanel_, 1);
    setStatusBar(bar);
}

void EditorWindow::connectEntryEdits() {
    const std::pair<EntryLineEdit*, EntryField> edits[] = {{foreignEdit_, EntryField::Foreign},
                                                           {czechEdit_, EntryField::Czech},
                                                           {pronunciationEdit_, EntryField::Pronunciation},
                                                           {soundEdit_, EntryField::Sound}};
    for (const auto& [edit, field] : edits) {
        edit->keyHandler = [this, edit = edit, field = field](QKeyEvent* event) { return entryKey(field, edit, event); };
        edit->focusOutHandler = [this, edit = edit, field = field](QFocusEvent* event) {
            entryLeft(field, edit, event);
        };
    }
    // Typing into the pronunciation starts between "[" and "]", also after a click.
    pronunciationEdit_->focusInHandler = [this](QFocusEvent*) {
        QTimer::singleShot(0, pronunciationEdit_, [edit = pronunciationEdit_] {
            if (!edit->hasFocus()) return;
            edit->deselect();
            edit->setCursorPosition(std::min<int>(1, static_cast<int>(edit->text().size())));
        });
    };
}

bool EditorWindow::entryKey(EntryField field, EntryLineEdit* edit, QKeyEvent* event) {
    if (field == EntryField::Foreign) {
        pronunciationEdit_->deselect();
        pronunciationEdit_->setCursorPosition(std::min<int>(1, static_cast<int>(pronunciationEdit_->text().size())));
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        const EnterAction action = session_.pressEnter(field, pronunciationEdit_->isEnabled(), soundEdit_->isEnabled(),
                                                       context_.general.upperCaseEntry);
        if (action == EnterAction::Add)
            addExpression();
        else
            focusNextChild();
        return true;
    }
    if (field == EntryField::Sound) return false;  // read-only: nothing is typed there
    const QString typed = typedText(event);
    if (typed.isEmpty()) return false;
    // Capitals come from keepUpperCase, for pasted text as well as typed.
    const QString text = qs(typedEntryText(field, typed.toStdString()));
    if (text == typed) return false;
    edit->insert(text);
    return true;
}

void EditorWindow::entryLeft(EntryField field, EntryLineEdit* edit, QFocusEvent* event) {
    if (field == EntryField::Pronunciation) {
        const QString text = qs(pronunciationAfterLeaving(edit->text().toStdString()));
        if (text != edit->text()) edit->setText(text);
        return;
    }
    if (field == EntryField::Sound) return;
    // A message box or a menu taking the focus is not the user leaving the edit.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
    if (checkingAlternatives_ || edit->text().isEmpty()) return;
    // The warning waits until the focus change is over: a modal box inside it would fight it.
    checkingAlternatives_ = true;
    QTimer::singleShot(0, this, [this, edit] {
        if (!session_.acceptLeaving(edit->text().toStdString())) edit->setFocus();
        checkingAlternatives_ = false;
    });
}

void EditorWindow::pronunciationBoxClicked(bool checked) {
    enablePronunciation(checked);
    foreignEdit_->setFocus();
}

void EditorWindow::soundBoxClicked(bool checked) {
    enableSound(checked);
    foreignEdit_->setFocus();
}

void EditorWindow::enablePronunciation(bool checked) {
    pronunciationEdit_->setEnabled(checked);
    pronunciationEdit_->setFocusPolicy(checked ? Qt::StrongFocus : Qt::NoFocus);
}

void EditorWindow::enableSound(bool checked) {
    soundButton_->setEnabled(checked);
    soundButton_->setFocusPolicy(checked ? Qt::StrongFocus : Qt::NoFocus);
    soundEdit_->setEnabled(checked);
    soundEdit_->setReadOnly(true);
    QPalette palette = soundEdit_->palette();
    const QColor base = checked ? QColor(Qt::white) : palette.color(QPalette::Button);
    palette.setColor(QPalette::Active, QPalette::Base, base);
    palette.setColor(QPalette::Inactive, QPalette::Base, base);
    palette.setColor(QPalette::Disabled, QPalette::Base, base);
    soundEdit_->setPalette(palette);
}

void EditorWindow::soundButtonClicked() {
    if (!canOpenSoundWindow(foreignEdit_->text().toStdString(), czechEdit_->text().toStdString(),
                            soundEdit_->text().toStdString()))
        return;
    if (soundWindowOpener_) soundWindowOpener_(foreignText());
}

void EditorWindow::resetEntries() {
    foreignEdit_->clear();
    czechEdit_->clear();
    pronunciationEdit_->setText(qs(kNoPronunciation));
    soundEdit_->setText(qs(kNoSound));
}

void EditorWindow::refresh() {
    setWindowTitle(qs(session_.caption()));
    countPanel_->setText(qs(session_.countText()));
}

void EditorWindow::reveal(int row, EditorSession::Observer::Reveal how) {
    using Reveal = EditorSession::Observer::Reveal;
    if (how == Reveal::Top) {
        list_->scrollToTop();
        return;
    }
    const QModelIndex index = model_->index(row, 0);
    list_->scrollTo(index, how == Reveal::AtTop ? QAbstractItemView::PositionAtTop : QAbstractItemView::EnsureVisible);
}

std::size_t EditorWindow::currentRow() const {
    const QModelIndex current = list_->currentIndex();
    return current.isValid() ? static_cast<std::size_t>(current.row()) : 0;
}

void EditorWindow::setSavePathChooser(SavePathChooser chooser) { savePathChooser_ = std::move(chooser); }
void EditorWindow::setTextAsker(TextAsker asker) { textAsker_ = std::move(asker); }

void EditorWindow::setSoundWindowOpener(std::function<void(const std::string&)> opener) {
    soundWindowOpener_ = std::move(opener);
}

void EditorWindow::setLegendToggler(std::function<void()> toggler) { legendToggler_ = std::move(toggler); }

void EditorWindow::setSoundPath(const std::string& path) { soundEdit_->setText(qs(path)); }

void EditorWindow::addWithSound(const std::string& path) {
    setSoundPath(path);
    addExpression();
}

std::string EditorWindow::foreignText() const { return foreignEdit_->text().toStdString(); }

void EditorWindow::setConvertHandler(std::function<void()> handler) {
    convertHandler_ = std::move(handler);
    convertAction_->setEnabled(static_cast<bool>(convertHandler_));
}

void EditorWindow::setMergeHandler(std::function<void()> handler) {
    mergeHandler_ = std::move(handler);
    mergeAction_->setEnabled(static_cast<bool>(mergeHandler_));
}

bool EditorWindow::confirmLeave() {
    const bool leave = session_.confirmLeave();
    refresh();
    return leave;
}

void EditorWindow::newDictionary() {
    if (session_.newDictionary()) {
        editDialog_->cancel();
        resetEntries();
        foreignEdit_->setFocus();
    }
    refresh();
}

bool EditorWindow::openDictionary() {
    const bool opened = recentFiles_->open();
    refresh();
    return opened;
}

bool EditorWindow::save() {
    const bool saved = session_.save();
    refresh();
    return saved;
}

bool EditorWindow::saveAs() {
    const bool saved = session_.saveAs();
    refresh();
    return saved;
}

void EditorWindow::addExpression() {
    const Expression entered{foreignEdit_->text().toStdString(), czechEdit_->text().toStdString(),
                             pronunciationEdit_->text().toStdString(), soundEdit_->text().toStdString()};
    if (session_.add(entered)) {
        foreignEdit_->clear();
        czechEdit_->clear();
        pronunciationEdit_->setText(qs(kNoPronunciation));
        soundEdit_->setText(qs(kNoSound));
        refresh();
    }
    foreignEdit_->setFocus();
}

void EditorWindow::deleteExpression() {
    if (session_.size() == 0) return;
    const bool editing = session_.editingRow().has_value();
    if (!session_.remove(currentRow())) return;
    // The dialog's expression is gone: it must not write into its neighbour.
    if (editing && !session_.editingRow()) editDialog_->cancel();
    refresh();
}

void EditorWindow::changeExpression() {
    if (session_.size() == 0) return;
    editDialog_->openFor(currentRow(), lastClickedColumn_);
}

void EditorWindow::find(Field column) {
    std::optional<QString> answer;
    if (textAsker_) {
        answer = textAsker_(qs(kSearchTitle), qs(kSearchPrompt));
    } else {
        bool ok = false;
        const QString text = QInputDialog::getText(this, qs(kSearchTitle), qs(kSearchPrompt), QLineEdit::Normal, {}, &ok);
        if (ok) answer = text;
    }
    if (!answer || answer->isEmpty()) return;
    session_.find(column, answer->toStdString());
}

void EditorWindow::applyExpressionFont(const QFont& font) {
    for (QLineEdit* edit : {foreignEdit_, czechEdit_, pronunciationEdit_, soundEdit_}) edit->setFont(font);
    list_->setFont(font);
    // Sixteen pixels a row, unless the font needs more to stay readable.
    const int height = std::max(kListRowHeight, QFontMetrics(font).height() + 2);
    list_->verticalHeader()->setMinimumSectionSize(height);
    list_->verticalHeader()->setDefaultSectionSize(height);
    editDialog_->applyExpressionFont(font);
    fitColumns();
}

void EditorWindow::fitColumns() {
    if (model_ == nullptr) return;
    // The usual widths, but never so narrow that a caption is cut.
    const QFontMetrics metrics(list_->horizontalHeader()->font());
    for (int column = 0; column < 4; ++column) {
        const int caption = metrics.horizontalAdvance(model_->headerData(column, Qt::Horizontal).toString()) + 14;
        list_->setColumnWidth(column, std::max(kColumnWidths[column], caption));
    }
}

std::optional<fs::path> EditorWindow::chooseSavePath(const std::string& suggestedName) {
    const QString chosen = savePathChooser_ ? savePathChooser_(qs(suggestedName)) : saveWithDialog(qs(suggestedName));
    if (chosen.isEmpty()) return std::nullopt;
    return fs::path(chosen.toStdString());
}

QString EditorWindow::saveWithDialog(const QString& suggestedName) {
    QString folder = qs(session_.folder().string());
    if (folder.isEmpty() && !recentFiles_->entries().isEmpty())
        folder = QFileInfo(recentFiles_->entries().constFirst()).absolutePath();
    if (folder.isEmpty()) folder = QDir::homePath();
    QFileDialog dialog(this, QStringLiteral("Uložit slovník jako:"), folder, QStringLiteral("Slovník (*.slv)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("slv"));
    dialog.setHistory(saveHistory_);
    dialog.selectFile(suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString path = dialog.selectedFiles().constFirst();
    const QString chosenFolder = QFileInfo(path).absolutePath();
    saveHistory_.removeAll(chosenFolder);
    saveHistory_.prepend(chosenFolder);
    return path;
}

bool EditorWindow::event(QEvent* event) {
    // Every hint of the window, the list's cells included, goes to the second panel.
    if (event->type() == QEvent::StatusTip) {
        hintPanel_->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
    // A focused button takes Enter as a click, the way the user expects of a form.
    if (watched == soundButton_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            soundButton_->click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void EditorWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    if (const auto argument = context_.startup.takeCommandLineDictionary()) {
        std::error_code ec;
        fs::path here = fs::current_path(ec);
        const fs::path file = resolveCommandLineDictionary(*argument, here, context_.programFolder);
        if (session_.openFromCommandLine(file)) recentFiles_->addToTop(qs(file.string()));
        refresh();
    }
    foreignEdit_->setFocus();
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    if (!confirmLeave()) {
        event->ignore();
        return;
    }
    editDialog_->cancel();
    session_.reset();
    resetEntries();
    refresh();
    event->accept();
}

}  // namespace lexo
