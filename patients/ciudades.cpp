#include "patients/ciudades.h"

#include "patients/dmter.h"

namespace {
TfTablaCodigos::Definicion definicion() {
    return {QStringLiteral("Fciudades"),
            QStringLiteral("Ciudades"),
            QStringLiteral("Ciudades"),
            QStringLiteral("CIUD_COD"),
            {GridColumn::text(QStringLiteral("CIUD_COD"), QStringLiteral("Código"), 60),
             GridColumn::text(QStringLiteral("CIUD_NOM"), QStringLiteral("Nombre"), 240),
             GridColumn::check(QStringLiteral("CIUD_ACTIVA"), QStringLiteral("Activa"), 30)},
            GridSettings::ciudades()};
}
} // namespace

Tfciudades::Tfciudades(ScreenBase* owner) : TfTablaCodigos(definicion(), fdmter->TCiudades, owner) {}
