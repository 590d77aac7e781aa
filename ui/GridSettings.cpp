#include "ui/GridSettings.h"

// The workbook type writes the xlsx format, so it offers and appends ".xlsx".
QString GridSettings::spanishFileTypes() {
    return QStringLiteral("Archivo texto (*.txt)|*.TXT|Valores separados por comas (*.csv)|*.CSV|"
                          "Archivo HTML (*.htm)|*.HTM|Texto con formato (*.rtf)|*.RTF|"
                          "Libro de Microsoft Excel (*.xlsx)|*.XLSX");
}

QString GridSettings::englishFileTypes() {
    return QStringLiteral("Text files (*.txt)|*.TXT|Comma separated values (*.csv)|*.CSV|"
                          "HTML file (*.htm)|*.HTM|Rich Text Format (*.rtf)|*.RTF|"
                          "Microsoft Excel Workbook (*.xlsx)|*.XLSX");
}

QString GridSettings::fileTypeList() const {
    return fileTypes == FileTypes::Spanish ? spanishFileTypes() : englishFileTypes();
}

namespace {
GridSettings make(const char* file, GridSettings::FileTypes types, const char* title, const char* filter,
                  bool colouring, bool copy) {
    GridSettings s;
    s.exportFileName = QString::fromUtf8(file);
    s.fileTypes = types;
    s.printTitle = QString::fromUtf8(title);
    s.filterSwitch = QString::fromUtf8(filter);
    s.selectedCellColouring = colouring;
    s.copyAndSelectAll = copy;
    return s;
}
constexpr auto es = GridSettings::FileTypes::Spanish;
constexpr auto en = GridSettings::FileTypes::English;
} // namespace

GridSettings GridSettings::terceros() {
    return make("Terceros", es, "Registro de Tercero", "Habilitar filtros", true, true);
}
GridSettings GridSettings::ciudades() { return make("Ciudades", es, "Ciudades", "", true, true); }
GridSettings GridSettings::paises() { return make("Paises", es, "Ciudades", "", true, true); }
GridSettings GridSettings::muestras() {
    return make("Muestras", es, "Registro de Tercero", "Habilitar filtros", true, false);
}
GridSettings GridSettings::tipoExamen() {
    return make("Tipoexamen", es, "Definición de Marcas", "", false, true);
}
GridSettings GridSettings::modFormato() {
    return make("Modformato", en, "Modificar Formatos", "Filtrar", false, true);
}
GridSettings GridSettings::motivos() { return make("Motivos", es, "Definición de Marcas", "", false, true); }
GridSettings GridSettings::puc() { return make("PlanUnico", en, "Plan Unico de Cuentas", "", true, true); }
GridSettings GridSettings::articulos() {
    return make("Articulos", es, "Articulos por Inventario", "Habilitar filtros", true, true);
}
