#pragma once

#include <QAbstractTableModel>

namespace lexo {

class TranslatorSession;

// The entries of the translator's current direction: searched text and translation, each
// cell's full text also as its tooltip. Texts are decoded only for the rows on screen.
class TranslatorModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TranslatorModel(const TranslatorSession& session, QObject* parent = nullptr);

    // After a load or a change of direction.
    void refill();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const TranslatorSession& session_;
};

}  // namespace lexo
