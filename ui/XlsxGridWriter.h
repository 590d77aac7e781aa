#pragma once

#include "ui/GridWriter.h"

// A spreadsheet workbook (xlsx) of one sheet: the titles in bold in the first
// row, numbers as numbers, everything else as text. Rows are streamed to the
// file as they are written, so large exports keep memory flat.
class XlsxGridWriter : public GridWriter {
public:
    QString name() const override { return QStringLiteral("Libro de Microsoft Excel"); }
    QString extension() const override { return QStringLiteral("xlsx"); }
    // An empty table gives a workbook with an empty sheet.
    bool write(const GridTable& table, const QString& fileName) override;
    void writeTo(const GridTable& table, QIODevice& out) override;
};
