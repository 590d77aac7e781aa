#include "samples/registro_muestras.h"

#include "samples/buscmuestra.h"
#include "samples/tipoexamen.h"
#include "samples/tomamuest.h"
#include "ui/Pantallas.h"

void registrar_pantallas_muestras() {
    pantallas::registrar(QStringLiteral("Ftomamuest"), [](ScreenBase* owner) { (new Tftomamuest(owner))->showAsChild(); });
    pantallas::registrar(QStringLiteral("Ftipoexamen"), [](ScreenBase* owner) { (new Tftipoexamen(owner))->showAsChild(); });
    pantallas::registrar(QStringLiteral("Fbuscmuestra"), [](ScreenBase* owner) { (new Tfbuscmuestra(owner))->showAsChild(); });
}
