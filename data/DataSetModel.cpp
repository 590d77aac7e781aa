#include "data/DataSetModel.h"

#include "data/ClientDataSet.h"

DataSetModel::DataSetModel(ClientDataSet* dataset, QObject* parent) : QAbstractTableModel(parent), dataset_(dataset) {
    rebuildColumns();
    connect(dataset, &ClientDataSet::layoutChanged, this, [this] {
        beginResetModel();
        rebuildColumns();
        endResetModel();
    });
    connect(dataset, &ClientDataSet::rowsAdded, this, [this](int first, int last) {
        if (first != count_ || last < first) { // not a plain append: start over
            beginResetModel();
            rebuildColumns();
            endResetModel();
            return;
        }
        beginInsertRows({}, first, last);
        count_ = last + 1;
        endInsertRows();
    });
    connect(dataset, &ClientDataSet::rowChanged, this, [this](int row) {
        if (row >= 0)
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
}

void DataSetModel::rebuildColumns() {
    columns_.clear();
    count_ = dataset_ && dataset_->active() ? dataset_->recordCount() : 0;
    if (!dataset_)
        return;
    for (int i = 0; i < dataset_->fieldCount(); ++i)
        if (dataset_->field(i).visible)
            columns_.push_back(i);
}

int DataSetModel::fieldOf(int column) const { return columns_.at(size_t(column)); }

int DataSetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !dataset_ ? 0 : count_;
}

int DataSetModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(columns_.size()); }

QVariant DataSetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !dataset_)
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::TextAlignmentRole)
        return {};
    const int f = fieldOf(index.column());
    const Field& field = dataset_->field(f);
    if (role == Qt::TextAlignmentRole) {
        const bool number = field.type == FieldType::Integer || field.type == FieldType::Decimal ||
                            field.type == FieldType::Double;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    return dataset_->valueAt(index.row(), f).toString();
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || !dataset_)
        return {};
    if (orientation == Qt::Horizontal)
        return dataset_->field(fieldOf(section)).label();
    return section + 1;
}

bool DataSetModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && dataset_ && dataset_->active() && !dataset_->allFetched();
}

void DataSetModel::fetchMore(const QModelIndex& parent) {
    if (canFetchMore(parent))
        dataset_->fetchPacket();
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (editable && index.isValid() && !dataset_->field(fieldOf(index.column())).readOnly)
        f |= Qt::ItemIsEditable;
    return f;
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!editable || role != Qt::EditRole || !index.isValid())
        return false;
    if (dataset_->recNo() != index.row())
        dataset_->moveTo(index.row());
    dataset_->edit();
    const QString text = value.toString();
    dataset_->setValue(fieldOf(index.column()), text.isEmpty() ? Value() : Value(text));
    return true;
}
