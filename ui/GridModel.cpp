#include "ui/GridModel.h"

#include "data/ClientDataSet.h"
#include "ui/GridError.h"

GridModel::GridModel(ClientDataSet* ds, QObject* parent) : DataSetModel(ds, parent) {
    // The dataset model resets itself when the dataset is opened, closed,
    // filtered or sorted; the fields may then have changed.
    connect(this, &QAbstractItemModel::modelAboutToBeReset, this, &GridModel::resolve);
    resolve();
}

void GridModel::setColumns(std::vector<GridColumn> columns) {
    beginResetModel();
    columns_ = std::move(columns);
    configured_ = !columns_.empty(); // none: every visible field again
    resolve();
    endResetModel();
}

void GridModel::resolve() {
    ClientDataSet* ds = dataset();
    if (!configured_) {
        columns_.clear();
        if (ds)
            for (int i = 0; i < ds->fieldCount(); ++i)
                if (ds->field(i).visible)
                    columns_.push_back(GridColumn::text(ds->field(i).name, QString()));
    }
    fields_.clear();
    for (const GridColumn& c : columns_)
        fields_.push_back(ds ? ds->fieldIndex(c.field) : -1);
}

int GridModel::fieldIndexOf(int column) const {
    if (!dataset() || column < 0 || size_t(column) >= fields_.size())
        return -1; // also once the dataset is gone
    return fields_[size_t(column)];
}

bool GridModel::isNumeric(int column) const {
    const int f = fieldIndexOf(column);
    if (f < 0 || columns_[size_t(column)].kind != GridColumn::Kind::Text)
        return false;
    const FieldType t = dataset()->field(f).type;
    return t == FieldType::Integer || t == FieldType::Decimal || t == FieldType::Double;
}

Value GridModel::cellValue(int row, int column) const {
    const int f = fieldIndexOf(column);
    if (f < 0 || !dataset() || !dataset()->active() || row < 0 || row >= dataset()->recordCount())
        return {};
    return dataset()->valueAt(row, f);
}

QString GridModel::displayText(int row, int column) const {
    const QString raw = cellValue(row, column).toString();
    const GridColumn& c = columns_[size_t(column)];
    return c.kind == GridColumn::Kind::PickList ? c.shown(raw) : raw;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const GridColumn& c = columns_[size_t(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return c.kind == GridColumn::Kind::CheckBox ? QString() : displayText(index.row(), index.column());
    case Qt::EditRole:
        return cellValue(index.row(), index.column()).toString();
    case Qt::CheckStateRole:
        if (c.kind != GridColumn::Kind::CheckBox)
            return {};
        return cellValue(index.row(), index.column()).toString() == QLatin1String("S") ? Qt::Checked
                                                                                       : Qt::Unchecked;
    case Qt::TextAlignmentRole:
        if (c.kind == GridColumn::Kind::CheckBox)
            return QVariant::fromValue(Qt::AlignCenter);
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (isNumeric(index.column()) ? Qt::AlignRight : Qt::AlignLeft));
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString(); // the row indicator column carries no numbers
    if (section < 0 || size_t(section) >= columns_.size())
        return {};
    const GridColumn& c = columns_[size_t(section)];
    if (!c.title.isEmpty())
        return c.title;
    const int f = fieldIndexOf(section);
    return f >= 0 ? dataset()->field(f).label() : c.field;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    const int field = fieldIndexOf(index.column());
    if (!index.isValid() || !editable || field < 0 || columns_[size_t(index.column())].readOnly ||
        dataset()->field(field).readOnly)
        return f;
    if (columns_[size_t(index.column())].kind == GridColumn::Kind::CheckBox)
        return f | Qt::ItemIsUserCheckable;
    return f | Qt::ItemIsEditable;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || !(flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)))
        return false;
    const GridColumn& c = columns_[size_t(index.column())];
    if (c.kind == GridColumn::Kind::CheckBox) {
        if (role != Qt::CheckStateRole)
            return false;
        const bool on = value.toInt() == Qt::Checked;
        writeValue(index.row(), index.column(), Value(on ? QStringLiteral("S") : QStringLiteral("N")));
        return true;
    }
    if (role != Qt::EditRole)
        return false;
    const QString text = value.toString();
    writeValue(index.row(), index.column(), text.isEmpty() ? Value() : Value(text));
    return true;
}

void GridModel::writeValue(int row, int column, const Value& value) {
    ClientDataSet* ds = dataset();
    try {
        if (ds->recNo() != row)
            ds->moveTo(row);
        ds->edit();
        ds->setValue(fieldIndexOf(column), value);
    } catch (const std::exception& e) {
        if (onError)
            onError(e);
        else
            reportGridError(e, ds);
    }
}
