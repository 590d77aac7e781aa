#include "ui/XlsxGridWriter.h"

#include "ui/GridTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

namespace {
// Excel keeps at most this many characters in a cell.
constexpr int kCellMax = 32767;

QByteArray cellText(const QString& s) { return (s.size() > kCellMax ? s.left(kCellMax) : s).toUtf8(); }
} // namespace

bool XlsxGridWriter::write(const GridTable& table, const QString& fileName) {
    setErrorString(QString());
    {
        // Create (and empty) the file first, so a file that cannot be created
        // is reported in the file system's words.
        QFile probe(fileName);
        if (!probe.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            setErrorString(probe.errorString());
            return false;
        }
    }
    if (table.rowCount() + (table.hasTitles() ? 1 : 0) > LXW_ROW_MAX || table.columnCount() > LXW_COL_MAX) {
        setErrorString(QStringLiteral("La selección no cabe en una hoja de cálculo."));
        return false;
    }
    const QByteArray path = QFile::encodeName(fileName);
    const QByteArray tmp = QFile::encodeName(QDir::tempPath());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char*>(tmp.constData());
    lxw_workbook* book = workbook_new_opt(path.constData(), &options);
    if (!book) {
        setErrorString(QStringLiteral("No se pudo crear el libro %1").arg(fileName));
        return false;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Hoja1");
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    const int columns = table.columnCount();
    for (int c = 0; c < columns; ++c)
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), std::max(4.0, table.width(c) / 7.0), nullptr);
    lxw_row_t row = 0;
    if (!table.isEmpty()) {
        if (table.hasTitles()) {
            for (int c = 0; c < columns; ++c)
                worksheet_write_string(sheet, row, lxw_col_t(c), cellText(table.title(c)).constData(), bold);
            ++row;
        }
        std::vector<char> numeric(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c)
            numeric[size_t(c)] = table.isNumeric(c);
        for (int r = 0; r < table.rowCount(); ++r, ++row) {
            for (int c = 0; c < columns; ++c) {
                double number = 0;
                if (numeric[size_t(c)]) {
                    if (table.number(r, c, number))
                        worksheet_write_number(sheet, row, lxw_col_t(c), number, nullptr);
                    continue;
                }
                const QString text = table.text(r, c);
                if (!text.isEmpty())
                    worksheet_write_string(sheet, row, lxw_col_t(c), cellText(text).constData(), nullptr);
            }
        }
    }
    const lxw_error error = workbook_close(book);
    if (error != LXW_NO_ERROR) {
        setErrorString(QString::fromUtf8(lxw_strerror(error)));
        return false;
    }
    return true;
}

void XlsxGridWriter::writeTo(const GridTable& table, QIODevice& out) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("grid.xlsx"));
    if (!write(table, name))
        return;
    QFile file(name);
    if (file.open(QIODevice::ReadOnly))
        out.write(file.readAll());
}
