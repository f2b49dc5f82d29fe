#pragma once

#include <QAbstractTableModel>

#include "editor/editor_session.h"

namespace lexo {

// The editor's list over the session's table: one row per expression, the four fields in
// the columns, nothing copied, so a dictionary of a million expressions costs the list
// nothing but the rows on screen. Every cell's text is also its hint.
class EditorModel final : public QAbstractTableModel, private EditorSession::Observer {
    Q_OBJECT
public:
    explicit EditorModel(EditorSession& session, QObject* parent = nullptr);
    ~EditorModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // The session wants a row brought into view.
    void revealRequested(int row, EditorSession::Observer::Reveal how);

private:
    void beginReset() override;
    void endReset() override;
    void beginAppend(std::size_t row) override;
    void endAppend() override;
    void beginRemove(std::size_t row) override;
    void endRemove() override;
    void rowChanged(std::size_t row) override;
    void soundsChanged() override;
    void reveal(std::size_t row, Reveal how) override;

    EditorSession& session_;
};

}  // namespace lexo
