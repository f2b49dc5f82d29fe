#pragma once

#include <QAbstractTableModel>

#include "statistics/statistics_store.h"

namespace lexo {

// The statistics rows as the "Hodnoty" table shows them: eight text columns under their
// titles, each cell's full text as its tooltip. Follows every change of the store.
class StatisticsTableModel final : public QAbstractTableModel, private StatisticsObserver {
    Q_OBJECT
public:
    explicit StatisticsTableModel(StatisticsStore& store, QObject* parent = nullptr);
    ~StatisticsTableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void rowsAboutToBeAppended(std::size_t first, std::size_t count) override;
    void rowsAppended() override;
    void rowAboutToBeRemoved(std::size_t index) override;
    void rowRemoved() override;
    void rowsAboutToBeReset() override;
    void rowsReset() override;

    StatisticsStore& store_;
};

}  // namespace lexo
