#pragma once

#include <QByteArray>
#include <QString>

class GridTable;
class QIODevice;

// One file format the grid's rows can be written in. Writers are stateless
// apart from the text of their last error.
class GridWriter {
public:
    virtual ~GridWriter() = default;

    // The format's name as the user sees it.
    virtual QString name() const = 0;
    // The file name extension, without the dot.
    virtual QString extension() const = 0;

    // Writes the table into the file, replacing it; an empty table leaves an
    // empty file (a workbook with an empty sheet). False when the file cannot be written; errorString() then
    // tells why, in the file system's words.
    virtual bool write(const GridTable& table, const QString& fileName);
    // Writes the table to an open device, as into a file.
    virtual void writeTo(const GridTable& table, QIODevice& out) = 0;
    QByteArray toBytes(const GridTable& table);

    const QString& errorString() const { return error_; }

protected:
    void setErrorString(const QString& text) { error_ = text; }
    // Files (not the clipboard) start with a UTF-8 byte order mark.
    virtual bool byteOrderMark() const { return false; }

private:
    QString error_;
};
