#pragma once

#include <QString>

#include <memory>

class DataGrid;
class GridWriter;

// The pieces of "save the selection to a file": the save dialog's filter
// in Qt's form, the extension rule and the writer of each file type.
class GridExport {
public:
    // "desc (*.txt)|*.TXT|..." becomes "desc (*.txt *.TXT);;...".
    static QString qtFilter(const QString& typeList);
    // Appends "." and the extension unless the name already ends in the
    // extension, compared ignoring case.
    static QString withExtension(const QString& fileName, const QString& extension);
    // The writer of a file type of the lists, counted from 0 (text, CSV,
    // HTML, RTF, workbook); null for any other number.
    static std::unique_ptr<GridWriter> writerFor(int fileType);
    // Writes the grid's selection (with the column titles) into the file.
    // Throws std::runtime_error naming the file, with the file system's text,
    // when the file cannot be written.
    static void saveSelection(const DataGrid& grid, const QString& fileName, GridWriter& writer);
};
