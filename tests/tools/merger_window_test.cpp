#include "tools/merger_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <deque>

#include "support/fake_prompter.h"
#include "support/find_widget.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

using lexo::testing::findWidget;
using lexo::testing::readBytes;
using lexo::testing::TempDir;
using lexo::testing::writeBytes;
using Kind = FakePrompter::Kind;

class MergerWindowTest : public ::testing::Test {
protected:
    MergerWindowTest() {
        writeBytes(dir / "a.slv", "pes;dog;[];NENÍ\r\nkočka;cat;[];NENÍ\r\nkůň;horse;[];NENÍ\r\n");
        writeBytes(dir / "b.slv", "ryba;fish;[];NENÍ\r\npták;bird;[];NENÍ\r\n");
        window.setPathChooser([this](MergerWindow::FileDialog which) -> std::optional<QString> {
            asked.push_back(which);
            if (paths.empty()) return std::nullopt;
            QString path = paths.front();
            paths.pop_front();
            return path;
        });
        window.setCloseHandler([this] { ++closed; });
        window.open();
    }

    void click(const char* name) { findWidget<QPushButton>(window, name)->click(); }
    void load(const char* file) {
        paths.push_back(QString::fromStdString((dir / file).string()));
        click("btnacti");
    }
    QString count(const char* name) { return findWidget<QLabel>(window, name)->text(); }
    QTableView* table(const char* name) { return findWidget<QTableView>(window, name); }
    QString cell(const char* name, int row, int column) {
        return table(name)->model()->index(row, column).data().toString();
    }

    TempDir dir;
    FakePrompter prompter;
    MergerWindow window{prompter};
    std::deque<QString> paths;
    std::vector<MergerWindow::FileDialog> asked;
    int closed = 0;
};

TEST_F(MergerWindowTest, MovesTheSelectedRowsAndShowsTheCounts) {
    EXPECT_EQ(window.windowTitle(), "Slučovač slovníků");
    EXPECT_EQ(count("Label5"), "");
    EXPECT_EQ(count("Label6"), "");
    QTableView* source = table("stg");
    EXPECT_EQ(source->model()->headerData(0, Qt::Horizontal).toString(), "Český výraz");
    EXPECT_EQ(source->model()->headerData(3, Qt::Horizontal).toString(), "Mluvená výslovnost");
    EXPECT_EQ(findWidget<QPushButton>(window, "BitBtn1")->toolTip(), "Převést všechny výrazy do nového slovníku");

    load("a.slv");
    EXPECT_EQ(count("Label5"), "3");
    source->selectRow(2);
    click("btpreved");
    click("BitBtn1");
    load("b.slv");
    source->selectRow(1);
    click("btpreved");
    EXPECT_EQ(count("Label5"), "2");
    EXPECT_EQ(count("Label6"), "5");
    QStringList czech;
    for (int row = 0; row < 5; ++row) czech << cell("stg1", row, 0);
    EXPECT_EQ(czech, (QStringList{"kůň", "pes", "kočka", "kůň", "pták"}));
    EXPECT_EQ(cell("stg1", 4, 1), "bird");

    table("stg1")->selectRow(0);
    click("btuberznovy");
    EXPECT_EQ(cell("stg1", 0, 0), "pes");
    EXPECT_EQ(count("Label6"), "4");
    source->selectRow(0);
    click("btuberstary");
    EXPECT_EQ(cell("stg", 0, 0), "pták");
    EXPECT_EQ(count("Label5"), "1");

    paths.push_back(QString::fromStdString((dir / "novy.slv").string()));
    click("btuloz");
    EXPECT_EQ(asked.back(), MergerWindow::FileDialog::Save);
    EXPECT_EQ(readBytes(dir / "novy.slv"),
              "pes;dog;[];NEN\xCD\r\nko\xE8ka;cat;[];NEN\xCD\r\nk\xF9\xF2;horse;[];NEN\xCD\r\npt\xE1k;bird;[];NEN\xCD\r\n");
}

TEST_F(MergerWindowTest, EmptyingAndClosingGiveTheRightMessagesAndReturn) {
    click("btuloz");
    load("b.slv");
    click("BitBtn1");
    click("BitBtn2");
    click("btuloz");
    EXPECT_EQ(prompter.texts(Kind::Information),
              (std::vector<std::string>{"Nelze uložit prázdný slovník.", "Nelze uložit prázdný slovník!"}));
    click("BitBtn1");
    window.close();
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(count("Label5"), "-");
    EXPECT_EQ(count("Label6"), "-");
    EXPECT_EQ(table("stg")->model()->rowCount(), 0);
    EXPECT_EQ(table("stg1")->model()->rowCount(), 0);
    // Buttons on empty lists do nothing.
    click("btpreved");
    click("btuberstary");
    click("btuberznovy");
    EXPECT_EQ(table("stg1")->model()->rowCount(), 0);
    EXPECT_EQ(prompter.count(Kind::Error), 0u);
}

}  // namespace
}  // namespace lexo
