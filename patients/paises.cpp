#include "patients/paises.h"

#include "patients/dmter.h"

namespace {
TfTablaCodigos::Definicion definicion() {
    return {QStringLiteral("Fpaises"),
            QStringLiteral("Paises"),
            QStringLiteral("Pais"),
            QStringLiteral("PAIS_ID"),
            {GridColumn::text(QStringLiteral("PAIS_ID"), QStringLiteral("Cód."), 38),
             GridColumn::text(QStringLiteral("PAIS_NOM"), QStringLiteral("Nombre"), 275)},
            GridSettings::paises()};
}
} // namespace

Tfpaises::Tfpaises(ScreenBase* owner) : TfTablaCodigos(definicion(), fdmter->TPaises, owner) {}
