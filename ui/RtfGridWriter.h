#pragma once

#include "ui/GridWriter.h"

// A rich text document holding one table, the column widths as on screen.
// Backslashes and braces are escaped, characters outside ASCII written as
// \uN? (UTF-16 units), tabs and line breaks as \tab and \line.
class RtfGridWriter : public GridWriter {
public:
    QString name() const override { return QStringLiteral("Texto con formato"); }
    QString extension() const override { return QStringLiteral("rtf"); }
    void writeTo(const GridTable& table, QIODevice& out) override;

    static QByteArray text(const QString& text);
};
