#include "editor/editor_window.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <memory>

#include "app/shell.h"
#include "common/app_signals.h"
#include "common/program_context.h"
#include "dictionary/recent_files_menu.h"
#include "editor/edit_dialog.h"
#include "editor/sound_recording.h"
#include "support/fake_prompter.h"
#include "support/fake_recorder.h"
#include "support/fake_sound_player.h"
#include "support/fake_timers.h"
#include "support/temp_dir.h"
#include "support/find_widget.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using lexo::testing::readBytes;
using lexo::testing::TempDir;
using lexo::testing::writeBytes;
using Kind = FakePrompter::Kind;

// The editor over fakes: message boxes answered by FakePrompter, the save dialog and the
// search box answered from queues, recording through a fake recorder.
class EditorWindowTest : public ::testing::Test {
protected:
    EditorWindowTest() {
        context.programFolder = dir / "program";
        fs::create_directories(context.programFolder);
        context.settings = std::make_unique<MemorySettingsStore>();
        context.prompter = &prompter;
        context.soundPlayer = &player;
        context.appSignals = &appSignals;
        // Most tests work with every field in use.
        context.settings->writeBool(editorSettingsKey(kVersionString), "Vyslovnost", true);
        context.settings->writeBool(editorSettingsKey(kVersionString), "MluvenaVyslovnost", true);
    }

    void create() {
        window = std::make_unique<EditorWindow>(context, recording, timers);
        window->setSavePathChooser([this](const QString& suggested) {
            offeredNames << suggested;
            return savePaths.isEmpty() ? QString() : savePaths.takeFirst();
        });
        window->setTextAsker([this](const QString& title, const QString& prompt) -> std::optional<QString> {
            askedTitles << title + " " + prompt;
            if (answers.isEmpty()) return std::nullopt;
            return answers.takeFirst();
        });
    }

    void show() {
        if (!window) create();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    template <class W>
    W* find(const char* name) const {
        return testing::findWidget<W>(*window, name);
    }
    QLineEdit* edit(const char* name) const { return find<QLineEdit>(name); }
    QAction* action(const char* name) const { return find<QAction>(name); }
    QTableView* list() const { return find<QTableView>("stg"); }
    QString focused() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
    QString count() const { return find<QLabel>("StatusPanel0")->text(); }

    void typeInto(const char* name, const QString& text) {
        QLineEdit* target = edit(name);
        target->setFocus();
        QApplication::processEvents();
        typeText(target, text);
    }
    static void typeText(QWidget* target, const QString& text) {
        for (const QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(target, c.toLatin1());
            else
                typeLetter(target, QString(c));
        }
    }
    // For letters QTest cannot type (it knows ASCII keys only).
    static void typeLetter(QWidget* target, const QString& letter) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, letter);
        QApplication::sendEvent(target, &press);
    }
    void enterIn(const char* name) { QTest::keyClick(edit(name), Qt::Key_Return); }

    void addByTyping(const QString& foreign, const QString& czech) {
        typeInto("edtang", foreign);
        typeInto("edtcz", czech);
        find<QToolButton>("btadd")->click();
    }

    TempDir dir;
    AppContext context;
    FakePrompter prompter;
    FakeSoundPlayer player;
    FakeRecorder recorder;
    FakeTimers timers;
    AppSignals appSignals;
    RecordingSession recording{recorder, prompter, dir / "program"};
    std::unique_ptr<EditorWindow> window;
    QStringList offeredNames, savePaths, askedTitles, answers;
};

TEST_F(EditorWindowTest, ShowsAnEmptyUnnamedDictionary) {
    show();
    EXPECT_EQ(window->objectName(), "Form2");
    EXPECT_EQ(window->windowTitle(), "Editor výrazů - novyslovnik.slv");
    EXPECT_EQ(count(), "Počet výrazů ve slovníku: - ");
    EXPECT_EQ(edit("edtvyslovnost")->text(), "[]");
    EXPECT_EQ(edit("edtzvuk")->text(), "NENÍ");
    EXPECT_TRUE(edit("edtzvuk")->isReadOnly());
    EXPECT_EQ(focused(), "edtang");
    EXPECT_EQ(list()->model()->headerData(2, Qt::Horizontal).toString(), "Cizojazyčná výslovnost");
    // The shortcuts of the menus, which the user learns by heart.
    const std::pair<const char*, QKeySequence> shortcuts[] = {
        {"Nov1", QKeySequence("Ctrl+N")}, {"Otevt1", QKeySequence("Ctrl+O")}, {"Uloit1", QKeySequence("Ctrl+S")},
        {"Pevst1", QKeySequence("F9")},   {"Slouit1", QKeySequence("F8")},    {"Zavt1", QKeySequence("F10")},
        {"Cizojazynvraz1", QKeySequence("F3")}, {"eskvraz1", QKeySequence("F4")},
        {"Cizojazynouvslovnost1", QKeySequence("F5")}};
    for (const auto& [name, key] : shortcuts) EXPECT_EQ(action(name)->shortcut(), key) << name;
    EXPECT_EQ(find<QMenu>("Otevtstar1")->title(), "Otevřít starší");
    EXPECT_FALSE(action("Pevst1")->isEnabled()) << "no converter plugged in yet";
}

TEST_F(EditorWindowTest, TypedSemicolonJoinsAlternativesAndUpperCaseFollowsTheOption) {
    show();
    typeInto("edtcz", "pes;dog");
    EXPECT_EQ(edit("edtcz")->text(), "pes+dog");
    typeInto("edtvyslovnost", ";");
    EXPECT_EQ(edit("edtvyslovnost")->text(), "[;]") << "the pronunciation takes ; as typed, between the brackets";

    // The option is read at every key, so switching it mid-word shows at once.
    context.general.upperCaseEntry = true;
    typeInto("edtang", "ko");
    context.general.upperCaseEntry = false;
    typeText(edit("edtang"), "ty");
    EXPECT_EQ(edit("edtang")->text(), "KOty");
    context.general.upperCaseEntry = true;
    typeLetter(edit("edtcz"), QStringLiteral("č"));
    EXPECT_EQ(edit("edtcz")->text(), "PES+DOGČ") << "a change takes the whole text into capitals";

    // Pasted text and an input method's letters are capitals too.
    edit("edtang")->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("straße"));
    edit("edtang")->paste();
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("ď"));
    QCoreApplication::sendEvent(edit("edtang"), &composed);
    EXPECT_EQ(edit("edtang")->text(), QStringLiteral("STRASSEĎ"));
}

TEST_F(EditorWindowTest, EnterWalksTheEditsAndAddsWhenNothingIsLeft) {
    show();
    typeInto("edtang", "dog");
    enterIn("edtang");
    EXPECT_EQ(focused(), "edtcz");
    typeText(edit("edtcz"), "pes");
    enterIn("edtcz");
    EXPECT_EQ(focused(), "edtvyslovnost");
    QTest::qWait(0);
    EXPECT_EQ(edit("edtvyslovnost")->cursorPosition(), 1) << "typing starts inside []";
    EXPECT_FALSE(edit("edtvyslovnost")->hasSelectedText());
    typeText(edit("edtvyslovnost"), "d0g");
    enterIn("edtvyslovnost");
    EXPECT_EQ(focused(), "btpridejzvuk") << "the sound edit is enabled, so Enter moves on";
    EXPECT_EQ(list()->model()->rowCount(), 0);

    // Without pronunciation and sound, Enter in the Czech edit adds.
    QTest::mouseClick(find<QCheckBox>("CheckBox1"), Qt::LeftButton);
    QTest::mouseClick(find<QCheckBox>("CheckBox2"), Qt::LeftButton);
    ASSERT_FALSE(edit("edtvyslovnost")->isEnabled());
    ASSERT_FALSE(edit("edtzvuk")->isEnabled());
    EXPECT_EQ(focused(), "edtang");
    typeInto("edtcz", "pes");
    enterIn("edtcz");
    ASSERT_EQ(list()->model()->rowCount(), 1);
    EXPECT_EQ(list()->model()->index(0, 2).data().toString(), "[d0g]");
    EXPECT_EQ(edit("edtang")->text(), "");
    EXPECT_EQ(edit("edtcz")->text(), "");
    EXPECT_EQ(edit("edtvyslovnost")->text(), "[]");
    EXPECT_EQ(focused(), "edtang");
    EXPECT_EQ(count(), "Počet výrazů ve slovníku: 1");

    // With the pronunciation back on, Enter there adds (the sound edit is off).
    QTest::mouseClick(find<QCheckBox>("CheckBox1"), Qt::LeftButton);
    typeInto("edtang", "cat");
    typeInto("edtcz", "kočka");
    enterIn("edtcz");
    EXPECT_EQ(focused(), "edtvyslovnost");
    enterIn("edtvyslovnost");
    EXPECT_EQ(list()->model()->rowCount(), 2);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(EditorWindowTest, AddWithAMissingTextWarnsAndKeepsTheEdits) {
    show();
    typeInto("edtang", "dog");
    find<QToolButton>("btadd")->click();
    EXPECT_EQ(prompter.texts(Kind::Warning), std::vector<std::string>{std::string(kMissingFieldsMessage)});
    EXPECT_EQ(edit("edtang")->text(), "dog");
    EXPECT_EQ(list()->model()->rowCount(), 0);
    EXPECT_EQ(focused(), "edtang");
}

TEST_F(EditorWindowTest, PronunciationNeverStaysEmptyAndForeignKeysPlaceItsCaret) {
    show();
    QLineEdit* pronunciation = edit("edtvyslovnost");
    pronunciation->setFocus();
    pronunciation->selectAll();
    QTest::keyClick(pronunciation, Qt::Key_Delete);
    EXPECT_EQ(pronunciation->text(), "");
    edit("edtang")->setFocus();
    EXPECT_EQ(pronunciation->text(), "[]");

    pronunciation->setCursorPosition(2);
    QTest::keyClick(edit("edtang"), Qt::Key_A);
    EXPECT_EQ(pronunciation->cursorPosition(), 1);
}

TEST_F(EditorWindowTest, FiveAlternativesWarnOnLeavingAndKeepTheFocus) {
    show();
    typeInto("edtang", "a+b+c+d");
    edit("edtcz")->setFocus();
    QTest::qWait(0);
    EXPECT_TRUE(prompter.messages.empty()) << "four are allowed";

    typeInto("edtang", "+e");
    edit("edtcz")->setFocus();
    QTest::qWait(0);
    EXPECT_EQ(prompter.texts(Kind::Warning), std::vector<std::string>{std::string(kTooManyAlternativesMessage)});
    EXPECT_EQ(focused(), "edtang");
}

TEST_F(EditorWindowTest, CheckBoxesEnableTheirControls) {
    context.settings->writeBool(editorSettingsKey(kVersionString), "Vyslovnost", false);
    show();
    auto* box1 = find<QCheckBox>("CheckBox1");
    auto* box2 = find<QCheckBox>("CheckBox2");
    auto* soundButton = find<QPushButton>("btpridejzvuk");
    EXPECT_FALSE(box1->isChecked());
    EXPECT_TRUE(box2->isChecked()) << "from the stored option";
    // The controls follow the stored boxes from the start.
    EXPECT_FALSE(edit("edtvyslovnost")->isEnabled());
    EXPECT_TRUE(edit("edtzvuk")->isEnabled());
    EXPECT_TRUE(soundButton->isEnabled());

    QTest::mouseClick(box2, Qt::LeftButton);
    EXPECT_FALSE(edit("edtzvuk")->isEnabled());
    EXPECT_FALSE(soundButton->isEnabled());
    EXPECT_EQ(focused(), "edtang");
    QTest::mouseClick(box2, Qt::LeftButton);
    EXPECT_TRUE(edit("edtzvuk")->isEnabled());
    EXPECT_TRUE(soundButton->isEnabled());
    EXPECT_TRUE(edit("edtzvuk")->isReadOnly());
    EXPECT_EQ(edit("edtzvuk")->palette().color(QPalette::Base), QColor(Qt::white));

    QTest::mouseClick(box1, Qt::LeftButton);
    EXPECT_TRUE(edit("edtvyslovnost")->isEnabled());
    QTest::mouseClick(box1, Qt::LeftButton);
    EXPECT_FALSE(edit("edtvyslovnost")->isEnabled());
    // Clicks are not stored; the stored options stay as they were read.
    EXPECT_EQ(context.settings->readBool(editorSettingsKey(kVersionString), "Vyslovnost"), std::optional<bool>(false));
    EXPECT_EQ(context.settings->readBool(editorSettingsKey(kVersionString), "MluvenaVyslovnost"),
              std::optional<bool>(true));
}

TEST_F(EditorWindowTest, SoundButtonOpensTheSoundWindowOnlyForACompleteExpression) {
    show();
    std::vector<std::string> opened;
    window->setSoundWindowOpener([&](const std::string& foreign) { opened.push_back(foreign); });
    auto* soundButton = find<QPushButton>("btpridejzvuk");
    typeInto("edtang", "dog");
    soundButton->click();
    EXPECT_TRUE(opened.empty()) << "no Czech text";
    typeInto("edtcz", "pes");
    soundButton->setFocus();
    QTest::keyClick(soundButton, Qt::Key_Return);
    EXPECT_EQ(opened, std::vector<std::string>{"dog"});

    // The sound window's result lands in the sound edit; its OK adds the expression.
    window->setSoundPath("/tmp/dog.wav");
    EXPECT_EQ(edit("edtzvuk")->text(), "/tmp/dog.wav");
    soundButton->click();
    EXPECT_EQ(opened.size(), 1u) << "the expression already has a sound";
    window->addWithSound("/tmp/dog2.wav");
    ASSERT_EQ(window->session().size(), 1u);
    EXPECT_EQ(window->session().table().sound(0), "/tmp/dog2.wav");
    EXPECT_EQ(edit("edtzvuk")->text(), "NENÍ");
}

// What a person does: records two expressions' sounds in the edit dialog (recording the
// second one again), saves under a new name, quits (Temp emptied) and opens the
// dictionary again. Every sound is there.
TEST_F(EditorWindowTest, RecordingsSurviveSaveAsQuitAndReopen) {
    show();
    addByTyping("dog", "pes");
    addByTyping("cat", "kočka");
    EditDialog& dialog = window->editDialog();
    const auto click = [&dialog](const char* name) { dialog.findChild<QPushButton*>(name)->click(); };
    for (int row : {0, 1}) {
        list()->setCurrentIndex(list()->model()->index(row, 0));
        find<QToolButton>("btchange")->click();
        ASSERT_TRUE(dialog.isVisible());
        if (row == 0) {
            click("button1");  // Start
        } else {
            prompter.queueAnswer(Prompter::Answer::Yes);
            click("BitBtn5");  // Znova straight away: there is nothing of this dialog's to replace
        }
        click("button2");  // Stop
        click("BitBtn1");  // Upravit
        ASSERT_FALSE(dialog.isVisible());
    }
    const fs::path temp = dir / "program" / "Temp";
    ASSERT_EQ(fs::path(window->session().table().sound(0)), temp / "dog.wav");
    ASSERT_EQ(readBytes(temp / "dog.wav"), recorder.recorded) << "Znova of the cat kept the dog";

    fs::create_directories(dir / "slovniky");
    savePaths << QString::fromStdString((dir / "slovniky" / "zvirata.slv").string());
    action("Uloitjako1")->trigger();
    ASSERT_TRUE(fs::exists(dir / "slovniky" / "zvirata.slv"));

    clearTempFolder(temp);  // the exit clean-up, on by default
    window.reset();
    create();
    ASSERT_TRUE(window->session().open(dir / "slovniky" / "zvirata.slv"));
    ASSERT_EQ(window->session().size(), 2u);
    for (std::size_t row : {0u, 1u}) {
        const fs::path sound(window->session().table().sound(row));
        EXPECT_EQ(sound.parent_path(), dir / "slovniky" / "zvirata");
        EXPECT_EQ(readBytes(sound), recorder.recorded) << sound;
    }
}

TEST_F(EditorWindowTest, DeleteAndChangeActOnTheCurrentRow) {
    show();
    addByTyping("one", "jedna");
    addByTyping("two", "dva");
    addByTyping("three", "tři");
    list()->setCurrentIndex(list()->model()->index(1, 0));
    find<QToolButton>("btdel")->click();
    ASSERT_EQ(window->session().size(), 2u);
    EXPECT_EQ(window->session().table().foreign(1), "three");
    EXPECT_EQ(count(), "Počet výrazů ve slovníku:2");

    // A click in the pronunciation column, then Change: the dialog opens there.
    const QRect cell = list()->visualRect(list()->model()->index(1, 2));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, cell.center());
    find<QToolButton>("btchange")->click();
    EditDialog& dialog = window->editDialog();
    ASSERT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.objectName(), "Form3");
    EXPECT_EQ(dialog.windowTitle(), "Upravit výraz");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("Edit1")->text(), "three");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("Edit2")->text(), "tři");
    ASSERT_NE(dialog.focusWidget(), nullptr);
    EXPECT_EQ(dialog.focusWidget()->objectName(), "Edit3");

    // Deleting the expression under the open dialog closes it unwritten.
    window->activateWindow();
    find<QToolButton>("btdel")->click();
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_EQ(window->session().size(), 1u);
    EXPECT_EQ(window->session().table().foreign(0), "one");

    find<QToolButton>("btdel")->click();
    EXPECT_EQ(window->session().size(), 0u);
    find<QToolButton>("btdel")->click();
    find<QToolButton>("btchange")->click();
    EXPECT_FALSE(dialog.isVisible()) << "nothing to change";
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(EditorWindowTest, SearchesAskThroughTheInputBox) {
    show();
    for (int i = 1; i <= 60; ++i) addByTyping(QString("en%1").arg(i), QString("cz%1").arg(i));
    prompter.clear();
    answers << "cz20" << "" << "Cizí výraz";
    QTest::keyClick(window.get(), Qt::Key_F4);
    EXPECT_EQ(askedTitles, QStringList{"Výhledavání Najdi:"});
    EXPECT_EQ(prompter.texts(Kind::Information), std::vector<std::string>{std::string(kExpressionFoundMessage)});
    EXPECT_EQ(list()->indexAt(QPoint(2, 2)).row(), 19) << "the row found is the top row";

    QTest::keyClick(window.get(), Qt::Key_F3);
    EXPECT_EQ(prompter.messages.size(), 1u) << "an empty answer does nothing";
    QTest::keyClick(window.get(), Qt::Key_F3);
    EXPECT_EQ(prompter.count(Kind::Information), 2u) << "the header row is found too";
    EXPECT_EQ(list()->verticalScrollBar()->value(), 0);

    answers << "/nikde.wav";
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_EQ(prompter.texts(Kind::Warning), std::vector<std::string>{std::string(kExpressionNotFoundMessage)});
}

TEST_F(EditorWindowTest, SaveNamesTheDictionaryAndCloseAsksOnlyAboutChanges) {
    show();
    addByTyping("dog", "pes");
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(offeredNames, QStringList{"novyslovnik.slv"});
    EXPECT_EQ(prompter.texts(Kind::Information), std::vector<std::string>{std::string(kSaveCancelledMessage)});

    savePaths << QString::fromStdString((dir / "zvirata.slv").string());
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(window->windowTitle(), "Editor výrazů - zvirata.slv");
    EXPECT_EQ(readBytes(dir / "zvirata.slv"), "pes;dog;[];NEN\xCD\r\n");

    prompter.clear();
    addByTyping("cat", "kočka");
    prompter.queueAnswer(Prompter::Answer::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(prompter.texts(Kind::YesNoCancel), std::vector<std::string>{std::string(kUnsavedChangesQuestion)});

    prompter.queueAnswer(Prompter::Answer::Yes);
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(readBytes(dir / "zvirata.slv"), "pes;dog;[];NEN\xCD\r\nko\xE8ka;cat;[];NEN\xCD\r\n");
    // The next visit starts empty and unnamed.
    EXPECT_EQ(window->windowTitle(), "Editor výrazů - novyslovnik.slv");
    EXPECT_EQ(window->session().size(), 0u);
    EXPECT_TRUE(window->confirmLeave());
    EXPECT_EQ(prompter.count(Kind::YesNoCancel), 2u);
}

TEST_F(EditorWindowTest, OpensTheCommandLineDictionaryOnceAndKeepsItInTheRecentList) {
    writeBytes(dir / "slovnik.slv", "pes;dog;[];NENÍ\r\nkočka;cat;[];NENÍ\r\n");
    context.startup = StartupState({(dir / "slovnik.slv").string()});
    show();
    EXPECT_EQ(window->windowTitle(), "Editor výrazů - slovnik.slv");
    EXPECT_EQ(list()->model()->rowCount(), 2);
    EXPECT_EQ(count(), "Počet výrazů ve slovníku: 2");
    EXPECT_EQ(window->recentFiles().entries(), QStringList{QString::fromStdString((dir / "slovnik.slv").string())});
    EXPECT_EQ(focused(), "edtang");

    window->close();
    show();
    EXPECT_EQ(list()->model()->rowCount(), 0) << "taken only once";

    // Opened again from "Otevřít starší".
    EXPECT_TRUE(window->recentFiles().openRecent(0));
    EXPECT_EQ(list()->model()->rowCount(), 2);
    EXPECT_EQ(window->windowTitle(), "Editor výrazů - slovnik.slv");
}

TEST_F(EditorWindowTest, OpenAsksAboutUnsavedChangesFirst) {
    writeBytes(dir / "b.slv", "pes;dog;[];NENÍ\r\n");
    create();
    window->recentFiles().setFileChooser([this] { return QString::fromStdString((dir / "b.slv").string()); });
    show();
    addByTyping("cat", "kočka");
    prompter.queueAnswer(Prompter::Answer::Cancel);
    EXPECT_FALSE(window->openDictionary());
    EXPECT_EQ(window->session().table().foreign(0), "cat");
    prompter.queueAnswer(Prompter::Answer::No);
    EXPECT_TRUE(window->openDictionary());
    EXPECT_EQ(window->session().table().foreign(0), "dog");
    EXPECT_EQ(list()->currentIndex().row(), 0) << "the first row is current, as Delete expects";
}

TEST_F(EditorWindowTest, HintsOfControlsAndCellsGoToTheSecondPanel) {
    show();
    addByTyping("dog+hound", "pes");
    auto* hint = find<QLabel>("StatusPanel1");
    QTest::mouseMove(edit("edtzvuk"));
    EXPECT_EQ(hint->text(), "Adresa k souboru, kde je uložena mluvená výslovnost");
    const QRect cell = list()->visualRect(list()->model()->index(0, 0));
    QTest::mouseMove(list()->viewport(), cell.center());
    EXPECT_EQ(hint->text(), "dog+hound");
    EXPECT_EQ(list()->model()->index(0, 1).data(Qt::ToolTipRole).toString(), "pes");
}

TEST_F(EditorWindowTest, ExpressionFontReachesEditsListAndDialog) {
    QFont font(QStringLiteral("DejaVu Serif"), 15);
    appSignals.setExpressionFont(font);
    show();
    EXPECT_EQ(edit("edtang")->font().family(), "DejaVu Serif");
    QFont bigger(QStringLiteral("DejaVu Sans"), 20);
    appSignals.setExpressionFont(bigger);
    EXPECT_EQ(edit("edtvyslovnost")->font().pointSize(), 20);
    EXPECT_EQ(list()->font().pointSize(), 20);
    EXPECT_EQ(window->editDialog().findChild<QLineEdit*>("Edit4")->font().pointSize(), 20);
    EXPECT_GE(list()->verticalHeader()->defaultSectionSize(), QFontMetrics(bigger).height())
        << "rows grow with the font instead of cutting it";
}

}  // namespace
}  // namespace lexo
