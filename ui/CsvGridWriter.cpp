#include "ui/CsvGridWriter.h"

#include "ui/GridTable.h"

#include <QTextStream>

QString CsvGridWriter::field(const QString& text) {
    bool quote = false;
    for (QChar c : text)
        if (c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\n') ||
            c == QLatin1Char('\r')) {
            quote = true;
            break;
        }
    if (!quote)
        return text;
    QString q = text;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

void CsvGridWriter::writeTo(const GridTable& table, QIODevice& out) {
    if (table.isEmpty())
        return;
    QTextStream s(&out);
    const int columns = table.columnCount();
    if (table.hasTitles()) {
        for (int c = 0; c < columns; ++c)
            s << (c ? "," : "") << field(table.title(c));
        s << "\r\n";
    }
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c)
            s << (c ? "," : "") << field(table.text(r, c));
        s << "\r\n";
    }
}
