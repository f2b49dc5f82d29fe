#pragma once

#include <functional>
#include <optional>

#include <QString>
#include <QWidget>

#include "statistics/statistics_chart.h"

class QComboBox;
class QPushButton;
class QTabWidget;
class QTableView;

namespace lexo {

class AppSignals;
class Prompter;
class StatisticsChartView;
class StatisticsStore;
class StatisticsTableModel;

// "Statistiky": the statistics rows in a table, a bar chart of one dictionary's results
// over a chosen period, and the deletes. Built once and then shown and hidden; whoever
// shows it calls refreshDictionaries() afterwards.
class StatisticsWindow : public QWidget {
    Q_OBJECT
public:
    // The save dialog of "Ulož", replaceable so tests need not answer a real one; nullopt on
    // Cancel.
    using SaveFileChooser = std::function<std::optional<QString>(QWidget* parent)>;

    StatisticsWindow(StatisticsStore& store, AppSignals& appSignals, Prompter& prompter, QWidget* parent = nullptr);
    ~StatisticsWindow() override;

    void setSaveFileChooser(SaveFileChooser chooser);

    // Fills the dictionary list afresh ("vyberte.." selected).
    void refreshDictionaries();

    // "Zobraz", "Ulož", "Smazat řádek", "Smazat vše".
    void showChart();
    void saveChart();
    void deleteSelectedRow();
    void deleteAllRows();

    const StatisticsChartSession& session() const { return session_; }
    StatisticsChartView* chartView() const { return chartView_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // How much larger than the design the window is, so the table's texts fit the font.
    double scale() const;
    QSize windowSize() const;
    QWidget* buildTablePage();
    QWidget* buildChartPage();
    void dictionaryChosen(int index);
    void fromChosen(int index);
    void toChosen(int index);
    void showPeriodLists();

    StatisticsStore& store_;
    Prompter& prompter_;
    StatisticsChartSession session_;
    SaveFileChooser saveFileChooser_;

    StatisticsTableModel* model_ = nullptr;
    QTabWidget* pages_ = nullptr;
    QTableView* table_ = nullptr;
    QComboBox* dictionaries_ = nullptr;
    QComboBox* choice_ = nullptr;
    QComboBox* from_ = nullptr;
    QComboBox* to_ = nullptr;
    QPushButton* show_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* deleteRow_ = nullptr;
    QPushButton* deleteAll_ = nullptr;
    StatisticsChartView* chartView_ = nullptr;
};

}  // namespace lexo
