#include "ui/GridPrintDocument.h"

#include "ui/DataGrid.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <numeric>

namespace {
// Distances of the layout, in millimetres.
constexpr double kPadX = 1.0, kPadY = 0.5, kAfterHeader = 3.0, kLineGap = 0.7, kBeforeFooter = 2.0;

QTextOption wrapping(Qt::Alignment alignment) {
    QTextOption o(alignment | Qt::AlignTop);
    o.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return o;
}

QFont arial(double points, bool bold = false) {
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}
} // namespace

GridPrintDocument::GridPrintDocument(const DataGrid& grid, QString title, QDate today)
    : grid_(grid), table_(grid.allRowsTable(true)), title_(std::move(title)), today_(today) {
    const double gridPoints = grid.font().pointSizeF() > 0 ? grid.font().pointSizeF() : 9;
    headerFont_ = arial(9);
    titleFont_ = arial(14, true);
    bandFont_ = arial(gridPoints);
    columnFont_ = arial(gridPoints, true);
    cellFont_ = arial(gridPoints);
    printedFont_ = arial(10, true);
    dateFont_ = arial(8);
}

QString GridPrintDocument::todayText() const { return today_.toString(QStringLiteral("MM/dd/yyyy")); }

double GridPrintDocument::textHeight(const QFont& font, const QString& text, double width) const {
    const QFontMetricsF fm(font, device_);
    if (text.isEmpty() || (!text.contains(QLatin1Char('\n')) && fm.horizontalAdvance(text) <= width))
        return fm.height();
    // Lines break between words, and inside a word longer than the column.
    double height = 0;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font, const_cast<QPaintDevice*>(device_));
        layout.setTextOption(wrapping(Qt::AlignLeft));
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(std::max(width, 1.0));
            height += line.height();
        }
        layout.endLayout();
    }
    return std::max(height, fm.height());
}

void GridPrintDocument::paginate(const QPaintDevice& device) {
    device_ = &device;
    mm_ = device.logicalDpiY() / 25.4;
    width_ = device.width();
    height_ = device.height();
    const double padX = kPadX * mm_, padY = kPadY * mm_;

    headerHeight_ = QFontMetricsF(headerFont_, device_).height() + (kLineGap * 2 + kAfterHeader) * mm_;
    titleHeight_ = textHeight(titleFont_, title_, width_) + QFontMetricsF(titleFont_, device_).height();
    bandHeight_ = QFontMetricsF(bandFont_, device_).height() + 2 * padY;
    footerHeight_ = kBeforeFooter * mm_ + std::max(QFontMetricsF(printedFont_, device_).height(),
                                                   QFontMetricsF(dateFont_, device_).height());

    // The columns share the page width in the proportions they have on screen.
    const int columns = table_.columnCount();
    columnWidths_.assign(size_t(columns), 0);
    double screen = 0;
    for (int c = 0; c < columns; ++c)
        screen += std::max(table_.width(c), 1);
    for (int c = 0; c < columns; ++c)
        columnWidths_[size_t(c)] = screen > 0 ? std::max(table_.width(c), 1) * width_ / screen : 0;

    columnHeight_ = QFontMetricsF(columnFont_, device_).height();
    for (int c = 0; c < columns; ++c)
        columnHeight_ = std::max(
            columnHeight_, textHeight(columnFont_, table_.title(c), columnWidths_[size_t(c)] - 2 * padX));
    columnHeight_ += 2 * padY;

    const double line = QFontMetricsF(cellFont_, device_).height();
    rowHeights_.assign(size_t(table_.rowCount()), 0);
    for (int r = 0; r < table_.rowCount(); ++r) {
        double h = line;
        for (int c = 0; c < columns; ++c)
            if (!table_.isCheckBox(c))
                h = std::max(h,
                             textHeight(cellFont_, table_.text(r, c), columnWidths_[size_t(c)] - 2 * padX));
        rowHeights_[size_t(r)] = h + 2 * padY;
    }

    pages_.clear();
    Page page;
    page.title = true;
    double y = headerHeight_ + titleHeight_ + bandHeight_ + columnHeight_;
    for (int r = 0; r < table_.rowCount(); ++r) {
        const double h = rowHeights_[size_t(r)];
        if (y + h > height_ && r > page.firstRow) { // the row goes to the next page
            page.endRow = r;
            pages_.push_back(page);
            page = Page();
            page.firstRow = r;
            y = headerHeight_ + bandHeight_ + columnHeight_;
        }
        y += h;
    }
    page.endRow = table_.rowCount();
    if (y + footerHeight_ > height_) {
        pages_.push_back(page);
        page = Page();
        page.firstRow = page.endRow = table_.rowCount();
        y = headerHeight_ + bandHeight_ + columnHeight_;
    }
    page.footerY = y + kBeforeFooter * mm_;
    pages_.push_back(page);
}

void GridPrintDocument::drawCell(QPainter& p, const QRectF& r, const QString& text, const CellStyle& style,
                                 bool numeric, bool check) const {
    p.fillRect(r, style.background);
    p.setPen(QPen(Qt::black, 0.1 * mm_));
    p.drawRect(r);
    p.setPen(style.text);
    if (check) { // a small box, ticked for 'S'
        const double s = 2.6 * mm_;
        const QRectF box(r.center().x() - s / 2, r.center().y() - s / 2, s, s);
        p.setPen(QPen(style.text, 0.2 * mm_));
        p.drawRect(box);
        if (text == QLatin1String("S")) {
            const QPointF tick[] = {{box.left() + s * 0.2, box.top() + s * 0.5},
                                    {box.left() + s * 0.42, box.top() + s * 0.75},
                                    {box.left() + s * 0.8, box.top() + s * 0.22}};
            p.drawPolyline(tick, 3);
        }
        return;
    }
    const QRectF inner = r.adjusted(kPadX * mm_, kPadY * mm_, -kPadX * mm_, -kPadY * mm_);
    p.drawText(inner, text, wrapping(numeric ? Qt::AlignRight : Qt::AlignLeft));
}

void GridPrintDocument::renderPage(QPainter& p, int index) const {
    if (index < 0 || index >= pageCount())
        return;
    const Page& page = pages_[size_t(index)];
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);

    // Page header and its double line.
    p.setFont(headerFont_);
    p.setPen(Qt::black);
    const double headerText = QFontMetricsF(headerFont_, device_).height();
    p.drawText(QRectF(0, 0, width_, headerText), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("Page. %1").arg(index + 1));
    p.setPen(QPen(Qt::black, 0.25 * mm_));
    const double l1 = headerText + 0.5 * mm_;
    p.drawLine(QPointF(0, l1), QPointF(width_, l1));
    p.drawLine(QPointF(0, l1 + kLineGap * mm_), QPointF(width_, l1 + kLineGap * mm_));
    double y = headerHeight_;

    if (page.title) {
        p.setPen(Qt::black);
        p.setFont(titleFont_);
        p.drawText(QRectF(0, y, width_, titleHeight_), title_, wrapping(Qt::AlignHCenter));
        y += titleHeight_; // title and the empty line after it
    }

    // Title band and column titles.
    const QColor titleBack(224, 224, 224);
    p.setFont(bandFont_);
    p.fillRect(QRectF(0, y, width_, bandHeight_), titleBack);
    p.setPen(QPen(Qt::black, 0.1 * mm_));
    p.drawRect(QRectF(0, y, width_, bandHeight_));
    p.drawText(QRectF(0, y, width_, bandHeight_), Qt::AlignCenter, QStringLiteral("Title"));
    y += bandHeight_;
    p.setFont(columnFont_);
    double x = 0;
    for (int c = 0; c < table_.columnCount(); ++c) {
        const QRectF r(x, y, columnWidths_[size_t(c)], columnHeight_);
        drawCell(p, r, QString(), CellStyle{titleBack, Qt::black}, false, false);
        p.setPen(Qt::black);
        p.drawText(r.adjusted(kPadX * mm_, kPadY * mm_, -kPadX * mm_, -kPadY * mm_), table_.title(c),
                   wrapping(Qt::AlignHCenter));
        x += columnWidths_[size_t(c)];
    }
    y += columnHeight_;

    // Rows.
    p.setFont(cellFont_);
    for (int r = page.firstRow; r < page.endRow; ++r) {
        const double h = rowHeights_[size_t(r)];
        x = 0;
        p.save();
        p.setClipRect(QRectF(0, y, width_, std::min(h, height_ - y)));
        for (int c = 0; c < table_.columnCount(); ++c) {
            const QRectF cell(x, y, columnWidths_[size_t(c)], h);
            drawCell(p, cell, table_.text(r, c), table_.style(r, c), table_.isNumeric(c),
                     table_.isCheckBox(c));
            x += columnWidths_[size_t(c)];
        }
        p.restore();
        y += h;
    }

    // After the grid: "Impreso: " and the date.
    if (page.footerY >= 0) {
        const QFontMetricsF bold(printedFont_, device_), small(dateFont_, device_);
        const double base = page.footerY + std::max(bold.ascent(), small.ascent());
        const QString label = QStringLiteral("Impreso: ");
        p.setPen(Qt::black);
        p.setFont(printedFont_);
        p.drawText(QPointF(0, base), label);
        p.setFont(dateFont_);
        p.drawText(QPointF(bold.horizontalAdvance(label), base), todayText());
    }
    p.restore();
}

void GridPrintDocument::print(QPagedPaintDevice& device) {
    paginate(device);
    QPainter painter(&device);
    for (int i = 0; i < pageCount(); ++i) {
        if (i > 0)
            device.newPage();
        renderPage(painter, i);
    }
}
