#pragma once

#include <QAbstractTableModel>
#include <QPointer>

class ClientDataSet;

// A table model over a client dataset for Qt views: one column per visible
// field, titled by its display label. Further packets are fetched when the
// view scrolls to the end of the rows fetched so far. Edits made through the
// view go to the dataset's change log.
class DataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataSetModel(ClientDataSet* dataset, QObject* parent = nullptr);

    ClientDataSet* dataset() const { return dataset_; }
    // Dataset field index of a model column.
    int fieldOf(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    bool editable = false;

private:
    void rebuildColumns();
    QPointer<ClientDataSet> dataset_;
    std::vector<int> columns_;
    int count_ = 0; // rows the view has been told about
};
