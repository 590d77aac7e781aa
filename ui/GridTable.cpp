#include "ui/GridTable.h"

#include "data/Value.h"
#include "ui/DataGrid.h"
#include "ui/GridModel.h"

#include <QHeaderView>

GridTable::GridTable(const DataGrid* grid, std::vector<int> rows, std::vector<int> columns, bool withTitles)
    : grid_(grid), rows_(std::move(rows)), columns_(std::move(columns)), titles_(withTitles) {}

QString GridTable::title(int column) const {
    return grid_->gridModel()->headerData(columns_[size_t(column)], Qt::Horizontal).toString();
}

QString GridTable::text(int row, int column) const {
    return grid_->gridModel()->displayText(rows_[size_t(row)], columns_[size_t(column)]);
}

bool GridTable::isNumeric(int column) const {
    return grid_->gridModel()->isNumeric(columns_[size_t(column)]);
}

bool GridTable::isCheckBox(int column) const {
    return grid_->gridModel()->column(columns_[size_t(column)]).kind == GridColumn::Kind::CheckBox;
}

bool GridTable::number(int row, int column, double& result) const {
    const Value v = grid_->gridModel()->cellValue(rows_[size_t(row)], columns_[size_t(column)]);
    if (v.isNull())
        return false;
    try {
        result = v.toDouble();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

int GridTable::width(int column) const {
    return grid_->horizontalHeader()->sectionSize(columns_[size_t(column)]);
}

CellStyle GridTable::style(int row, int column) const {
    return grid_->cellStyle(rows_[size_t(row)], columns_[size_t(column)]);
}
