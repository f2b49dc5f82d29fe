#include "statistics/statistics_chart_view.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGraphicsItem>
#include <QLinearGradient>
#include <QPainter>
#include <QResizeEvent>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace lexo {
namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Above the plot area, its grid and the series' own (invisible) bars.
constexpr qreal kBarsZValue = 10;
// Share of a bar's slot that the bar fills, as bar series draw it.
constexpr qreal kBarWidth = 0.5;
// Hundreds of grid lines help nobody, and a huge count must not hang the window.
constexpr int kMaxTicks = 60;

}  // namespace

// Paints the bars, their value marks above them and their date labels below the plot
// area. Labels and marks that would overlap the one before are left out, so any number of
// bars stays readable.
class StatisticsChartView::BarsItem final : public QGraphicsItem {
public:
    explicit BarsItem(QChart* chart) : QGraphicsItem(chart), chart_(chart) { setZValue(kBarsZValue); }

    QRectF boundingRect() const override { return QRectF(QPointF(0, 0), chart_->size()); }

    void setBars(QList<qreal> values, QStringList labels) {
        values_ = std::move(values);
        labels_ = std::move(labels);
        update();
    }

    void setColour(const QColor& colour) {
        colour_ = colour;
        update();
    }

    void setMarksVisible(bool visible) {
        marksVisible_ = visible;
        update();
    }
    bool marksVisible() const { return marksVisible_; }

    void setRange(qreal minimum, qreal maximum) {
        minimum_ = minimum;
        maximum_ = maximum;
        update();
    }

    void geometryChanged() {
        prepareGeometryChange();
        update();
    }

    // Bar 0 has the series colour itself; the others turn round the colour wheel by the
    // golden angle, so neighbours always differ. A grey series colour still gives colours.
    static QColor colourOf(int index, const QColor& series) {
        if (index == 0) return series;
        const int hue = series.hsvHue() < 0 ? 0 : series.hsvHue();
        const int turned = static_cast<int>(std::lround(hue + 137.508 * (index % 360))) % 360;
        return QColor::fromHsv(turned, std::max(series.hsvSaturation(), 150), std::max(series.value(), 170));
    }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        const int count = static_cast<int>(values_.size());
        const QRectF plot = chart_->plotArea();
        if (count == 0 || plot.width() <= 0 || plot.height() <= 0 || maximum_ <= minimum_) return;
        painter->setRenderHint(QPainter::Antialiasing, false);
        const qreal slot = plot.width() / count;
        const qreal width = std::max<qreal>(1, slot * kBarWidth);
        const auto yOf = [&](qreal value) {
            const qreal clamped = std::clamp(value, minimum_, maximum_);
            return plot.bottom() - (clamped - minimum_) / (maximum_ - minimum_) * plot.height();
        };
        const qreal base = yOf(0);

        QList<QRectF> barRects;
        barRects.reserve(count);
        for (int i = 0; i < count; ++i) {
            const qreal centre = plot.left() + slot * (i + 0.5);
            const qreal top = yOf(values_[i]);
            const QRectF rect(QPointF(centre - width / 2, std::min(top, base)), QPointF(centre + width / 2, std::max(top, base)));
            barRects.push_back(rect);
            const QColor colour = colourOf(i, colour_);
            QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
            fill.setColorAt(0, colour.lighter(165));
            fill.setColorAt(1, colour);
            painter->setBrush(fill);
            painter->setPen(width >= 4 ? QPen(colour.darker(140), 0) : QPen(Qt::NoPen));
            painter->drawRect(rect);
        }

        painter->setRenderHint(QPainter::TextAntialiasing, true);
        const QFont font = chart_->axes(Qt::Vertical).isEmpty() ? QFont() : chart_->axes(Qt::Vertical).first()->labelsFont();
        painter->setFont(font);
        const QFontMetricsF metrics(font);

        // Dates under the bars.
        painter->setPen(QColor(40, 40, 40));
        qreal lastRight = -1e9;
        for (int i = 0; i < count && i < labels_.size(); ++i) {
            const qreal textWidth = metrics.horizontalAdvance(labels_[i]);
            const qreal centre = barRects[i].center().x();
            const QRectF rect(centre - textWidth / 2, plot.bottom() + 4, textWidth, metrics.height());
            if (rect.left() < lastRight + 6 || rect.left() < 0 || rect.right() > chart_->size().width()) continue;
            painter->drawText(rect, Qt::AlignCenter, labels_[i]);
            lastRight = rect.right();
        }

        if (!marksVisible_) return;
        // Value marks: small notes above the bars.
        QRectF lastMark;
        for (int i = 0; i < count; ++i) {
            const QString text = QString::number(values_[i]);
            const qreal textWidth = metrics.horizontalAdvance(text) + 6;
            const qreal height = metrics.height() + 2;
            QRectF mark(barRects[i].center().x() - textWidth / 2, barRects[i].top() - height - 3, textWidth, height);
            if (mark.top() < plot.top() - height) mark.moveTop(plot.top() - height);
            if (!lastMark.isNull() && mark.intersects(lastMark.adjusted(-2, 0, 2, 0))) continue;
            painter->setPen(QColor(128, 128, 128));
            painter->setBrush(QColor(255, 255, 225));
            painter->drawRect(mark);
            painter->setPen(Qt::black);
            painter->drawText(mark, Qt::AlignCenter, text);
            lastMark = mark;
        }
    }

    const QList<qreal>& values() const { return values_; }

private:
    QChart* chart_;
    QList<qreal> values_;
    QStringList labels_;
    QColor colour_{Qt::blue};
    qreal minimum_ = 0;
    qreal maximum_ = 102;
    bool marksVisible_ = true;
};

StatisticsChartView::StatisticsChartView(QWidget* parent) : QChartView(parent) {
    setObjectName(QStringLiteral("Chart1"));
    setFrameShape(QFrame::NoFrame);
    setRenderHint(QPainter::Antialiasing);

    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    QLinearGradient background(0, 0, 1, 1);
    background.setCoordinateMode(QGradient::ObjectBoundingMode);
    background.setColorAt(0, Qt::white);
    background.setColorAt(1, QColor(192, 192, 192));
    chart->setBackgroundBrush(background);
    chart->setPlotAreaBackgroundBrush(Qt::white);
    chart->setPlotAreaBackgroundVisible(true);
    QFont titleFont = chart->titleFont();
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->setTitleBrush(QColor(0, 0, 128));

    series_ = new QBarSeries;
    set_ = new QBarSet(QString());
    // The set only carries the values: the bars item draws what the user sees.
    set_->setBrush(Qt::transparent);
    set_->setPen(Qt::NoPen);
    series_->append(set_);
    series_->setLabelsVisible(false);
    chart->addSeries(series_);

    axisX_ = new QValueAxis;
    axisX_->setLabelsVisible(false);
    axisX_->setGridLineVisible(false);
    axisX_->setTickCount(2);
    axisX_->setRange(-0.5, 0.5);
    chart->addAxis(axisX_, Qt::AlignBottom);
    series_->attachAxis(axisX_);

    axisY_ = new QValueAxis;
    axisY_->setTickType(QValueAxis::TicksDynamic);
    axisY_->setTickAnchor(0);
    axisY_->setLabelFormat(QStringLiteral("%i"));
    axisY_->setMinorGridLineColor(axisY_->gridLineColor().lighter(108));
    chart->addAxis(axisY_, Qt::AlignLeft);
    series_->attachAxis(axisY_);

    // Room below the plot area for the dates.
    const QFontMetrics metrics(axisY_->labelsFont());
    chart->setMargins(QMargins(6, 6, 14, metrics.height() + 4));

    setChart(chart);
    bars_ = new BarsItem(chart);
    connect(chart, &QChart::plotAreaChanged, this, [this] {
        bars_->geometryChanged();
        fitAxisLabels();
    });
    applyAxis(ChartAxis{});

    valueMarks_ = new QCheckBox(QStringLiteral("Zobrazit hodnoty"), this);
    valueMarks_->setObjectName(QStringLiteral("CheckBox1"));
    valueMarks_->setChecked(true);
    valueMarks_->setAutoFillBackground(false);
    valueMarks_->adjustSize();
    connect(valueMarks_, &QCheckBox::toggled, this, &StatisticsChartView::setValueMarksVisible);
    placeValueMarksBox();
}

StatisticsChartView::~StatisticsChartView() = default;

void StatisticsChartView::setSeriesColour(const QColor& colour) {
    seriesColour_ = colour;
    set_->setColor(colour);
    // The set's own bars stay invisible whatever colour it carries.
    set_->setBrush(Qt::transparent);
    bars_->setColour(colour);
}

QColor StatisticsChartView::barColour(int index) const { return BarsItem::colourOf(index, seriesColour_); }

void StatisticsChartView::showChart(const StatisticsChart& chart) {
    QList<qreal> values;
    values.reserve(static_cast<qsizetype>(chart.bars.size()));
    labels_.clear();
    labels_.reserve(static_cast<qsizetype>(chart.bars.size()));
    for (const ChartBar& bar : chart.bars) {
        values.push_back(bar.value);
        labels_.push_back(qs(bar.label));
    }
    set_->remove(0, set_->count());
    set_->append(values);
    axisX_->setRange(-0.5, std::max<qreal>(0.5, static_cast<qreal>(values.size()) - 0.5));
    bars_->setBars(values, labels_);
    if (!chart.complete()) return;
    applyAxis(chart.axis);
    this->chart()->setTitle(QStringLiteral("<div align=\"center\">%1<br>%2</div>")
                                .arg(qs(chart.titleLine1).toHtmlEscaped(), qs(chart.titleLine2).toHtmlEscaped()));
}

void StatisticsChartView::applyAxis(const ChartAxis& axis) {
    axis_ = axis;
    axisY_->setRange(axis.minimum, axis.maximum);
    bars_->setRange(axis.minimum, axis.maximum);
    fitAxisLabels();
}

void StatisticsChartView::fitAxisLabels() {
    // Where the plot is too short for a label at every increment, the labels go to every
    // 2nd, 5th, 10th… increment (the value axis would otherwise cut every label to "…"),
    // while minor grid lines keep the increment itself visible.
    const qreal span = static_cast<qreal>(axis_.maximum) - axis_.minimum;
    const qreal step = std::max(1, axis_.step);
    const qreal room = chart()->plotArea().height() > 0 ? chart()->plotArea().height() : height();
    const qreal labelHeight = QFontMetricsF(axisY_->labelsFont()).height() * 1.15;
    const auto fits = [&](qreal interval) {
        const qreal count = span / interval;
        return count <= kMaxTicks && (count <= 1 || room / count >= labelHeight);
    };
    static constexpr int kMultiples[] = {1, 2, 5};
    qreal factor = 1;
    for (qreal decade = 1; !fits(step * factor) && decade < 1e10; decade *= 10) {
        for (int multiple : kMultiples) {
            factor = decade * multiple;
            if (fits(step * factor)) break;
        }
    }
    const int minorTicks = factor > 1 && factor <= 10 ? static_cast<int>(factor) - 1 : 0;
    if (axisY_->tickInterval() == step * factor && axisY_->minorTickCount() == minorTicks) return;
    axisY_->setTickInterval(step * factor);
    axisY_->setMinorTickCount(minorTicks);
}

void StatisticsChartView::setValueMarksVisible(bool visible) {
    bars_->setMarksVisible(visible);
    if (valueMarks_->isChecked() != visible) valueMarks_->setChecked(visible);
}

bool StatisticsChartView::valueMarksVisible() const { return bars_->marksVisible(); }

QList<qreal> StatisticsChartView::barValues() const { return bars_->values(); }

QString StatisticsChartView::titleText() const { return chart()->title(); }

QImage StatisticsChartView::toImage() {
    // A chart changed a moment ago has its new title and axis laid out only on the next
    // pass of the event loop; the picture must already show them.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QImage image(viewport()->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    render(&painter, QRectF(image.rect()), viewport()->rect());
    return image;
}

void StatisticsChartView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    placeValueMarksBox();
}

void StatisticsChartView::placeValueMarksBox() {
    if (valueMarks_ != nullptr) valueMarks_->move(width() - valueMarks_->width() - 8, 4);
}

}  // namespace lexo
