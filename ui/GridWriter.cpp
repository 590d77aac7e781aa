#include "ui/GridWriter.h"

#include "ui/GridTable.h"

#include <QBuffer>
#include <QFile>

bool GridWriter::write(const GridTable& table, const QString& fileName) {
    error_.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error_ = file.errorString();
        return false;
    }
    if (!table.isEmpty() && byteOrderMark())
        file.write("\xEF\xBB\xBF");
    writeTo(table, file);
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        error_ = file.errorString();
        return false;
    }
    return true;
}

QByteArray GridWriter::toBytes(const GridTable& table) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    writeTo(table, buffer);
    return bytes;
}
