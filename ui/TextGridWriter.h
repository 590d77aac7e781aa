#pragma once

#include "ui/GridWriter.h"

// Tab-separated text: one line per row, the cells separated by tabs. Tabs and
// line breaks inside a cell become blanks so the layout holds.
class TextGridWriter : public GridWriter {
public:
    QString name() const override { return QStringLiteral("Archivo texto"); }
    QString extension() const override { return QStringLiteral("txt"); }
    void writeTo(const GridTable& table, QIODevice& out) override;

protected:
    bool byteOrderMark() const override { return true; }
};
