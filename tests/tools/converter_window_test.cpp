#include "tools/converter_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <deque>

#include "common/app_signals.h"
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
using Dialog = ConverterWindow::FileDialog;

class ConverterWindowTest : public ::testing::Test {
protected:
    ConverterWindowTest() {
        writeBytes(dir / "slova.cz", "pes\r\nko\xE8ka\r\nk\xF9\xF2\r\n");
        writeBytes(dir / "slova.ang", "dog\r\ncat\r\n");
        window.setPathChooser([this](Dialog which) -> std::optional<QString> {
            asked.push_back(which);
            if (paths.empty()) return std::nullopt;
            QString path = QString::fromStdString((dir / paths.front()).string());
            paths.pop_front();
            return path;
        });
        window.setCloseHandler([this] { ++closed; });
        window.open();
    }

    void click(const char* name, const char* file = nullptr) {
        if (file) paths.emplace_back(file);
        findWidget<QPushButton>(window, name)->click();
    }
    QString box(const char* name) { return findWidget<QPlainTextEdit>(window, name)->toPlainText(); }

    TempDir dir;
    FakePrompter prompter;
    AppSignals appSignals;
    ConverterWindow window{prompter, &appSignals};
    std::deque<std::string> paths;
    std::vector<Dialog> asked;
    int closed = 0;
};

TEST_F(ConverterWindowTest, BuildsTheDictionaryFromTheTwoListsAndSavesIt) {
    EXPECT_EQ(window.windowTitle(), "Převaděč slovníků");
    EXPECT_TRUE(findWidget<QPlainTextEdit>(window, "RichEdit1")->isReadOnly());
    EXPECT_EQ(findWidget<QPlainTextEdit>(window, "Memo1")->lineWrapMode(), QPlainTextEdit::NoWrap);
    click("BitBtn2", "slova.cz");
    click("BitBtn3", "slova.ang");
    EXPECT_EQ(asked, (std::vector<Dialog>{Dialog::OpenCzech, Dialog::OpenForeign}));
    EXPECT_EQ(box("RichEdit1"), "pes\nkočka\nkůň");
    click("BitBtn4");
    click("BitBtn4");
    EXPECT_EQ(box("Memo1"), "pes;dog;[];NENÍ\nkočka;cat;[];NENÍ\nkůň;;[];NENÍ");

    click("BitBtn5");  // Cancel keeps everything
    EXPECT_FALSE(box("Memo1").isEmpty());
    click("BitBtn5", "novy.slv");
    EXPECT_EQ(readBytes(dir / "novy.slv"), "pes;dog;[];NEN\xCD\r\nko\xE8ka;cat;[];NEN\xCD\r\nk\xF9\xF2;;[];NEN\xCD\r\n");
    EXPECT_TRUE(box("RichEdit1").isEmpty() && box("RichEdit2").isEmpty() && box("Memo1").isEmpty());
    click("BitBtn5");
    EXPECT_EQ(prompter.texts(Kind::Information), (std::vector<std::string>{"Nelze úkladat prázdný slovník!!!"}));
}

TEST_F(ConverterWindowTest, MenuItemsActLikeTheButtonsAndClosingKeepsTheBoxes) {
    findWidget<QAction>(window, "Pevstvrazydonovhoslovnku1")->trigger();
    paths.emplace_back("slova.cz");
    findWidget<QAction>(window, "Nastslovnksanglickouslovnzsobou1")->trigger();
    findWidget<QAction>(window, "Pevstvrazydonovhoslovnku1")->trigger();
    EXPECT_EQ(prompter.texts(Kind::Information),
              (std::vector<std::string>{"Nelze převést slovníky, není načtený slovník s Českými výrazy",
                                        "Nelze převést slovníky, není načtený slovník s Cizími výrazy"}));
    QFont font(QStringLiteral("DejaVu Sans"), 17);
    appSignals.setExpressionFont(font);
    EXPECT_EQ(findWidget<QPlainTextEdit>(window, "RichEdit2")->font().pointSize(), 17);

    findWidget<QAction>(window, "Zavt1")->trigger();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(box("RichEdit1"), "pes\nkočka\nkůň");
}

}  // namespace
}  // namespace lexo
