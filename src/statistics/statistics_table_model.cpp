#include "statistics/statistics_table_model.h"

namespace lexo {
namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

StatisticsTableModel::StatisticsTableModel(StatisticsStore& store, QObject* parent)
    : QAbstractTableModel(parent), store_(store) {
    store_.addObserver(this);
}

StatisticsTableModel::~StatisticsTableModel() { store_.removeObserver(this); }

int StatisticsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(store_.size());
}

int StatisticsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kStatisticsColumnCount);
}

QVariant StatisticsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    const auto row = static_cast<std::size_t>(index.row());
    const auto column = static_cast<std::size_t>(index.column());
    if (row >= store_.size() || column >= kStatisticsColumnCount) return {};
    const std::string& text = store_.rows()[row].fields[column];
    // An empty cell shows no tooltip rather than an empty one.
    if (role == Qt::ToolTipRole && text.empty()) return {};
    return qs(text);
}

QVariant StatisticsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (section < 0 || static_cast<std::size_t>(section) >= kStatisticsColumnCount) return {};
    return qs(kStatisticsColumnTitles[static_cast<std::size_t>(section)]);
}

void StatisticsTableModel::rowsAboutToBeAppended(std::size_t first, std::size_t count) {
    beginInsertRows({}, static_cast<int>(first), static_cast<int>(first + count - 1));
}

void StatisticsTableModel::rowsAppended() { endInsertRows(); }

void StatisticsTableModel::rowAboutToBeRemoved(std::size_t index) {
    beginRemoveRows({}, static_cast<int>(index), static_cast<int>(index));
}

void StatisticsTableModel::rowRemoved() { endRemoveRows(); }

void StatisticsTableModel::rowsAboutToBeReset() { beginResetModel(); }

void StatisticsTableModel::rowsReset() { endResetModel(); }

}  // namespace lexo
