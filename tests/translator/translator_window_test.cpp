#include "translator/translator_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "platform/settings_store.h"
#include "support/fake_prompter.h"
#include "support/find_widget.h"
#include "support/temp_dir.h"
#include "text/text_codec.h"

namespace lexo {
namespace {

using testing::findWidget;

class TranslatorWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::writeBytes(dir / "prekladac.dat",
                            encodeWindows1250("HOME;domov\r\nHOUND;pes\r\nHOUSE;dům, stavení\r\nHOUR;hodina\r\n-\r\n"
                                              "Začátek český výrazů\r\nDOMOV;home\r\nDŮM;house, home\r\nHOUSENKA;caterpillar\r\n"
                                              "PES;hound\r\n")
                                .value());
    }
    std::unique_ptr<TranslatorWindow> open() {
        auto window = std::make_unique<TranslatorWindow>(session, prompter);
        window->show();
        // Shortcuts reach only the active window.
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return window;
    }
    static int selectedRow(const TranslatorWindow& window) {
        const auto rows = findWidget<QTableView>(window, "StringGrid1")->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.first().row() : -1;
    }
    static QString cell(const TranslatorWindow& window, int row, int column) {
        auto* table = findWidget<QTableView>(window, "StringGrid1");
        return table->model()->index(row, column).data().toString();
    }

    testing::TempDir dir;
    MemorySettingsStore settings;
    FakePrompter prompter;
    TranslatorSession session{settings, prompter, dir.path()};
};

TEST_F(TranslatorWindowTest, TypingInCapitalsSelectsAndSwapFindsTheReverse) {
    auto window = open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Translator (ANJ -> CZ)"));
    auto* search = findWidget<QLineEdit>(*window, "edthledej");
    auto* table = findWidget<QTableView>(*window, "StringGrid1");
    EXPECT_EQ(table->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Cizí výraz"));
    EXPECT_EQ(selectedRow(*window), 0);

    QTest::keyClicks(search, QStringLiteral("hous"));
    EXPECT_EQ(search->text(), QStringLiteral("HOUS"));
    EXPECT_EQ(selectedRow(*window), 2);
    EXPECT_EQ(cell(*window, 2, 1), QStringLiteral("dům, stavení"));
    // The full text of a cell is its tooltip.
    EXPECT_EQ(table->model()->index(2, 1).data(Qt::ToolTipRole).toString(), QStringLiteral("dům, stavení"));

    // F3 in the search field: its release must not search the Czech part for "HOUS".
    QTest::keyClick(search, Qt::Key_F3);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Translator (CZ -> ANJ)"));
    EXPECT_EQ(table->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Český výraz"));
    EXPECT_EQ(cell(*window, selectedRow(*window), 0), QStringLiteral("DŮM"));
    EXPECT_TRUE(findWidget<QAction>(*window, "ZCZdoANj1")->isChecked());
    EXPECT_FALSE(findWidget<QAction>(*window, "ZANJdoCZ1")->isChecked());
    EXPECT_EQ(search->selectedText(), QStringLiteral("HOUS"));

    // Either direction item swaps, the one of the present direction too.
    findWidget<QAction>(*window, "ZCZdoANj1")->trigger();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Translator (ANJ -> CZ)"));
    EXPECT_EQ(cell(*window, selectedRow(*window), 0), QStringLiteral("HOUSE"));
}

TEST_F(TranslatorWindowTest, EnterAndCopyAndInstantSearch) {
    auto window = open();
    auto* search = findWidget<QLineEdit>(*window, "edthledej");
    QTest::keyClicks(search, QStringLiteral("HOME"));
    // "H" found HOUND; HOME, the first entry, is not found by typing.
    EXPECT_EQ(selectedRow(*window), 1);
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_EQ(selectedRow(*window), 0);
    EXPECT_EQ(search->selectedText(), QStringLiteral("HOME"));

    search->clear();
    QTest::keyClicks(search, QStringLiteral("HOUR"));
    EXPECT_EQ(selectedRow(*window), 3);
    QApplication::clipboard()->clear();
    QTest::keyClick(window.get(), Qt::Key_F2);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("hodina"));

    // Backspacing to empty goes back to the first row.
    for (int i = 0; i < 4; ++i) QTest::keyClick(search, Qt::Key_Backspace);
    EXPECT_EQ(selectedRow(*window), 0);

    // F5 turns instant search off: typing then moves nothing until Enter.
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_FALSE(findWidget<QAction>(*window, "Auto1")->isChecked());
    QTest::keyClicks(search, QStringLiteral("HOUND"));
    EXPECT_EQ(selectedRow(*window), 0);
    findWidget<QToolButton>(*window, "SpeedButton1")->click();
    EXPECT_EQ(selectedRow(*window), 1);

    findWidget<QAction>(*window, "Info1")->trigger();
    EXPECT_EQ(prompter.texts(FakePrompter::Kind::Information),
              (std::vector<std::string>{"Ve slovníku je: 8 výrazů."}));

    window->close();
    EXPECT_EQ(settings.readBool(kTranslatorSettingsKey, "Okamzite"), false);
}

TEST_F(TranslatorWindowTest, WithoutAWordListTheWindowOpensEmptyAndReloadsLater) {
    std::filesystem::rename(dir / "prekladac.dat", dir / "elsewhere.dat");
    auto window = open();
    EXPECT_EQ(prompter.texts(FakePrompter::Kind::Error), (std::vector<std::string>{"Nenalezen slovník!"}));
    EXPECT_EQ(findWidget<QTableView>(*window, "StringGrid1")->model()->rowCount(), 0);
    QTest::keyClicks(findWidget<QLineEdit>(*window, "edthledej"), QStringLiteral("HOU"));
    QTest::keyClick(window.get(), Qt::Key_F3);
    QTest::keyClick(window.get(), Qt::Key_F2);

    std::filesystem::rename(dir / "elsewhere.dat", dir / "prekladac.dat");
    window->reload();
    EXPECT_TRUE(session.loaded());
    EXPECT_EQ(findWidget<QTableView>(*window, "StringGrid1")->model()->rowCount(), 4);  // swapped to Czech
}

}  // namespace
}  // namespace lexo
