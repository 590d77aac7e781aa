#include "patients/registro_ficha.h"

#include "patients/modtercerotm.h"
#include "patients/nvotercerotm.h"
#include "ui/Pantallas.h"

#include <QPointer>

void registrar_ficha_pacientes() {
    pantallas::registrar(QStringLiteral("Fnvotercerotm"), [](ScreenBase* owner) {
        auto* screen = new Tfnvotercerotm(owner);
        screen->showAsChild();
    });
    pantallas::registrar(QStringLiteral("Fmodtercerotm"), [](ScreenBase* owner) {
        // a third party that is not there closes the screen at once
        QPointer<Tfmodtercerotm> screen = new Tfmodtercerotm(owner);
        if (screen && screen->abierta())
            screen->showAsChild();
    });
}
