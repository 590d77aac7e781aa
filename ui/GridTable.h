#pragma once

#include "ui/CellStyle.h"

#include <QString>

#include <vector>

class DataGrid;
class Value;

// A rectangular piece of a data grid as the exports, the clipboard and the
// printout read it: some of its rows and columns, optionally with the column
// titles. It reads the grid's cells as it is asked for them.
class GridTable {
public:
    GridTable() = default;
    GridTable(const DataGrid* grid, std::vector<int> rows, std::vector<int> columns, bool withTitles);

    int rowCount() const { return int(rows_.size()); }
    int columnCount() const { return int(columns_.size()); }
    bool isEmpty() const { return rows_.empty() || columns_.empty(); }
    bool hasTitles() const { return titles_; }

    QString title(int column) const;
    // The text the grid shows (the stored 'S'/'N' of a check box).
    QString text(int row, int column) const;
    bool isNumeric(int column) const;
    bool isCheckBox(int column) const;
    // The cell as a number, for numeric columns; false when it is empty.
    bool number(int row, int column, double& result) const;
    // Width of the column on screen, in pixels.
    int width(int column) const;
    CellStyle style(int row, int column) const;

    int gridRow(int row) const { return rows_[size_t(row)]; }
    int gridColumn(int column) const { return columns_[size_t(column)]; }

private:
    const DataGrid* grid_ = nullptr;
    std::vector<int> rows_, columns_;
    bool titles_ = false;
};
