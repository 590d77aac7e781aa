#pragma once

#include "ui/GridTable.h"

#include <QDate>
#include <QFont>
#include <QString>

#include <vector>

class DataGrid;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// The printout of a grid, laid out in millimetres on the pages of a device:
//  - on every page a centred header "Page. N" with a double line under it;
//  - on the first page the printed title, centred, bold Arial 14 pt, then an
//    empty line;
//  - on every page the title band "Title" above the column titles;
//  - the visible columns scaled to the page width, cell colours printed, rows
//    as tall as their wrapped text, in Arial;
//  - after the grid "Impreso: " in bold Arial 10 pt and the date in 8 pt.
// Pages are rendered one at a time, so a preview, a printer, a PDF file or
// an image can take them.
class GridPrintDocument {
public:
    GridPrintDocument(const DataGrid& grid, QString title, QDate today);

    const QString& title() const { return title_; }
    // Today's date as printed after the grid (mm/dd/yyyy).
    QString todayText() const;

    // Lays the rows out on pages of the device's printable size.
    void paginate(const QPaintDevice& device);
    int pageCount() const { return int(pages_.size()); }
    // Draws one page (counted from 0) on a painter over a device of the size
    // given to paginate().
    void renderPage(QPainter& painter, int page) const;
    // Paginates and prints every page.
    void print(QPagedPaintDevice& device);

private:
    struct Page {
        int firstRow = 0, endRow = 0;
        bool title = false;
        double footerY = -1; // where "Impreso:" goes, when on this page
    };
    double textHeight(const QFont& font, const QString& text, double width) const;
    void drawCell(QPainter& p, const QRectF& r, const QString& text, const CellStyle& style, bool numeric,
                  bool check) const;

    const DataGrid& grid_;
    GridTable table_;
    QString title_;
    QDate today_;

    // layout, in device pixels
    const QPaintDevice* device_ = nullptr;
    double mm_ = 1, width_ = 0, height_ = 0;
    QFont headerFont_, titleFont_, bandFont_, columnFont_, cellFont_, printedFont_, dateFont_;
    double headerHeight_ = 0, titleHeight_ = 0, bandHeight_ = 0, columnHeight_ = 0, footerHeight_ = 0;
    std::vector<double> columnWidths_, rowHeights_;
    std::vector<Page> pages_;
};
