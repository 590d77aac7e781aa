#include "ui/TextGridWriter.h"

#include "ui/GridTable.h"

#include <QTextStream>

namespace {
QString flat(QString s) {
    for (QChar& c : s)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    return s;
}
} // namespace

void TextGridWriter::writeTo(const GridTable& table, QIODevice& out) {
    if (table.isEmpty())
        return;
    QTextStream s(&out);
    const int columns = table.columnCount();
    if (table.hasTitles()) {
        for (int c = 0; c < columns; ++c)
            s << (c ? "\t" : "") << flat(table.title(c));
        s << "\r\n";
    }
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c)
            s << (c ? "\t" : "") << flat(table.text(r, c));
        s << "\r\n";
    }
}
