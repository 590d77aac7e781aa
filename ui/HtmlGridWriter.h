#pragma once

#include "ui/GridWriter.h"

// An HTML page holding one table: the titles as header cells, every cell's
// text escaped, line breaks inside a cell as <br>.
class HtmlGridWriter : public GridWriter {
public:
    QString name() const override { return QStringLiteral("Archivo HTML"); }
    QString extension() const override { return QStringLiteral("htm"); }
    void writeTo(const GridTable& table, QIODevice& out) override;

    static QString cell(const QString& text);
};
