#include "editor/editor_model.h"


namespace lexo {

namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

EditorModel::EditorModel(EditorSession& session, QObject* parent) : QAbstractTableModel(parent), session_(session) {
    session_.setObserver(this);
}

EditorModel::~EditorModel() { session_.setObserver(nullptr); }

int EditorModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return static_cast<int>(session_.size());
}

int EditorModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 4; }

QVariant EditorModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= session_.size()) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
    case Qt::StatusTipRole:
        return qs(session_.table().field(static_cast<std::size_t>(index.row()), static_cast<Field>(index.column())));
    default:
        return {};
    }
}

QVariant EditorModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= 4) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
    case Qt::StatusTipRole:
        return qs(kEditorColumnHeaders[static_cast<std::size_t>(section)]);
    default:
        return {};
    }
}

void EditorModel::beginReset() { beginResetModel(); }
void EditorModel::endReset() { endResetModel(); }

void EditorModel::beginAppend(std::size_t row) {
    beginInsertRows({}, static_cast<int>(row), static_cast<int>(row));
}
void EditorModel::endAppend() { endInsertRows(); }

void EditorModel::beginRemove(std::size_t row) {
    beginRemoveRows({}, static_cast<int>(row), static_cast<int>(row));
}
void EditorModel::endRemove() { endRemoveRows(); }

void EditorModel::rowChanged(std::size_t row) {
    const int r = static_cast<int>(row);
    emit dataChanged(index(r, 0), index(r, 3));
}

void EditorModel::soundsChanged() {
    if (session_.size() == 0) return;
    emit dataChanged(index(0, 3), index(rowCount() - 1, 3));
}

void EditorModel::reveal(std::size_t row, Reveal how) { emit revealRequested(static_cast<int>(row), how); }

}  // namespace lexo
