#include "ui/HtmlGridWriter.h"

#include "ui/GridTable.h"

#include <QTextStream>

QString HtmlGridWriter::cell(const QString& text) {
    QString s = text.toHtmlEscaped();
    s.replace(QLatin1String("\r\n"), QLatin1String("<br>"));
    s.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    s.replace(QLatin1Char('\r'), QLatin1String("<br>"));
    return s;
}

void HtmlGridWriter::writeTo(const GridTable& table, QIODevice& out) {
    if (table.isEmpty())
        return;
    QTextStream s(&out);
    const int columns = table.columnCount();
    s << "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n</head>\r\n<body>\r\n"
         "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\r\n";
    if (table.hasTitles()) {
        s << "<thead><tr>";
        for (int c = 0; c < columns; ++c)
            s << "<th>" << cell(table.title(c)) << "</th>";
        s << "</tr></thead>\r\n";
    }
    s << "<tbody>\r\n";
    for (int r = 0; r < table.rowCount(); ++r) {
        s << "<tr>";
        for (int c = 0; c < columns; ++c)
            s << (table.isNumeric(c) ? "<td align=\"right\">" : "<td>") << cell(table.text(r, c)) << "</td>";
        s << "</tr>\r\n";
    }
    s << "</tbody>\r\n</table>\r\n</body>\r\n</html>\r\n";
}
