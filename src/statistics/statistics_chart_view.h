#pragma once

#include <QChartView>
#include <QColor>
#include <QImage>
#include <QList>
#include <QStringList>

#include "statistics/statistics_chart.h"

class QBarSeries;
class QBarSet;
class QCheckBox;
class QValueAxis;

namespace lexo {

// The bar chart of one dictionary's results. The bar series carries the values; the bars
// themselves, each in its own colour, with their value marks and date labels, are painted
// by one item inside the chart, because a bar set has a single colour and a category axis
// neither allows two equal dates nor keeps hundreds of labels readable (or fast).
class StatisticsChartView : public QChartView {
    Q_OBJECT
public:
    explicit StatisticsChartView(QWidget* parent = nullptr);
    ~StatisticsChartView() override;

    // The series colour; the bars take their own colours around it.
    void setSeriesColour(const QColor& colour);
    QColor seriesColour() const { return seriesColour_; }

    // Puts the chart's bars on show; axis and title change only when it was drawn to the end.
    void showChart(const StatisticsChart& chart);

    // "Zobrazit hodnoty" (the check box on the chart).
    void setValueMarksVisible(bool visible);
    bool valueMarksVisible() const;
    QCheckBox* valueMarksBox() const { return valueMarks_; }

    // What is on show.
    QList<qreal> barValues() const;
    QStringList barLabels() const { return labels_; }
    QColor barColour(int index) const;
    QString titleText() const;
    QValueAxis* valueAxis() const { return axisY_; }

    // The chart as it stands on screen, at its on-screen size, drawn on white.
    QImage toImage();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class BarsItem;

    void applyAxis(const ChartAxis& axis);
    void fitAxisLabels();
    void placeValueMarksBox();

    QBarSeries* series_ = nullptr;
    QBarSet* set_ = nullptr;
    QValueAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
    BarsItem* bars_ = nullptr;
    QCheckBox* valueMarks_ = nullptr;
    QColor seriesColour_{Qt::blue};
    ChartAxis axis_;
    QStringList labels_;
};

}  // namespace lexo
