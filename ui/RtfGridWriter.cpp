#include "ui/RtfGridWriter.h"

#include "ui/GridTable.h"

#include <QIODevice>

QByteArray RtfGridWriter::text(const QString& s) {
    QByteArray out;
    out.reserve(s.size() + 8);
    for (int i = 0; i < s.size(); ++i) {
        const char16_t u = s.at(i).unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\r') {
            if (i + 1 < s.size() && s.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += "\\line ";
        } else if (u == '\n') {
            out += "\\line ";
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u < 0x20) {
            out += ' '; // other control characters have no place in a cell
        } else if (u < 0x80) {
            out += char(u);
        } else {
            // a signed 16-bit number, followed by '?' for readers without Unicode
            out += "\\u" + QByteArray::number(int(int16_t(u))) + '?';
        }
    }
    return out;
}

void RtfGridWriter::writeTo(const GridTable& table, QIODevice& out) {
    if (table.isEmpty())
        return;
    const int columns = table.columnCount();
    // Right edges of the cells in twips (15 per pixel at 96 dpi).
    QByteArray row = "\\trowd\\trgaph70\\trleft0";
    int edge = 0;
    for (int c = 0; c < columns; ++c) {
        edge += std::max(table.width(c), 20) * 15;
        row += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\"
               "brdrw10"
               "\\cellx" +
               QByteArray::number(edge);
    }
    row += "\r\n";
    out.write("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fswiss Arial;}}\r\n\\f0\\fs18\r\n");
    QByteArray line;
    if (table.hasTitles()) {
        line = row;
        for (int c = 0; c < columns; ++c)
            line += "\\pard\\intbl\\b " + text(table.title(c)) + "\\b0\\cell\r\n";
        line += "\\row\r\n";
        out.write(line);
    }
    for (int r = 0; r < table.rowCount(); ++r) {
        line = row;
        for (int c = 0; c < columns; ++c)
            line += QByteArray(table.isNumeric(c) ? "\\pard\\intbl\\qr " : "\\pard\\intbl ") +
                    text(table.text(r, c)) + "\\cell\r\n";
        line += "\\row\r\n";
        out.write(line);
    }
    out.write("}\r\n");
}
