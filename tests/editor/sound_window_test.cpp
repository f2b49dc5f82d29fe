#include "editor/sound_window.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/wav_header.h"
#include "support/fake_prompter.h"
#include "support/fake_recorder.h"
#include "support/fake_sound_player.h"
#include "support/fake_timers.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using lexo::testing::TempDir;
using lexo::testing::writeBytes;
using Kind = FakePrompter::Kind;

struct SoundWindowTest : ::testing::Test {
    TempDir dir;
    FakeRecorder recorder;
    FakePrompter prompter;
    FakeTimers timers;
    FakeSoundPlayer player;
    RecordingSession session{recorder, prompter, dir.path()};
    SoundWindow window{session, player, prompter, timers};
    std::vector<std::string> chosen;
    std::vector<std::string> accepted;

    SoundWindowTest() {
        window.setSoundChosenHandler([this](const std::string& path) { chosen.push_back(path); });
        window.setAcceptHandler([this](const std::string& path) { accepted.push_back(path); });
    }

    template <class T>
    T* find(const char* name) {
        T* widget = window.findChild<T*>(QString::fromLatin1(name));
        if (!widget) ADD_FAILURE() << "no widget " << name;
        return widget;
    }
    QPushButton* button(const char* name) { return find<QPushButton>(name); }
    QString label(const char* name) { return find<QLabel>(name)->text(); }
    QColor statusColour() { return find<QLabel>("Label4")->palette().color(QPalette::WindowText); }
    QString focused() { return window.focusWidget() ? window.focusWidget()->objectName() : QString(); }
    std::string temp(const char* name) { return (dir / "Temp" / name).string(); }
};

TEST_F(SoundWindowTest, ShowsItsControlsWithCaptionsAndHints) {
    EXPECT_EQ(window.objectName(), "Form5");
    EXPECT_EQ(window.windowTitle(), "Práce se zvukem");
    const std::vector<std::array<const char*, 3>> buttons{
        {"button1", "Start", "Začít nahrávat"},
        {"button2", "Stop", "Ukončit nahraváni"},
        {"BitBtn3", "Znova", "Začít znova nahrávat"},
        {"BitBtn2", "Otevřít", "Otevřít zvuk ze souboru"},
        {"BitBtn4", "OK", "Potvrdit a vrátit se do Editoru Výrazu"},
        {"BitBtn1", "Zpět", "Neprovádět žádne změny a vrátit se do Editoru výrazu"}};
    for (const auto& [name, caption, hint] : buttons) {
        QPushButton* b = button(name);
        ASSERT_TRUE(b);
        EXPECT_EQ(b->text(), QString::fromUtf8(caption)) << name;
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(hint)) << name;
    }
    EXPECT_EQ(label("Label1"), "Stav:");
    EXPECT_EQ(label("Label3"), "Délka záznamu:");

    window.openFor(QStringLiteral("dog"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isModal());
    EXPECT_EQ(label("Label4"), "Připraven");
    EXPECT_EQ(statusColour(), QColor(0, 0, 0));
    EXPECT_EQ(label("Label2"), "0 s");
    EXPECT_EQ(focused(), "button1");
    EXPECT_GE(window.width(), 247);
    EXPECT_GE(window.height(), 186);
}

TEST_F(SoundWindowTest, RecordStopAndAdd) {
    recorder.recorded = testPcmWav(2.4);
    window.openFor(QStringLiteral("Why?"));
    QTest::mouseClick(button("button1"), Qt::LeftButton);
    EXPECT_EQ(label("Label4"), "Nahrávám...");
    EXPECT_EQ(statusColour(), QColor(0, 128, 0));
    EXPECT_EQ(focused(), "button2");
    EXPECT_FALSE(button("BitBtn2")->isEnabled());

    timers.advance(1000);
    EXPECT_EQ(find<QProgressBar>("ProgressBar1")->value(), 25);

    QTest::mouseClick(button("button2"), Qt::LeftButton);
    EXPECT_EQ(label("Label4"), "Konec nahrávání");
    EXPECT_EQ(statusColour(), QColor(255, 0, 0));
    EXPECT_EQ(label("Label2"), "Délka záznamu: 2,4 s");
    // The length names itself; the caption before it would say it twice.
    EXPECT_TRUE(find<QLabel>("Label3")->isHidden());
    EXPECT_EQ(find<QProgressBar>("ProgressBar1")->value(), 100);
    EXPECT_EQ(focused(), "BitBtn4");
    EXPECT_TRUE(button("BitBtn2")->isEnabled());
    EXPECT_EQ(chosen, std::vector<std::string>{temp("Why1.wav")});
    EXPECT_TRUE(accepted.empty());

    QTest::mouseClick(button("BitBtn4"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(accepted, std::vector<std::string>{temp("Why1.wav")});
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(SoundWindowTest, EnterThreeTimesRecordsAndAdds) {
    window.openFor(QStringLiteral("dog"));
    for (int i = 0; i < 3; ++i) {
        QWidget* target = window.focusWidget();
        ASSERT_TRUE(target) << i;
        QTest::keyClick(target, Qt::Key_Return);
    }
    EXPECT_EQ(accepted, std::vector<std::string>{temp("dog.wav")});
    EXPECT_FALSE(window.isVisible());
}

TEST_F(SoundWindowTest, OpenPicksAFileThroughTheSharedDialog) {
    writeBytes(dir / "Sounds" / "Pes.wav", testPcmWav(0.5));
    const QString picked = QString::fromStdString((dir / "Sounds" / "Pes.wav").string());
    std::vector<QStringList> offered;
    QString answer = picked;
    window.fileChooser().setDialog([&](QWidget*, const QStringList& history) {
        offered.push_back(history);
        return answer;
    });

    window.openFor(QStringLiteral("dog"));
    QTest::mouseClick(button("BitBtn2"), Qt::LeftButton);
    EXPECT_EQ(label("Label4"), "Zvuk byl načten ze souboru");
    EXPECT_EQ(label("Label2"), "Délka záznamu: ,5 s");
    EXPECT_EQ(focused(), "BitBtn4");
    EXPECT_EQ(chosen, std::vector<std::string>{picked.toStdString()});

    // Cancel changes nothing; the history offers the earlier choice, as it was chosen.
    answer.clear();
    QTest::mouseClick(button("BitBtn2"), Qt::LeftButton);
    EXPECT_EQ(chosen.size(), 1u);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[1], QStringList{picked});
    EXPECT_EQ(window.fileChooser().history(), QStringList{picked});

    QTest::mouseClick(button("BitBtn4"), Qt::LeftButton);
    EXPECT_EQ(accepted, std::vector<std::string>{picked.toStdString()});
}

TEST_F(SoundWindowTest, ZpetAndEscapeDropARunningRecording) {
    window.openFor(QStringLiteral("dog"));
    QTest::mouseClick(button("button1"), Qt::LeftButton);
    ASSERT_TRUE(session.recording());
    QTest::mouseClick(button("BitBtn1"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(session.recording());
    EXPECT_FALSE(timers.activeCount());
    EXPECT_TRUE(accepted.empty());
    EXPECT_TRUE(chosen.empty());
    EXPECT_EQ(wavDurationSeconds(loadWavHeader(temp("dog.wav")).header), 0);

    window.openFor(QStringLiteral("dog"));
    QTest::mouseClick(button("button1"), Qt::LeftButton);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(session.recording());
    EXPECT_TRUE(accepted.empty());

    // Opened again: ready, nothing of the last visit shown.
    window.openFor(QStringLiteral("dog"));
    EXPECT_EQ(label("Label4"), "Připraven");
    EXPECT_EQ(find<QProgressBar>("ProgressBar1")->value(), 0);
}

TEST_F(SoundWindowTest, NoInputDeviceShowsTheErrorAndStaysReady) {
    recorder.missingDevice = true;
    window.openFor(QStringLiteral("dog"));
    QTest::mouseClick(button("button1"), Qt::LeftButton);
    EXPECT_EQ(prompter.messages, (std::vector<FakePrompter::Message>{
                                     {Kind::Error, "Nenalezeno žádné zařízení pro nahrávání zvuku."}}));
    EXPECT_EQ(label("Label4"), "Připraven");
    EXPECT_EQ(label("Label2"), "0 s");
    EXPECT_EQ(focused(), "button1");
    EXPECT_FALSE(fs::exists(dir / "Temp" / "dog.wav"));
    QTest::mouseClick(button("button2"), Qt::LeftButton);
    EXPECT_TRUE(chosen.empty());
}

// The real dialog, with the combo box of earlier choices in place of its file-name field.
TEST(SoundFileChooser, RealDialogOffersEarlierChoices) {
    TempDir dir;
    writeBytes(dir / "a.wav", testPcmWav(0.1));
    writeBytes(dir / "b.wav", testPcmWav(0.1));
    const QString a = QString::fromStdString((dir / "a.wav").string());
    const QString b = QString::fromStdString((dir / "b.wav").string());
    SoundFileChooser chooser;

    QStringList seenItems;
    QString seenFilter;
    auto answer = [&](const QString& typed) {
        QTimer::singleShot(0, [&, typed] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            seenFilter = dialog->nameFilters().join(QLatin1Char(';'));
            auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("fileNameCombo"));
            if (!combo) {
                dialog->reject();
                FAIL() << "the file-name field is no combo box";
            }
            seenItems.clear();
            for (int i = 0; i < combo->count(); ++i) seenItems.push_back(combo->itemText(i));
            combo->setEditText(typed);
            QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        });
    };

    answer(a);
    EXPECT_EQ(chooser.choose(nullptr), a);
    EXPECT_EQ(seenFilter, "Zvukový soubor (*.wav)");
    EXPECT_TRUE(seenItems.isEmpty());
    answer(b);
    EXPECT_EQ(chooser.choose(nullptr), b);
    EXPECT_EQ(seenItems, QStringList{a});
    answer(a);
    EXPECT_EQ(chooser.choose(nullptr), a);
    EXPECT_EQ(seenItems, (QStringList{b, a}));
    EXPECT_EQ(chooser.history(), (QStringList{a, b}));
}

}  // namespace
}  // namespace lexo
