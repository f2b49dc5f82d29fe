#include "statistics/statistics_window.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSize>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <numeric>

#include "common/app_signals.h"
#include "platform/atomic_file.h"
#include "platform/ports.h"
#include "statistics/statistics_chart_view.h"
#include "statistics/statistics_store.h"
#include "statistics/statistics_table_model.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The design's sizes, made for a small system font; each column also gets at least the
// room its title and its widest usual text need in the font in use, and the window grows
// with the columns, so nothing is cut off with larger fonts.
constexpr std::array<int, kStatisticsColumnCount> kColumnWidths{280, 59, 56, 46, 42, 72, 66, 62};
constexpr std::array<const char*, kStatisticsColumnCount> kWidestTexts{
    "", "28.12.2006", "23:59:59", "100", "100", "100", "Ano", "Zkoušení II"};
constexpr int kRowHeight = 16;
constexpr QSize kClientSize{725, 268};
constexpr int kPanelWidth = 180;
constexpr int kChartHeight = 300;

std::array<int, kStatisticsColumnCount> columnWidths(const QFontMetrics& metrics) {
    constexpr int kCellPadding = 14;
    std::array<int, kStatisticsColumnCount> widths{};
    for (std::size_t c = 0; c < kStatisticsColumnCount; ++c) {
        const int title = metrics.horizontalAdvance(qs(kStatisticsColumnTitles[c])) + kCellPadding;
        const int text = metrics.horizontalAdvance(QString::fromUtf8(kWidestTexts[c])) + kCellPadding;
        widths[c] = std::max({kColumnWidths[c], title, text});
    }
    return widths;
}

std::optional<QString> bitmapFromDialog(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Bitmapový soubor (*.bmp)"));
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

void fill(QComboBox* box, const std::vector<std::string>& items, std::size_t current) {
    const QSignalBlocker blocker(box);
    box->clear();
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items) texts.push_back(qs(item));
    box->addItems(texts);
    box->setCurrentIndex(items.empty() ? -1 : static_cast<int>(current));
}

}  // namespace

StatisticsWindow::StatisticsWindow(StatisticsStore& store, AppSignals& appSignals, Prompter& prompter,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window),
      store_(store),
      prompter_(prompter),
      session_(store),
      saveFileChooser_(bitmapFromDialog) {
    setObjectName(QStringLiteral("Form23"));
    setWindowTitle(QStringLiteral("Statistiky"));

    model_ = new StatisticsTableModel(store_, this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    pages_->addTab(buildTablePage(), QStringLiteral("Hodnoty"));
    pages_->addTab(buildChartPage(), QStringLiteral("Grafy"));

    deleteRow_ = iconButton("BitBtn4", "Smazat řádek", QStyle::SP_DialogDiscardButton, this);
    deleteAll_ = iconButton("BitBtn5", "Smazat vše", QStyle::SP_TrashIcon, this);
    auto* bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("Panel2"));
    auto* bottomLayout = new QHBoxLayout(bottom);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    bottomLayout->addWidget(deleteRow_);
    bottomLayout->addWidget(deleteAll_);
    bottomLayout->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(pages_, 1);
    layout->addWidget(bottom);

    connect(deleteRow_, &QPushButton::clicked, this, &StatisticsWindow::deleteSelectedRow);
    connect(deleteAll_, &QPushButton::clicked, this, &StatisticsWindow::deleteAllRows);
    connect(show_, &QPushButton::clicked, this, &StatisticsWindow::showChart);
    connect(save_, &QPushButton::clicked, this, &StatisticsWindow::saveChart);
    connect(dictionaries_, &QComboBox::activated, this, &StatisticsWindow::dictionaryChosen);
    connect(from_, &QComboBox::activated, this, &StatisticsWindow::fromChosen);
    connect(to_, &QComboBox::activated, this, &StatisticsWindow::toChosen);
    connect(from_->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { session_.typeFrom(text.toStdString()); });
    connect(to_->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { session_.typeTo(text.toStdString()); });

    chartView_->setSeriesColour(appSignals.chartColour());
    connect(&appSignals, &AppSignals::chartColourChanged, chartView_, &StatisticsChartView::setSeriesColour);

    fill(dictionaries_, session_.dictionaryItems(), session_.dictionaryIndex());
    showPeriodLists();

    // The chart needs more height than the design's small font left it.
    setFixedSize(windowSize().expandedTo(QSize(0, layout->minimumSize().height())));
    centreOnScreen(*this);
}

StatisticsWindow::~StatisticsWindow() = default;

double StatisticsWindow::scale() const {
    const std::array<int, kStatisticsColumnCount> widths = columnWidths(fontMetrics());
    const int needed = std::accumulate(widths.begin(), widths.end(), 0);
    const int designed = std::accumulate(kColumnWidths.begin(), kColumnWidths.end(), 0);
    return std::max(1.0, static_cast<double>(needed) / designed);
}

QSize StatisticsWindow::windowSize() const {
    return QSize(static_cast<int>(kClientSize.width() * scale()), static_cast<int>(kClientSize.height() * scale()));
}

QWidget* StatisticsWindow::buildTablePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    table_ = new QTableView(page);
    table_->setObjectName(QStringLiteral("stg1"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    table_->setWordWrap(false);
    table_->setMouseTracking(true);
    QHeaderView* columns = table_->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setHighlightSections(false);
    const std::array<int, kStatisticsColumnCount> widths = columnWidths(table_->fontMetrics());
    for (std::size_t c = 0; c < widths.size(); ++c) table_->setColumnWidth(static_cast<int>(c), widths[c]);
    QHeaderView* rows = table_->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Interactive);
    rows->setMinimumSectionSize(kRowHeight);
    rows->setDefaultSectionSize(std::max(kRowHeight, fontMetrics().height() + 2));
    rows->hide();
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    return page;
}

QWidget* StatisticsWindow::buildChartPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));

    auto* panel = new QWidget(page);
    panel->setObjectName(QStringLiteral("Panel1"));
    dictionaries_ = new QComboBox(panel);
    dictionaries_->setObjectName(QStringLiteral("ComboBox1"));
    dictionaries_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    dictionaries_->setMinimumContentsLength(12);
    choice_ = new QComboBox(panel);
    choice_->setObjectName(QStringLiteral("ComboBox2"));
    for (std::string_view item : kChartChoiceItems) choice_->addItem(qs(item));
    choice_->setCurrentIndex(0);

    auto* period = new QGroupBox(QStringLiteral("Období:"), panel);
    period->setObjectName(QStringLiteral("GroupBox1"));
    const auto periodBox = [period](const char* name) {
        auto* box = new QComboBox(period);
        box->setObjectName(QString::fromLatin1(name));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        return box;
    };
    from_ = periodBox("ComboBox3");
    to_ = periodBox("ComboBox4");
    auto* periodLayout = new QGridLayout(period);
    periodLayout->setContentsMargins(6, 4, 6, 6);
    periodLayout->addWidget(new QLabel(QStringLiteral("od:"), period), 0, 0);
    periodLayout->addWidget(from_, 0, 1);
    periodLayout->addWidget(new QLabel(QStringLiteral("do:"), period), 1, 0);
    periodLayout->addWidget(to_, 1, 1);
    periodLayout->setColumnStretch(1, 1);

    show_ = iconButton("BitBtn2", "Zobraz", QStyle::SP_MediaPlay, panel);
    show_->setToolTip(QStringLiteral("Zobrazíte graf s vybranými hodnotami"));
    save_ = iconButton("BitBtn3", "Ulož", QStyle::SP_DialogSaveButton, panel);
    save_->setToolTip(QStringLiteral("Uložení grafu do souboru"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(show_);
    buttons->addWidget(save_);

    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(3);
    panelLayout->addWidget(new QLabel(QStringLiteral("Název slovníku:"), panel));
    panelLayout->addWidget(dictionaries_);
    panelLayout->addWidget(new QLabel(QStringLiteral("Co zobrazit:"), panel));
    panelLayout->addWidget(choice_);
    panelLayout->addWidget(period);
    panelLayout->addStretch();
    panelLayout->addLayout(buttons);
    panel->setFixedWidth(static_cast<int>(kPanelWidth * scale()));

    chartView_ = new StatisticsChartView(page);
    chartView_->hide();
    auto* chartArea = new QWidget(page);
    chartArea->setMinimumHeight(kChartHeight);
    auto* chartLayout = new QVBoxLayout(chartArea);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->addWidget(chartView_);

    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(panel);
    layout->addWidget(chartArea, 1);
    return page;
}

void StatisticsWindow::setSaveFileChooser(SaveFileChooser chooser) { saveFileChooser_ = std::move(chooser); }

void StatisticsWindow::refreshDictionaries() {
    session_.refreshDictionaries();
    fill(dictionaries_, session_.dictionaryItems(), session_.dictionaryIndex());
    showPeriodLists();
}

void StatisticsWindow::showPeriodLists() {
    fill(from_, session_.periodItems(), session_.fromIndex());
    fill(to_, session_.periodItems(), session_.toIndex());
}

void StatisticsWindow::dictionaryChosen(int index) {
    if (index < 0 || static_cast<std::size_t>(index) == session_.dictionaryIndex()) return;
    session_.chooseDictionary(static_cast<std::size_t>(index));
    showPeriodLists();
}

void StatisticsWindow::fromChosen(int index) {
    if (index < 0) return;
    const auto chosen = static_cast<std::size_t>(index);
    if (chosen == session_.fromIndex() && session_.fromText() == session_.periodItems()[chosen]) return;
    const StatisticsChartSession::PeriodChange change = session_.selectFrom(chosen);
    if (change.reset) {
        const QSignalBlocker blocker(from_);
        from_->setCurrentIndex(static_cast<int>(session_.fromIndex()));
    }
    if (!change.error.empty()) prompter_.error(change.error);
}

void StatisticsWindow::toChosen(int index) {
    if (index < 0) return;
    const auto chosen = static_cast<std::size_t>(index);
    if (chosen == session_.toIndex() && session_.toText() == session_.periodItems()[chosen]) return;
    const StatisticsChartSession::PeriodChange change = session_.selectTo(chosen);
    if (change.reset) {
        const QSignalBlocker blocker(to_);
        to_->setCurrentIndex(static_cast<int>(session_.toIndex()));
    }
    if (!change.error.empty()) prompter_.error(change.error);
}

void StatisticsWindow::showChart() {
    const auto choice = static_cast<ChartChoice>(std::max(0, choice_->currentIndex()));
    const StatisticsChartSession::ShowResult result = session_.show(choice);
    if (result.outcome == StatisticsChartSession::ShowOutcome::NoDictionary) {
        prompter_.information(kNoDictionaryChosenMessage);
        return;
    }
    chartView_->show();
    chartView_->showChart(result.chart);
    if (!result.chart.complete()) prompter_.error(result.chart.error);
}

void StatisticsWindow::saveChart() {
    if (const std::optional<std::string_view> refusal = session_.saveRefusal()) {
        prompter_.information(*refusal);
        return;
    }
    const std::optional<QString> path = saveFileChooser_(this);
    if (!path || path->isEmpty()) return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QImage image = chartView_->toImage();
    FileResult written;
    if (!image.save(&buffer, "BMP")) written = {false, "obrázek nelze převést do formátu BMP"};
    else written = writeFileAtomically(path->toStdString(), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!written.ok) prompter_.error("Graf se nepodařilo uložit do souboru " + path->toStdString() + ": " + written.error);
}

void StatisticsWindow::deleteSelectedRow() {
    const QModelIndexList selected = table_->selectionModel()->selectedRows();
    if (selected.isEmpty()) return;
    const int row = selected.first().row();
    if (!store_.deleteRow(static_cast<std::size_t>(row))) return;
    // The row below moves up into the selection, so repeated presses keep deleting.
    if (model_->rowCount() > 0) table_->selectRow(std::min(row, model_->rowCount() - 1));
}

void StatisticsWindow::deleteAllRows() { store_.deleteAll(); }

void StatisticsWindow::closeEvent(QCloseEvent* event) {
    session_.windowClosed();
    chartView_->hide();
    QWidget::closeEvent(event);
}

}  // namespace lexo
