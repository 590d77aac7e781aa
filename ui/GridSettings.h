#pragma once

#include <QString>

// What tells one list screen's grid services from another's: the proposed
// export file name, the file-type list of the save dialog, the printed title,
// the caption of the filter switch (none when empty), whether selected cells
// take the skin's colours, and whether copy and select all are allowed.
struct GridSettings {
    enum class FileTypes { Spanish, English };

    QString exportFileName;
    FileTypes fileTypes = FileTypes::Spanish;
    QString printTitle;
    QString filterSwitch;
    bool selectedCellColouring = true;
    bool copyAndSelectAll = true;

    // The save dialog's list: description and pattern pairs separated by '|'.
    QString fileTypeList() const;
    static QString spanishFileTypes();
    static QString englishFileTypes();

    // The settings of each list screen.
    static GridSettings terceros(); // patient search and the general third party search
    static GridSettings ciudades();
    static GridSettings paises();
    static GridSettings muestras(); // sample search
    static GridSettings tipoExamen();
    static GridSettings modFormato(); // both grids of the label format screen
    static GridSettings motivos();
    static GridSettings puc();
    static GridSettings articulos();
};
