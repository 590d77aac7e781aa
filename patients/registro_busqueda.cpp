#include "patients/registro_busqueda.h"

#include "patients/ciudades.h"
#include "patients/paises.h"
#include "patients/tercerostm.h"
#include "ui/Pantallas.h"

void registrar_busqueda_pacientes() {
    pantallas::registrar(QStringLiteral("Ftercerostm"),
                         [](ScreenBase* owner) { (new Tftercerostm(owner))->showAsChild(); });
    pantallas::registrar(QStringLiteral("Fciudades"), [](ScreenBase* owner) { (new Tfciudades(owner))->showAsChild(); });
    pantallas::registrar(QStringLiteral("Fpaises"), [](ScreenBase* owner) { (new Tfpaises(owner))->showAsChild(); });
}
