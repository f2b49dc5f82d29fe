#include "translator/translator_model.h"

#include "translator/translator_session.h"

namespace lexo {
namespace {

QString qs(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

TranslatorModel::TranslatorModel(const TranslatorSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {}

void TranslatorModel::refill() {
    beginResetModel();
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, 1);
}

int TranslatorModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(session_.part().size());
}

int TranslatorModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant TranslatorModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= session_.part().size()) return {};
    const std::string text = index.column() == 0 ? session_.part().key(row) : session_.part().translation(row);
    if (role == Qt::ToolTipRole && text.empty()) return {};
    return qs(text);
}

QVariant TranslatorModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 1)
        return QAbstractTableModel::headerData(section, orientation, role);
    return qs(session_.columnTitle(section));
}

}  // namespace lexo
