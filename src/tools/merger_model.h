#pragma once

#include <QAbstractTableModel>

#include "tools/merger_session.h"

namespace lexo {

// One of the merger's two tables over the session's list, nothing copied: a list of half a
// million expressions costs the view only the rows on screen.
class MergerModel final : public QAbstractTableModel, private MergerSession::Observer {
    Q_OBJECT
public:
    MergerModel(MergerSession& session, MergerList list, QObject* parent = nullptr);
    ~MergerModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void beginReset() override { beginResetModel(); }
    void endReset() override { endResetModel(); }
    void beginAppend(std::size_t first, std::size_t last) override;
    void endAppend() override;
    void beginRemove(std::size_t row) override;
    void endRemove() override { endRemoveRows(); }

    MergerSession& session_;
    MergerList list_;
    bool appendAsReset_ = false;
};

}  // namespace lexo
