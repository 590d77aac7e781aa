#pragma once

#include "data/DataSetModel.h"
#include "data/Value.h"
#include "ui/GridColumn.h"

#include <functional>
#include <vector>

// The data grid's item model: the dataset's rows (fetched packet by packet,
// as the dataset model does) shown through the columns a screen configured.
// Without configured columns every visible field is a column. Check-box
// columns carry a check state; pick-list columns show the item text of the
// stored value. Edits go to the dataset's change log.
class GridModel : public DataSetModel {
    Q_OBJECT
public:
    explicit GridModel(ClientDataSet* dataset, QObject* parent = nullptr);

    void setColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn>& columns() const { return columns_; }
    // The column's configuration (a plain text column for unconfigured grids).
    const GridColumn& column(int column) const { return columns_.at(size_t(column)); }
    // Dataset field index of a column; -1 when the dataset has no such field.
    int fieldIndexOf(int column) const;
    bool isNumeric(int column) const;

    // Text the grid shows in a cell (pick-list item text; the stored value of
    // a check box).
    QString displayText(int row, int column) const;
    // The cell's raw value.
    Value cellValue(int row, int column) const;

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Errors of edits made through the grid (a value the field cannot take,
    // a post the dataset refuses); by default they go to the program's error
    // handling.
    std::function<void(const std::exception&)> onError;

private:
    void resolve();
    void writeValue(int row, int column, const Value& value);

    std::vector<GridColumn> columns_;
    bool configured_ = false;
    std::vector<int> fields_; // dataset field of each column
};
