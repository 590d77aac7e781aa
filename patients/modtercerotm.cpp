#include "patients/modtercerotm.h"

#include "common/UserDialogs.h"
#include "data/ClientDataSet.h"
#include "data/dm.h"
#include "patients/dmter.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

Tfmodtercerotm::Tfmodtercerotm(ScreenBase* owner)
    : Tffichatercerotm(owner, QStringLiteral("Fmodtercerotm"), QStringLiteral("Modificar tercero"),
                       QStringLiteral("F2: Guardar"), QStringLiteral("Esc: Cancelar")) {
    RGEstado = new QFrame;
    RGEstado->setObjectName(QStringLiteral("RGEstado"));
    RGEstado->setFrameShape(QFrame::StyledPanel);
    auto* ge = new QHBoxLayout(RGEstado);
    ge->setContentsMargins(6, 1, 6, 1);
    ge->addWidget(new QLabel(QStringLiteral("Estado ")));
    RBActivo = new QRadioButton(QStringLiteral("&Activo"));
    RBActivo->setObjectName(QStringLiteral("RBActivo"));
    RBInactivo = new QRadioButton(QStringLiteral("I&nactivo"));
    RBInactivo->setObjectName(QStringLiteral("RBInactivo"));
    ge->addWidget(RBActivo);
    ge->addWidget(RBInactivo);
    estados_ = new QButtonGroup(this);
    estados_->addButton(RBActivo);
    estados_->addButton(RBInactivo);
    filaBotones()->insertWidget(0, RGEstado);
    connect(RBActivo, &QRadioButton::clicked, this, &Tfmodtercerotm::guardar_estado);
    connect(RBInactivo, &QRadioButton::clicked, this, &Tfmodtercerotm::guardar_estado);

    ready(); // datasets wired to the shared error handling
    proteger_dv();
    DBEditNit->setReadOnly(true);
    resize(437, 421);
    placeCentered(437, 421);
    fdm->protect([this] { abrir_selectores(); });

    // Every time the record enters edit mode it is signed by the user.
    CTerceros->afterEdit = [](ClientDataSet& ds) {
        ds.setValue(QStringLiteral("TERC_USUARIO"), Value(fdm->cod_usuario));
    };
    bool leido = fdm->protect([this] {
        CTerceros->setParam(QStringLiteral("NIT"), Value(fdmter->nit_modificar));
        CTerceros->open();
    });
    if (leido && CTerceros->isEmpty()) {
        UserDialogs::current().information(QStringLiteral("No se encontró el NIT seleccionado."));
        leido = false;
    }
    if (!leido) {
        abierta_ = false;
        closeScreen();
        return;
    }
    enlazar();
    for (auto signal : {&ClientDataSet::stateChanged, &ClientDataSet::layoutChanged})
        connect(CTerceros, signal, this, &Tfmodtercerotm::mostrar_estado);
    connect(CTerceros, &ClientDataSet::rowChanged, this, &Tfmodtercerotm::mostrar_estado);
    fdm->protect([this] { CTerceros->edit(); });
    mostrar();
    mostrar_estado();

    bool permitido = false;
    fdm->protect([&] { permitido = fdm->valide_acceso(fdm->modulo, 10); });
    SBGrabar->setEnabled(permitido);
}

Tfmodtercerotm::~Tfmodtercerotm() = default;

void Tfmodtercerotm::mostrar_estado() {
    const QString estado = CTerceros->active() ? CTerceros->text(QStringLiteral("TERC_ESTADO")) : QString();
    estados_->setExclusive(false);
    RBActivo->setChecked(estado == QStringLiteral("S"));
    RBInactivo->setChecked(estado == QStringLiteral("N"));
    estados_->setExclusive(true);
}

void Tfmodtercerotm::guardar_estado() {
    if (!CTerceros->active())
        return;
    const QString estado = RBActivo->isChecked() ? QStringLiteral("S") : QStringLiteral("N");
    if (CTerceros->text(QStringLiteral("TERC_ESTADO")) == estado)
        return;
    fdm->protect([&] {
        editar();
        CTerceros->setValue(QStringLiteral("TERC_ESTADO"), Value(estado));
    });
}

bool Tfmodtercerotm::SBGrabarClick() {
    // the key reaches here too: the right is tested again
    if (!CTerceros->active() || !SBGrabar->isEnabled())
        return false;
    tomar_edicion();
    bool guardado = false;
    fdm->protect([&] {
        editar();
        if (!componer_y_validar(false))
            return;
        if (!enviar())
            return; // refused and reported; the changes stay pending
        crear_roles();
        guardado = true;
    });
    // In every case the record goes back to edit mode, signed again.
    fdm->protect([this] { editar(); });
    DBEditNit->setFocus();
    return guardado;
}

void Tfmodtercerotm::FormActivate() { DBEditNom->setFocus(); }

void Tfmodtercerotm::FormClose() {
    // unsaved changes are dropped
    if (CTerceros->active())
        CTerceros->cancelUpdates();
}
