#include "statistics/statistics_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QValueAxis>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

#include "common/app_signals.h"
#include "statistics/statistics_chart_view.h"
#include "statistics/statistics_file.h"
#include "statistics/statistics_store.h"
#include "support/fake_clock.h"
#include "support/fake_prompter.h"
#include "support/temp_dir.h"
#include "support/find_widget.h"

namespace lexo {
namespace {

using testing::readBytes;
using testing::writeBytes;

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QStringList items(const QComboBox* box) {
    QStringList result;
    for (int i = 0; i < box->count(); ++i) result.push_back(box->itemText(i));
    return result;
}

std::uint32_t littleEndian32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

int darkestLightness(const QImage& image, const QRect& area) {
    int darkest = 255;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) darkest = std::min(darkest, image.pixelColor(x, y).lightness());
    return darkest;
}

constexpr const char* kFile =
    "anglictina.slv;1.12.2006;10:00:00;10;2;83;Ano;Zkoušení I\r\n"
    "nemcina.slv;2.12.2006;10:00:00;5;5;50;Ne;Zkoušení II\r\n"
    "anglictina.slv;3.12.2006;10:00:00;12;0;100;Ano;Zkoušení I\r\n"
    "anglictina.slv;3.12.2006;11:00:00;7;5;58;Ano;Zkoušení I\r\n"
    "anglictina.slv;10.12.2006;10:00:00;9;3;75;Ano;Zkoušení I\r\n";

class StatisticsWindowTest : public ::testing::Test {
protected:
    void open(std::string_view fileText = kFile) {
        writeBytes(file(), fileText);
        store_ = std::make_unique<StatisticsStore>(file(), clock_, &prompter_);
        store_->load();
        window_ = std::make_unique<StatisticsWindow>(*store_, appSignals_, prompter_);
        window_->setSaveFileChooser([this](QWidget*) {
            ++saveDialogs_;
            return std::exchange(saveAnswer_, std::nullopt);
        });
        reopen();
    }

    // As the main window does it: show, then refresh.
    void reopen() {
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        window_->refreshDictionaries();
    }

    std::filesystem::path file() const { return dir_ / "statistiky.dat"; }

    template <class Widget>
    Widget* find(const char* name) const {
        return testing::findWidget<Widget>(*window_, name);
    }

    void showGraphs() { find<QTabWidget>("PageControl1")->setCurrentIndex(1); }

    // The user picks entry `index` of a list with the keyboard.
    void pick(const char* box, int index) {
        auto* combo = find<QComboBox>(box);
        combo->setFocus();
        const int steps = index - combo->currentIndex();
        for (int i = 0; i < std::abs(steps); ++i) QTest::keyClick(combo, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
    }

    void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }

    StatisticsChartView* chart() const { return window_->chartView(); }

    testing::TempDir dir_;
    FakeClock clock_;
    FakePrompter prompter_;
    AppSignals appSignals_;
    std::unique_ptr<StatisticsStore> store_;
    std::unique_ptr<StatisticsWindow> window_;
    std::optional<QString> saveAnswer_;
    int saveDialogs_ = 0;
};

TEST_F(StatisticsWindowTest, HasTheDesignedControls) {
    open();
    EXPECT_EQ(window_->objectName(), "Form23");
    EXPECT_EQ(window_->windowTitle(), "Statistiky");
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
    auto* pages = find<QTabWidget>("PageControl1");
    ASSERT_EQ(pages->count(), 2);
    EXPECT_EQ(pages->tabText(0), "Hodnoty");
    EXPECT_EQ(pages->tabText(1), "Grafy");

    auto* table = find<QTableView>("stg1");
    EXPECT_EQ(table->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(table->model()->columnCount(), 8);
    constexpr int kDesigned[] = {280, 59, 56, 46, 42, 72, 66, 62};
    for (int c = 0; c < 8; ++c) {
        const QString title = table->model()->headerData(c, Qt::Horizontal).toString();
        EXPECT_EQ(title, qs(kStatisticsColumnTitles[static_cast<std::size_t>(c)]));
        // Never narrower than designed, nor than its title in the font in use.
        EXPECT_GE(table->columnWidth(c), kDesigned[c]) << c;
        EXPECT_GT(table->columnWidth(c), table->horizontalHeader()->fontMetrics().horizontalAdvance(title)) << c;
    }
    EXPECT_EQ(table->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);

    EXPECT_EQ(items(find<QComboBox>("ComboBox2")), (QStringList{"Úspěšnost v %", "Správné výrazy", "Špatné výrazy"}));
    EXPECT_EQ(find<QComboBox>("ComboBox2")->currentIndex(), 0);
    EXPECT_EQ(find<QPushButton>("BitBtn2")->text(), "Zobraz");
    EXPECT_EQ(find<QPushButton>("BitBtn2")->toolTip(), "Zobrazíte graf s vybranými hodnotami");
    EXPECT_EQ(find<QPushButton>("BitBtn3")->text(), "Ulož");
    EXPECT_EQ(find<QPushButton>("BitBtn3")->toolTip(), "Uložení grafu do souboru");
    EXPECT_EQ(find<QPushButton>("BitBtn4")->text(), "Smazat řádek");
    EXPECT_EQ(find<QPushButton>("BitBtn5")->text(), "Smazat vše");
    auto* marks = find<QCheckBox>("CheckBox1");
    EXPECT_EQ(marks->text(), "Zobrazit hodnoty");
    EXPECT_TRUE(marks->isChecked());
    EXPECT_TRUE(chart()->isHidden());
}

TEST_F(StatisticsWindowTest, TheTableFollowsTheRowsAndShowsEachCellAsTooltip) {
    open();
    auto* table = find<QTableView>("stg1");
    QAbstractItemModel* model = table->model();
    ASSERT_EQ(model->rowCount(), 5);
    EXPECT_EQ(model->index(1, 0).data().toString(), "nemcina");
    EXPECT_EQ(model->index(1, 7).data(Qt::ToolTipRole).toString(), "Zkoušení II");

    clock_.set(2006, 12, 11, 8, 30, 0);
    store_->appendTestResult({"/d/francouzstina.slv", 3, 1, 4, false, TestMode::TestTwo});
    ASSERT_EQ(model->rowCount(), 6);
    EXPECT_EQ(model->index(5, 0).data().toString(), "francouzstina");
    EXPECT_EQ(model->index(5, 1).data().toString(), "11.12.2006");
    EXPECT_EQ(model->index(5, 5).data().toString(), "75");
}

TEST_F(StatisticsWindowTest, ThePeriodListsFollowTheDictionaryAndStayInOrder) {
    open();
    showGraphs();
    auto* dictionaries = find<QComboBox>("ComboBox1");
    auto* from = find<QComboBox>("ComboBox3");
    auto* to = find<QComboBox>("ComboBox4");
    EXPECT_EQ(items(dictionaries), (QStringList{"vyberte..", "anglictina", "nemcina"}));
    EXPECT_EQ(dictionaries->currentText(), "vyberte..");
    EXPECT_EQ(items(from), QStringList{"-"});

    pick("ComboBox1", 1);
    const QStringList dates{"1.12.2006", "3.12.2006", "10.12.2006"};
    EXPECT_EQ(items(from), dates);
    EXPECT_EQ(items(to), dates);
    EXPECT_EQ(from->currentText(), "1.12.2006");
    EXPECT_EQ(to->currentText(), "10.12.2006");

    pick("ComboBox4", 1);
    pick("ComboBox3", 1);
    EXPECT_EQ(from->currentText(), "3.12.2006");
    pick("ComboBox3", 2);  // after "do:": back to the first date
    EXPECT_EQ(from->currentText(), "1.12.2006");
    EXPECT_EQ(window_->session().fromText(), "1.12.2006");
    EXPECT_TRUE(prompter_.messages.empty());

    pick("ComboBox1", 0);
    EXPECT_EQ(items(to), QStringList{"-"});
}

TEST_F(StatisticsWindowTest, ZobrazAndUlozExplainWhenThereIsNothingToDo) {
    open();
    showGraphs();
    click("BitBtn3");
    click("BitBtn2");
    EXPECT_EQ(prompter_.messages,
              (std::vector<FakePrompter::Message>{{FakePrompter::Kind::Information, "Nezobrazený graf nelze uložit!"},
                                                  {FakePrompter::Kind::Information, "Není vybrány žadný slovník"}}));
    EXPECT_TRUE(chart()->isHidden());
    EXPECT_EQ(saveDialogs_, 0);
}

TEST_F(StatisticsWindowTest, DrawsTheChosenDictionaryAndSavesItAsABitmapOfItsSize) {
    open();
    showGraphs();
    pick("ComboBox1", 1);
    pick("ComboBox2", 1);
    click("BitBtn2");
    ASSERT_FALSE(chart()->isHidden());
    EXPECT_EQ(chart()->barValues(), (QList<qreal>{10, 12, 7, 9}));
    EXPECT_EQ(chart()->barLabels(), (QStringList{"1.12.2006", "3.12.2006", "3.12.2006", "10.12.2006"}));
    EXPECT_EQ(chart()->valueAxis()->min(), 0);
    EXPECT_EQ(chart()->valueAxis()->max(), 14);
    EXPECT_TRUE(chart()->titleText().contains("Lexo slovník: anglictina"));
    EXPECT_TRUE(chart()->titleText().contains("Porovnání počtu správných výrazů"));
    EXPECT_TRUE(prompter_.messages.empty());

    const QString saved = QString::fromStdString((dir_ / "graf.bmp").string());
    saveAnswer_ = saved;
    click("BitBtn3");
    EXPECT_EQ(saveDialogs_, 1);
    const std::string bytes = readBytes(saved.toStdString());
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(littleEndian32(bytes, 18), static_cast<std::uint32_t>(chart()->width()));
    EXPECT_EQ(littleEndian32(bytes, 22), static_cast<std::uint32_t>(chart()->height()));
    const QImage image(saved);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), chart()->size());
    // The check box lies on the chart on screen but is no part of the picture: no dark text
    // where it stands.
    const QRect box = find<QCheckBox>("CheckBox1")->geometry();
    EXPECT_GT(darkestLightness(image, box), 150);
    EXPECT_LT(darkestLightness(chart()->grab().toImage(), box), 100);
    // Saved at once after "Zobraz", the picture already has the title.
    EXPECT_LT(darkestLightness(image, QRect(chart()->width() / 3, 0, chart()->width() / 3, 40)), 100);

    // Cancel writes nothing.
    std::filesystem::remove(saved.toStdString());
    click("BitBtn3");
    EXPECT_FALSE(std::filesystem::exists(saved.toStdString()));
}

TEST_F(StatisticsWindowTest, ValueMarksAndColourChangeWhatIsDrawn) {
    open();
    showGraphs();
    pick("ComboBox1", 2);
    click("BitBtn2");
    const QImage withMarks = chart()->toImage();

    QTest::mouseClick(find<QCheckBox>("CheckBox1"), Qt::LeftButton);
    EXPECT_FALSE(chart()->valueMarksVisible());
    const QImage withoutMarks = chart()->toImage();
    EXPECT_NE(withMarks, withoutMarks);

    appSignals_.setChartColour(QColor(200, 0, 0));
    EXPECT_EQ(chart()->seriesColour(), QColor(200, 0, 0));
    EXPECT_EQ(chart()->barColour(0), QColor(200, 0, 0));
    EXPECT_NE(chart()->barColour(1), chart()->barColour(0));
    EXPECT_NE(chart()->toImage(), withoutMarks);
}

TEST_F(StatisticsWindowTest, ClosingHidesTheChartUntilTheNextZobraz) {
    open();
    showGraphs();
    pick("ComboBox1", 1);
    click("BitBtn2");
    ASSERT_FALSE(chart()->isHidden());
    window_->close();
    EXPECT_FALSE(window_->isVisible());
    EXPECT_TRUE(chart()->isHidden());

    reopen();
    EXPECT_EQ(find<QComboBox>("ComboBox1")->currentText(), "vyberte..");
    click("BitBtn3");
    EXPECT_EQ(prompter_.texts(FakePrompter::Kind::Information), (std::vector<std::string>{"Nezobrazený graf nelze uložit!"}));
}

TEST_F(StatisticsWindowTest, ARowThatIsNoDateStopsTheChartWithTheBarsBeforeIt) {
    open("a.slv;1.1.2020;;1;0;100;Ano;Zkoušení I\r\n"
         "a.slv;2.1.2020;;2;0;100;Ano;Zkoušení I\r\n"
         "a.slv;2020-01-03;;3;0;100;Ano;Zkoušení I\r\n"
         "a.slv;4.1.2020;;4;0;100;Ano;Zkoušení I\r\n");
    showGraphs();
    pick("ComboBox1", 1);
    pick("ComboBox2", 1);
    click("BitBtn2");
    EXPECT_EQ(prompter_.texts(FakePrompter::Kind::Error), (std::vector<std::string>{"'2020-01-03' is not a valid date"}));
    EXPECT_FALSE(chart()->isHidden());
    EXPECT_EQ(chart()->barValues(), (QList<qreal>{1, 2}));
}

TEST_F(StatisticsWindowTest, DeletesChangeTheTableAndTheFile) {
    open();
    auto* table = find<QTableView>("stg1");
    QAbstractItemModel* model = table->model();

    // Nothing selected: nothing deleted.
    click("BitBtn4");
    EXPECT_EQ(model->rowCount(), 5);

    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(model->index(1, 3)).center());
    click("BitBtn4");
    ASSERT_EQ(model->rowCount(), 4);
    EXPECT_EQ(model->index(1, 1).data().toString(), "3.12.2006");
    EXPECT_EQ(parseStatisticsText(readBytes(file())).rows, store_->rows());
    // The row that moved up is selected now: a second press deletes it too.
    click("BitBtn4");
    EXPECT_EQ(model->rowCount(), 3);

    click("BitBtn5");
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(file()));
    click("BitBtn5");
    click("BitBtn4");
    EXPECT_TRUE(prompter_.messages.empty());

    store_->appendTestResult({"/d/novy.slv", 1, 1, 2, true, TestMode::TestOne});
    EXPECT_EQ(model->rowCount(), 1);
    EXPECT_EQ(parseStatisticsText(readBytes(file())).rows.size(), 1u);
}

}  // namespace
}  // namespace lexo
