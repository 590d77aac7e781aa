#pragma once

#include "ui/GridWriter.h"

// Comma-separated values (RFC 4180): a cell holding a comma, a quote or a
// line break is enclosed in quotes with its quotes doubled; lines end in CRLF.
class CsvGridWriter : public GridWriter {
public:
    QString name() const override { return QStringLiteral("Valores separados por comas"); }
    QString extension() const override { return QStringLiteral("csv"); }
    void writeTo(const GridTable& table, QIODevice& out) override;

    static QString field(const QString& text);

protected:
    bool byteOrderMark() const override { return true; }
};
