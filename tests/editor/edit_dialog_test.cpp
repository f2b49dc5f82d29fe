#include "editor/edit_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "common/general_settings.h"
#include "editor/editor_session.h"
#include "editor/sound_recording.h"
#include "support/fake_prompter.h"
#include "support/fake_recorder.h"
#include "support/fake_sound_player.h"
#include "support/fake_timers.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using lexo::testing::TempDir;
using Kind = FakePrompter::Kind;

class EditDialogTest : public ::testing::Test {
protected:
    EditDialogTest() {
        editor.add({"dog", "pes", "[d0g]", "NENÍ"});
        editor.add({"cat", "kočka", "[k@t]", "NENÍ"});
    }

    void openOn(std::size_t row, Field column) {
        ASSERT_TRUE(dialog.openFor(row, column));
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    QLineEdit* field(const char* name) { return dialog.findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QPushButton* button(const char* name) { return dialog.findChild<QPushButton*>(QString::fromLatin1(name)); }
    QString focused() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }

    TempDir dir;
    FakePrompter prompter;
    FakeRecorder recorder;
    FakeSoundPlayer player;
    FakeTimers timers;
    GeneralSettings general;
    EditorSession editor{prompter};
    RecordingSession recording{recorder, prompter, dir.path()};
    EditDialog dialog{editor, recording, player, prompter, timers, general};
};

TEST_F(EditDialogTest, UpravitWritesBackAndRefusesFiveMeanings) {
    openOn(1, Field::Czech);
    EXPECT_EQ(field("Edit1")->text(), "cat");
    EXPECT_EQ(field("Edit3")->text(), "[k@t]");
    EXPECT_EQ(field("Edit4")->text(), "NENÍ");
    EXPECT_EQ(focused(), "Edit2");

    field("Edit1")->setText("cat+a+b+c+d");
    QTest::mouseClick(button("BitBtn1"), Qt::LeftButton);
    EXPECT_EQ(prompter.texts(Kind::Warning), std::vector<std::string>{std::string(kTooManyAlternativesMessage)});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(focused(), "Edit2") << "the focus lands in the Czech field";
    EXPECT_EQ(editor.table().foreign(1), "cat");

    field("Edit1")->setText("cat+kitty");
    QTest::mouseClick(button("BitBtn1"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(editor.table().at(1), (Expression{"cat+kitty", "kočka", "[k@t]", "NENÍ"}));
    EXPECT_EQ(editor.table().foreign(0), "dog");
}

TEST_F(EditDialogTest, ZrusitAndEscapeLeaveTheEditorAlone) {
    openOn(0, Field::Foreign);
    field("Edit2")->setText("změněno");
    QTest::mouseClick(button("BitBtn2"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(editor.table().czech(0), "pes");

    openOn(0, Field::Foreign);
    EXPECT_EQ(field("Edit2")->text(), "pes");
    field("Edit2")->setText("změněno");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(editor.table().czech(0), "pes");
    EXPECT_EQ(player.stops, 2);
}

TEST_F(EditDialogTest, TypingRulesOfTheFields) {
    openOn(0, Field::Foreign);
    general.upperCaseEntry = true;
    field("Edit1")->clear();
    QTest::keyClicks(field("Edit1"), "hound");
    EXPECT_EQ(field("Edit1")->text(), "HOUND");
    QTest::keyClick(field("Edit1"), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible()) << "Enter in a field presses no button";
    field("Edit3")->clear();
    QTest::keyClicks(field("Edit3"), "x");
    EXPECT_EQ(field("Edit3")->text(), "x") << "the pronunciation keeps its case";
    EXPECT_EQ(field("Edit2")->text(), "pes") << "an expression opened keeps its case until it is edited";
    QGuiApplication::clipboard()->setText(QStringLiteral("ík"));
    field("Edit2")->end(false);
    field("Edit2")->paste();
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("ň"));
    QCoreApplication::sendEvent(field("Edit2"), &composed);
    EXPECT_EQ(field("Edit2")->text(), QStringLiteral("PESÍKŇ"));

    // Entering the pronunciation by Tab or by a click puts the caret after its first character.
    field("Edit3")->setText("[h@und]");
    field("Edit2")->setFocus();
    QTest::keyClick(field("Edit2"), Qt::Key_Tab);
    QTest::qWait(0);
    EXPECT_EQ(focused(), "Edit3");
    EXPECT_EQ(field("Edit3")->cursorPosition(), 1);
    EXPECT_FALSE(field("Edit3")->hasSelectedText());
    field("Edit1")->setFocus();
    QTest::mouseClick(field("Edit3"), Qt::LeftButton, {}, field("Edit3")->rect().center() + QPoint(40, 0));
    QTest::qWait(0);
    EXPECT_EQ(field("Edit3")->cursorPosition(), 1);
}

TEST_F(EditDialogTest, RecordingButtonsDriveTheProgressBarAndTheSoundField) {
    openOn(0, Field::Foreign);
    auto* progress = dialog.findChild<QProgressBar*>("ProgressBar1");
    QTest::mouseClick(button("button2"), Qt::LeftButton);
    EXPECT_EQ(field("Edit4")->text(), "NENÍ") << "Stop without a recording does nothing";

    QTest::mouseClick(button("button1"), Qt::LeftButton);
    ASSERT_TRUE(recording.recording());
    EXPECT_EQ(focused(), "button2");
    timers.advance(600);
    EXPECT_EQ(progress->value(), 15);

    QTest::mouseClick(button("button2"), Qt::LeftButton);
    const QString path = QString::fromStdString((dir / "Temp" / "dog.wav").string());
    EXPECT_EQ(field("Edit4")->text(), path);
    EXPECT_EQ(progress->value(), 100);
    EXPECT_EQ(focused(), "BitBtn1");

    prompter.queueAnswer(Prompter::Answer::Yes);
    QTest::mouseClick(button("BitBtn5"), Qt::LeftButton);
    EXPECT_TRUE(recording.recording());
    EXPECT_EQ(focused(), "button2");
    QTest::mouseClick(button("button2"), Qt::LeftButton);

    QTest::mouseClick(button("BitBtn3"), Qt::LeftButton);
    EXPECT_EQ(player.played, std::vector<std::string>{path.toStdString()});
    QTest::mouseClick(button("BitBtn1"), Qt::LeftButton);
    EXPECT_EQ(editor.table().sound(0), path.toStdString());
}

TEST_F(EditDialogTest, OtevritTakesTheChosenFile) {
    QStringList choices{QString(), QStringLiteral("/zvuky/Pes.wav")};
    dialog.setSoundFileChooser([&] { return choices.takeFirst(); });
    openOn(0, Field::Sound);
    EXPECT_EQ(focused(), "Edit4");
    QTest::mouseClick(button("BitBtn4"), Qt::LeftButton);
    EXPECT_EQ(field("Edit4")->text(), "NENÍ") << "Cancel changes nothing";
    QTest::mouseClick(button("BitBtn4"), Qt::LeftButton);
    EXPECT_EQ(field("Edit4")->text(), "/zvuky/Pes.wav");
}

}  // namespace
}  // namespace lexo
