#include "exam/evaluation_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/app_signals.h"
#include "text/text_codec.h"
#include "support/fake_prompter.h"
#include "support/temp_dir.h"
#include "support/fake_evaluated_test.h"
#include "support/find_widget.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using Kind = FakePrompter::Kind;
using testing::readBytes;

// Answer first, question second, as a test in "Z CZ do CIZ" holds them.
const std::vector<TestRecord> kWrong{{"dog", "pes", "[dog]", "NENÍ"},
                                     {"cat", "kočka", "[k2t]", "/zvuky/cat.wav"},
                                     {"horse+steed", "kůň", "[h0:s]", "NENÍ"}};

class EvaluationWindowTest : public ::testing::Test {
protected:
    EvaluationWindowTest() {
        session_.attachTestOne(testOne_);
        session_.attachTestTwo(testTwo_);
        window_ = std::make_unique<EvaluationWindow>(session_, signals_);
        window_->setShowTestOneHandler([this] { shown_.push_back("Test I"); });
        window_->setShowTestTwoHandler([this] { shown_.push_back("Test II"); });
        window_->setSavePathChooser([this] {
            ++saveDialogs_;
            return saveAnswer_;
        });
    }

    // A test ends as the tests end it: wrong answers, results, its flag, the window shown.
    void finish(FakeEvaluatedTest& test, const std::vector<TestRecord>& wrong, int correct) {
        for (const TestRecord& record : wrong) session_.appendWrongAnswer(record);
        const int count = static_cast<int>(wrong.size());
        session_.showResults(evaluateTest(correct, count, correct + count, GradeThresholds{80, 60, 50, 30}));
        session_.selectAction(EvaluationAction::Retest);
        test.finished = true;
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }

    template <class Widget>
    Widget* find(const char* name) const {
        return testing::findWidget<Widget>(*window_, name);
    }
    // On the caption's first letters: a radio button takes only clicks on its circle and text.
    void click(const char* name) {
        auto* button = find<QAbstractButton>(name);
        const QPoint at = qobject_cast<QRadioButton*>(button) ? QPoint(button->height() + 8, button->height() / 2)
                                                             : button->rect().center();
        QTest::mouseClick(button, Qt::LeftButton, {}, at);
    }
    QString text(const char* name) const { return find<QLabel>(name)->text(); }
    QListView* list() const { return find<QListView>("CheckListBox1"); }

    // What the list shows: each item's text, and whether its box is ticked.
    std::vector<std::pair<QString, bool>> items() const {
        std::vector<std::pair<QString, bool>> result;
        const QAbstractItemModel* model = list()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex index = model->index(row, 0);
            result.emplace_back(index.data().toString(), index.data(Qt::CheckStateRole).toInt() == Qt::Checked);
        }
        return result;
    }

    // A click on the box of one item, where the view draws it.
    void clickBox(int row) {
        QListView* view = list();
        const QModelIndex index = view->model()->index(row, 0);
        view->scrollTo(index);
        QStyleOptionViewItem option;
        option.initFrom(view);
        option.rect = view->visualRect(index);
        option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        const QRect box = view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, box.center());
    }

    std::string dictionaryText(const std::vector<std::string>& lines) const {
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        return *encodeWindows1250(text);
    }

    testing::TempDir dir_;
    FakePrompter prompter_;
    EvaluationSession session_{prompter_, dir_.path()};
    FakeEvaluatedTest testOne_;
    FakeEvaluatedTest testTwo_;
    AppSignals signals_;
    std::unique_ptr<EvaluationWindow> window_;
    std::vector<std::string> shown_;
    std::optional<fs::path> saveAnswer_;
    int saveDialogs_ = 0;
};

TEST_F(EvaluationWindowTest, ShowsTheResultsAndTheQuestionsAnsweredWrongly) {
    finish(testOne_, {kWrong[0], kWrong[1]}, 1);
    EXPECT_EQ(window_->objectName(), "Form9");
    EXPECT_EQ(window_->windowTitle(), "Vyhodnocení");
    EXPECT_EQ(text("lbspravne"), "1");
    EXPECT_EQ(text("lbspatne"), "2");
    EXPECT_EQ(text("lbuspesnost"), "33,3333333333333");
    EXPECT_EQ(text("lbznamka"), "4");
    EXPECT_EQ(items(), (std::vector<std::pair<QString, bool>>{{"pes", false}, {"kočka", false}}));
    EXPECT_TRUE(find<QRadioButton>("rbznova")->isChecked());
    click("rbtisk");
    window_->goBack();

    // The next end of a test selects the retest again, and the window follows.
    finish(testOne_, kWrong, 1);
    EXPECT_EQ(text("lbuspesnost"), "25");
    EXPECT_EQ(text("lbznamka"), "5");
    EXPECT_EQ(find<QLabel>("lbznamka")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(find<QRadioButton>("rbznova")->isChecked());
    window_->goBack();

    // A later "1" is green; the labels follow the session at every showing.
    finish(testOne_, {}, 4);
    EXPECT_EQ(text("lbuspesnost"), "100");
    EXPECT_EQ(text("lbznamka"), "1");
    EXPECT_EQ(find<QLabel>("lbznamka")->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_TRUE(items().empty());
}

TEST_F(EvaluationWindowTest, TicksGoThroughTheListToTheSession) {
    finish(testOne_, kWrong, 0);
    clickBox(1);
    EXPECT_TRUE(session_.ticked(1));
    list()->setCurrentIndex(list()->model()->index(2, 0));
    QTest::keyClick(list(), Qt::Key_Space);
    EXPECT_TRUE(session_.ticked(2));
    clickBox(1);
    EXPECT_FALSE(session_.ticked(1));

    click("BitBtn2");  // "Vybrat vše"
    EXPECT_EQ(items(), (std::vector<std::pair<QString, bool>>{{"pes", true}, {"kočka", true}, {"kůň", true}}));
    click("BitBtn3");  // "Zrušit vybraní"
    EXPECT_EQ(session_.tickedCount(), 0u);
    EXPECT_EQ(items(), (std::vector<std::pair<QString, bool>>{{"pes", false}, {"kočka", false}, {"kůň", false}}));
    EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(EvaluationWindowTest, TickingAnEmptyListSaysThereIsNothingToTick) {
    finish(testOne_, {}, 3);
    click("BitBtn2");
    click("BitBtn3");
    EXPECT_EQ(prompter_.texts(Kind::Information),
              (std::vector<std::string>{"Nejsou žádné výrazy k výběru.", "Nejsou žádné výrazy k výběru."}));
    EXPECT_TRUE(window_->isVisible());
}

TEST_F(EvaluationWindowTest, RetestHandsTheTickedExpressionsToTestOne) {
    finish(testOne_, kWrong, 1);
    click("BitBtn4");  // nothing ticked
    EXPECT_EQ(prompter_.texts(Kind::Information),
              std::vector<std::string>{"Nebyly vybrány žádné výrazy ze seznamu."});
    EXPECT_TRUE(window_->isVisible());
    EXPECT_TRUE(shown_.empty());
    EXPECT_TRUE(testOne_.finished) << "the results stay Test I's";

    clickBox(0);
    clickBox(2);
    click("BitBtn4");
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(shown_, std::vector<std::string>{"Test I"});
    ASSERT_EQ(testOne_.retests.size(), 1u);
    const ExpressionTable& retest = testOne_.retests.front();
    ASSERT_EQ(retest.size(), 2u);
    EXPECT_EQ(retest.czech(0), "pes");
    EXPECT_EQ(retest.foreign(1), "horse+steed");
    EXPECT_EQ(readBytes(dir_ / "spatnevyrazy.slv"),
              dictionaryText({"pes;dog;[dog];NENÍ", "kočka;cat;[k2t];/zvuky/cat.wav", "kůň;horse+steed;[h0:s];NENÍ"}))
        << "the whole list is kept as the last wrong expressions";
    EXPECT_EQ(list()->model()->rowCount(), 0);
}

TEST_F(EvaluationWindowTest, SaveWritesTheTickedExpressionsToTheChosenFile) {
    testOne_.direction = TestDirection::ForeignToCzech;
    // Records of a foreign-to-Czech test: the Czech text is the answer.
    finish(testOne_, {{"pes", "dog", "[dog]", "NENÍ"}, {"kočka", "cat", "[k2t]", "NENÍ"}}, 2);
    click("rbulozit");
    EXPECT_EQ(session_.action(), EvaluationAction::Save);

    click("BitBtn4");
    EXPECT_EQ(prompter_.texts(Kind::Information),
              std::vector<std::string>{"Nejsou vybrány žádne výrazy, slovník nelze uložit."});
    EXPECT_EQ(saveDialogs_, 0);

    clickBox(1);
    click("BitBtn4");  // cancelled
    EXPECT_EQ(saveDialogs_, 1);
    EXPECT_EQ(prompter_.messages.size(), 1u);

    saveAnswer_ = dir_ / "nove.slv";
    click("BitBtn4");
    EXPECT_EQ(readBytes(dir_ / "nove.slv"), dictionaryText({"kočka;cat;[k2t];NENÍ"}));
    EXPECT_EQ(prompter_.texts(Kind::Information).back(), "Slovník byl úspěšně uložen.");
    EXPECT_TRUE(window_->isVisible());
    EXPECT_TRUE(shown_.empty());
    EXPECT_EQ(items().size(), 2u) << "the list stays for more actions";
}

TEST_F(EvaluationWindowTest, PrintLeavesForThePrintWindowOnlyWhenThereIsOne) {
    finish(testOne_, kWrong, 0);
    click("rbtisk");
    click("BitBtn4");
    EXPECT_EQ(prompter_.texts(Kind::Information),
              std::vector<std::string>{"Nejsou vybrány žádne výrazy, slovník nelze vytisknout."});
    clickBox(0);
    click("BitBtn4");
    EXPECT_TRUE(window_->isVisible()) << "no print window to go to";

    int prints = 0;
    window_->setShowPrintHandler([&] {
        EXPECT_FALSE(window_->isVisible());
        ++prints;
    });
    click("BitBtn4");
    EXPECT_EQ(prints, 1);
    ASSERT_EQ(session_.printLines().size(), 1u);
    EXPECT_EQ(session_.printLines().front().text, "pes - dog - [dog]");
}

TEST_F(EvaluationWindowTest, BackReturnsToTheTestThatEnded) {
    finish(testOne_, {kWrong[0]}, 2);
    click("BitBtn1");
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(shown_, std::vector<std::string>{"Test I"});
    EXPECT_EQ(testOne_.resets, 1);
    EXPECT_EQ(readBytes(dir_ / "spatnevyrazy.slv"), dictionaryText({"pes;dog;[dog];NENÍ"}));

    // Test II keeps its results on the labels until its next evaluation.
    finish(testTwo_, {kWrong[1]}, 1);
    click("BitBtn1");
    EXPECT_EQ(shown_.back(), "Test II");
    EXPECT_EQ(readBytes(dir_ / "spatnevyrazyjedn.slv"), dictionaryText({"kočka;cat;[k2t];/zvuky/cat.wav"}));
    window_->show();
    EXPECT_EQ(text("lbspravne"), "1");
    EXPECT_TRUE(items().empty());
}

TEST_F(EvaluationWindowTest, ClosingTheWindowGoesBackOnce) {
    finish(testOne_, {kWrong[0]}, 2);
    ASSERT_TRUE(window_->close());
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(shown_, std::vector<std::string>{"Test I"});
    EXPECT_EQ(text("lbspravne"), "-");
    EXPECT_TRUE(fs::exists(dir_ / "spatnevyrazy.slv"));

    // Closing again finds no test waiting for its results.
    fs::remove(dir_ / "spatnevyrazy.slv");
    window_->show();
    ASSERT_TRUE(window_->close());
    EXPECT_EQ(shown_.size(), 1u);
    EXPECT_EQ(testOne_.resets, 1);
    EXPECT_FALSE(fs::exists(dir_ / "spatnevyrazy.slv"));
}

TEST_F(EvaluationWindowTest, ALongListIsShownWithoutAnItemPerAnswer) {
    std::vector<TestRecord> many;
    constexpr int kCount = 200000;
    many.reserve(kCount);
    for (int i = 0; i < kCount; ++i) many.push_back({"a" + std::to_string(i), "q" + std::to_string(i), "[]", "NENÍ"});
    finish(testOne_, many, 0);
    EXPECT_EQ(list()->model()->rowCount(), kCount);
    clickBox(kCount - 1);
    EXPECT_TRUE(session_.ticked(kCount - 1));
    EXPECT_EQ(list()->model()->index(kCount - 1, 0).data().toString(), "q199999");
    click("BitBtn2");
    EXPECT_EQ(session_.tickedCount(), static_cast<std::size_t>(kCount));

    // Emptied by the retest: the view must not ask for rows that are gone.
    click("BitBtn4");
    EXPECT_EQ(list()->model()->rowCount(), 0);
    EXPECT_EQ(testOne_.retests.front().size(), static_cast<std::size_t>(kCount));
}

}  // namespace
}  // namespace lexo
