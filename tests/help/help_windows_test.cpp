#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

#include "help/http_download.h"
#include "help/legend_window.h"
#include "help/local_http_server.h"
#include "help/message_window.h"
#include "help/tip_window.h"
#include "help/update_flow.h"
#include "help/update_window.h"
#include "support/fake_prompter.h"
#include "support/fake_random.h"
#include "support/find_widget.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

using testing::findWidget;
using testing::LocalHttpServer;
using testing::TempDir;


TEST(TipWindow, ShowsTipsAndHandsBackTheCheckBox) {
    TempDir dir;
    TipsBook book({{1, "1", "Jediný", "Text tipu"}}, TextEncoding::Windows1250);
    SeededRandom random;
    FakePrompter prompter;
    TipWindow window(book, dir / "Tips.umv", random, prompter);
    auto* box = findWidget<QTextEdit>(window, "Memo1");
    EXPECT_EQ(box->toPlainText(), QStringLiteral("\nJediný\n\n\nText tipu"));
    QTest::mouseClick(findWidget<QPushButton>(window, "BitBtn2"), Qt::LeftButton);
    EXPECT_EQ(box->toPlainText(), QStringLiteral("\nJediný\n\n\nText tipu"));

    std::optional<bool> stored;
    window.setClosedHandler([&](bool on) { stored = on; });
    window.showTip(true);
    auto* check = findWidget<QCheckBox>(window, "CheckBox1");
    EXPECT_TRUE(check->isChecked());
    check->setChecked(false);
    QTest::mouseClick(findWidget<QPushButton>(window, "BitBtn1"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(stored, false);

    // Shown from the menu while tips are off, closed with the box ticked: on again.
    window.showTip(false);
    EXPECT_FALSE(check->isChecked());
    check->setChecked(true);
    window.close();
    EXPECT_EQ(stored, true);
}

TEST(TipWindow, TypedTipOnNextOpensEditingThatSavesTheFile) {
    TempDir dir;
    const std::filesystem::path file = dir / "Tips.umv";
    TipsBook book({{5, "5", "A", "a"}, {9, "9", "B", "b"}}, TextEncoding::Windows1250);
    SeededRandom random;
    FakePrompter prompter;
    TipWindow window(book, file, random, prompter);
    window.showTip(true);
    auto* next = findWidget<QPushButton>(window, "BitBtn2");
    const int height = window.height();
    QTest::keyClicks(next, QStringLiteral("txip"));
    ASSERT_TRUE(window.editing());
    EXPECT_GT(window.height(), height);

    auto* list = findWidget<QListWidget>(window, "ListBox1");
    ASSERT_EQ(list->count(), 2);
    list->setCurrentRow(1);
    EXPECT_EQ(findWidget<QLineEdit>(window, "Edit1")->text(), QStringLiteral("B"));
    QTest::mouseClick(findWidget<QPushButton>(window, "btuber"), Qt::LeftButton);
    findWidget<QLineEdit>(window, "Edit1")->setText(QStringLiteral("Nový"));
    findWidget<QPlainTextEdit>(window, "Memo3")->setPlainText(QStringLiteral("Nový text"));
    QTest::mouseClick(findWidget<QPushButton>(window, "btpridej"), Qt::LeftButton);
    EXPECT_TRUE(findWidget<QLineEdit>(window, "Edit1")->text().isEmpty());
    ASSERT_EQ(list->count(), 2);
    QTest::mouseClick(findWidget<QPushButton>(window, "btulozit"), Qt::LeftButton);
    EXPECT_FALSE(window.editing());
    EXPECT_EQ(window.height(), height);
    EXPECT_EQ(testing::readBytes(file), "1;A;a\r\n2;Nov\xFD;Nov\xFD text\r\n");
}

TEST(LegendWindow, TwelveKeysInTheExpressionFontAndTheButtonToggles) {
    LegendWindow legend;
    for (int row = 0; row < 12; ++row) {
        const auto* symbol = findWidget<QLabel>(legend, QStringLiteral("Symbol%1").arg(row).toLatin1().constData());
        const auto* key = findWidget<QLabel>(legend, QStringLiteral("Klic%1").arg(row).toLatin1().constData());
        const QString expected = QString::fromUtf8(kLegendKeys[static_cast<std::size_t>(row)].data());
        EXPECT_EQ(symbol->text(), expected);
        EXPECT_EQ(key->text(), expected + QStringLiteral(" - "));
        EXPECT_EQ(QFontInfo(symbol->font()).family(), QStringLiteral("Lexo Font - Angličtina"));
        EXPECT_EQ(symbol->font().pixelSize(), 24);
    }
    EXPECT_EQ(legend.findChildren<QLabel*>().size(), 24);
    legend.toggle();
    EXPECT_TRUE(legend.isVisible());
    legend.toggle();
    EXPECT_FALSE(legend.isVisible());
}

class UpdateFlowTest : public ::testing::Test {
protected:
    UpdateFlowTest()
        : flow(dir.path(), server.url("/lexo/"), prompter, window, progress,
               UpdateFlow::Hooks{[this] { ++mainShown; }, [this] { ++mainHidden; },
                                 [this](const std::filesystem::path& path) { opened = path; }, [this] { ended = true; }}) {}

    void offer(const QByteArray& versionFile) { server.add("/lexo/N-VERZE.TXT", {versionFile}); }

    void check() {
        flow.startCheck();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !flow.versionDownload().running(); }, 10000));
    }

    void downloadAndWait() {
        QTest::mouseClick(&window.downloadButton(), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !flow.installerDownload().running(); }, 10000));
    }

    TempDir dir;
    LocalHttpServer server;
    FakePrompter prompter;
    UpdateWindow window;
    UpdateProgressWindow progress;
    int mainShown = 0;
    int mainHidden = 0;
    std::optional<std::filesystem::path> opened;
    bool ended = false;
    UpdateFlow flow;
};

TEST_F(UpdateFlowTest, OwnVersionOffersNothing) {
    offer("2.70\r\n1000\r\n1.1.2007\r\nhttp://x/y\r\ny\r\na;b\r\n");
    check();
    EXPECT_EQ(testing::readBytes(dir / "WorkDir" / "N-VERZE.TXT"), "2.70\r\n1000\r\n1.1.2007\r\nhttp://x/y\r\ny\r\na;b\r\n");
    EXPECT_EQ(prompter.texts(FakePrompter::Kind::Information),
              std::vector<std::string>{"Žádná nová verze programu nebyla nalezena."});
    EXPECT_FALSE(window.downloadButton().isEnabled());
    EXPECT_EQ(findWidget<QLabel>(window, "lbverze")->text(), QStringLiteral("-"));
    EXPECT_TRUE(findWidget<QPlainTextEdit>(window, "Memo1")->toPlainText().isEmpty());
}

TEST_F(UpdateFlowTest, NewerVersionDownloadsUnderAPlainNameAndAsksFirst) {
    const QByteArray installer(300000, 'L');
    server.add("/lexo/setup.bin", {installer});
    offer("2.80\r\n300000\r\n5.5.2007\r\nsetup.bin\r\n../../x\r\nNovinka jedna;Novinka dv\xE1;\r\n");
    check();
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(window.downloadButton().isEnabled());
    EXPECT_EQ(findWidget<QLabel>(window, "lbverze")->text(), QStringLiteral("2.80"));
    EXPECT_EQ(findWidget<QLabel>(window, "lbvelikost")->text(), QStringLiteral("300000"));
    EXPECT_EQ(findWidget<QPlainTextEdit>(window, "Memo1")->toPlainText(), QStringLiteral("Novinka jedna\nNovinka dvá"));

    prompter.queueAnswer(Prompter::Answer::No);
    downloadAndWait();
    const std::filesystem::path target = dir / "Aktualizace" / "x";
    EXPECT_EQ(testing::readBytes(target), installer.toStdString());
    // Nothing else in the folder, and nothing next to the program folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "Aktualizace"),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_FALSE(std::filesystem::exists(dir.path().parent_path() / "x"));
    EXPECT_EQ(prompter.texts(FakePrompter::Kind::YesNo),
              std::vector<std::string>{"Aktualizace byla provedena úspěšně. Přejete si nyní nainstalovat novou verzi?"});
    EXPECT_EQ(progress.gaugeValue(), 300000);
    EXPECT_FALSE(opened);
    EXPECT_FALSE(ended);
    EXPECT_FALSE(progress.isVisible());

    // Yes opens the installer and ends the program.
    prompter.queueAnswer(Prompter::Answer::Yes);
    window.show();
    downloadAndWait();
    EXPECT_EQ(opened, target);
    EXPECT_TRUE(ended);
}

TEST_F(UpdateFlowTest, FailuresAreReported) {
    // No version file on the server.
    check();
    EXPECT_EQ(prompter.texts(FakePrompter::Kind::Information), std::vector<std::string>{"Aktualizace se nepovedla."});
    EXPECT_FALSE(window.isVisible());
    prompter.clear();

    // Too few lines.
    offer("2.80\r\n100\r\n");
    check();
    EXPECT_EQ(prompter.texts(FakePrompter::Kind::Error), std::vector<std::string>{"Chyba při vykonávání aktualizace!"});
    EXPECT_FALSE(window.isVisible());
    prompter.clear();

    // The installer is shorter than the version file says: nothing that looks complete.
    LocalHttpServer::Route shortInstaller{QByteArray(1000, 'x')};
    shortInstaller.announcedLength = 5000;
    server.add("/lexo/setup.bin", shortInstaller);
    offer("2.80\r\n5000\r\nd\r\nsetup.bin\r\nsetup.bin\r\n\r\n");
    check();
    downloadAndWait();
    EXPECT_EQ(prompter.texts(FakePrompter::Kind::Information), std::vector<std::string>{"Aktualizace se nepovedla."});
    EXPECT_TRUE(prompter.texts(FakePrompter::Kind::YesNo).empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir / "Aktualizace"));
    prompter.clear();

    // An installer name that is no name at all.
    offer("2.80\r\n5000\r\nd\r\nsetup.bin\r\n..\r\n\r\n");
    check();
    QTest::mouseClick(&window.downloadButton(), Qt::LeftButton);
    EXPECT_FALSE(flow.installerDownload().running());
    EXPECT_EQ(prompter.texts(FakePrompter::Kind::Error), std::vector<std::string>{"Chyba při vykonávání aktualizace!"});
}

// A stand-in for xdg-email that writes its arguments, one a line, and exits with `code`.
std::filesystem::path fakeMailProgram(const TempDir& dir, int code) {
    const std::filesystem::path bin = dir / "bin";
    std::filesystem::create_directories(bin);
    const std::filesystem::path program = bin / "xdg-email";
    testing::writeBytes(program, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                                     (dir / "arguments.txt").string() + "\"\nexit " + std::to_string(code) + "\n");
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    return bin;
}

class MessageWindowTest : public ::testing::Test {
protected:
    MessageWindowTest() : oldPath(qgetenv("PATH")), window(dir / "program", "autor@lexo.example") {
        window.setErrorBox([this](std::string_view caption, std::string_view text) {
            errors.emplace_back(std::string(caption) + "|" + std::string(text));
        });
        window.setClosedHandler([this] { ++closed; });
    }
    ~MessageWindowTest() override { qputenv("PATH", oldPath); }

    bool sendAndWait(const QString& note) {
        window.show();
        findWidget<QPlainTextEdit>(window, "Memo1")->setPlainText(note);
        bool finished = false;
        bool ok = false;
        QObject context;
        QObject::connect(&window, &MessageWindow::mailFinished, &context, [&](bool result) {
            finished = true;
            ok = result;
        });
        QTest::mouseClick(findWidget<QPushButton>(window, "BitBtn1"), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return finished; }, 10000));
        return ok;
    }

    TempDir dir;
    QByteArray oldPath;
    MessageWindow window;
    std::vector<std::string> errors;
    int closed = 0;
};

TEST_F(MessageWindowTest, NoteReachesTheMailProgramAsAnAttachment) {
    qputenv("PATH", QByteArray::fromStdString(fakeMailProgram(dir, 0).string()));
    EXPECT_TRUE(sendAndWait(QStringLiteral("Chyba v Testu II\nDíky")));
    const std::filesystem::path note = dir / "program" / "WorkDir" / "Zprava.txt";
    EXPECT_EQ(testing::readBytes(note), "Chyba v Testu II\r\nD\xED" "ky\r\n");
    EXPECT_EQ(testing::readBytes(dir / "arguments.txt"),
              "--utf8\n--subject\nZprava od uživatele\n--attach\n" + note.string() + "\nautor@lexo.example\n");
    EXPECT_TRUE(errors.empty());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(findWidget<QPlainTextEdit>(window, "Memo1")->toPlainText().isEmpty());

    // An empty note still makes an empty file, overwriting the first.
    EXPECT_TRUE(sendAndWait(QString()));
    EXPECT_EQ(std::filesystem::file_size(note), 0u);
}

TEST_F(MessageWindowTest, FailingOrMissingMailProgramShowsTheErrorBox) {
    const std::string expected = "Chyba|Nepodařilo se poslat zprávu elektronickou poštou.\n\nPokud používáte Outlook "
                                 "expres, zkontrolujte, zda je nastaven jako výchozí klient MAPI.";
    qputenv("PATH", QByteArray::fromStdString(fakeMailProgram(dir, 3).string()));
    EXPECT_FALSE(sendAndWait(QStringLiteral("a")));
    EXPECT_EQ(errors, std::vector<std::string>{expected});
    EXPECT_TRUE(findWidget<QPlainTextEdit>(window, "Memo1")->toPlainText().isEmpty());

    errors.clear();
    qputenv("PATH", QByteArray::fromStdString((dir / "empty").string()));
    EXPECT_FALSE(sendAndWait(QStringLiteral("b")));
    EXPECT_EQ(errors, std::vector<std::string>{expected});
    // The note stays on disk for the user to send by hand.
    EXPECT_EQ(testing::readBytes(dir / "program" / "WorkDir" / "Zprava.txt"), "b\r\n");

    // "Zpět" empties the note too.
    window.show();
    findWidget<QPlainTextEdit>(window, "Memo1")->setPlainText(QStringLiteral("rozepsané"));
    QTest::mouseClick(findWidget<QPushButton>(window, "BitBtn2"), Qt::LeftButton);
    EXPECT_TRUE(findWidget<QPlainTextEdit>(window, "Memo1")->toPlainText().isEmpty());
}

}  // namespace
}  // namespace lexo
