#include "tools/merger_model.h"

namespace lexo {

namespace {

// Czech first, as the dictionary file stores it.
constexpr const char* kCaptions[4] = {"Český výraz", "Cizí výraz", "Cizojazyčná výslovnost", "Mluvená výslovnost"};
constexpr Field kFields[4] = {Field::Czech, Field::Foreign, Field::Pronunciation, Field::Sound};

}  // namespace

MergerModel::MergerModel(MergerSession& session, MergerList list, QObject* parent)
    : QAbstractTableModel(parent), session_(session), list_(list) {
    session_.setObserver(list_, this);
}

MergerModel::~MergerModel() { session_.setObserver(list_, nullptr); }

int MergerModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(session_.table(list_).size());
}

int MergerModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 4; }

QVariant MergerModel::data(const QModelIndex& index, int role) const {
    const ExpressionTable& table = session_.table(list_);
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= table.size() || index.column() >= 4) return {};
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    const std::string_view text = table.field(static_cast<std::size_t>(index.row()), kFields[index.column()]);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant MergerModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return section < 4 ? QString::fromUtf8(kCaptions[section]) : QVariant();
}

// The view takes hundreds of thousands of rows inserted below others one by one; told of
// a new list instead, it answers at once (the selection starts anew).
constexpr std::size_t kResetAppendRows = 10000;

void MergerModel::beginAppend(std::size_t first, std::size_t last) {
    appendAsReset_ = first > 0 && last - first + 1 >= kResetAppendRows;
    if (appendAsReset_)
        beginResetModel();
    else
        beginInsertRows({}, static_cast<int>(first), static_cast<int>(last));
}

void MergerModel::endAppend() {
    if (appendAsReset_)
        endResetModel();
    else
        endInsertRows();
}

void MergerModel::beginRemove(std::size_t row) {
    beginRemoveRows({}, static_cast<int>(row), static_cast<int>(row));
}

}  // namespace lexo
