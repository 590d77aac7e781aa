#include "patients/nvotercerotm.h"

#include "common/UserDialogs.h"
#include "data/ClientDataSet.h"
#include "data/dm.h"
#include "patients/dmter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace {
const QString kQuince = QStringLiteral("[0-9]{0,15}");
}

Tfnvotercerotm::Tfnvotercerotm(ScreenBase* owner)
    : Tffichatercerotm(owner, QStringLiteral("Fnvotercerotm"), QStringLiteral("Nuevo tercero"),
                       QStringLiteral("F2: Grabar"), QStringLiteral("ESC:Cancelar")) {
    ready(); // datasets wired to the shared error handling
    proteger_dv();
    fdm->protect([this] { abrir_selectores(); });
    tipoAplicado_ = false;
    fdm->protect([this] {
        CTerceros->setParam(QStringLiteral("NIT"), Value(QString()));
        CTerceros->open();
    });
    enlazar();
    CTerceros->afterInsert = [this](ClientDataSet&) { CTercerosAfterInsert(); };
    if (CTerceros->active())
        fdm->protect([this] { nuevo_registro(); });
    resize(437, 421);
    placeCentered(437, 421);

    soloDigitos_ = configuracion(QStringLiteral("PERMITIR LETRAS Y CARACTERES ADICIONALES EN NIT")) == QStringLiteral("NO");
    if (soloDigitos_) {
        // up to fifteen digits, nothing else typed; only the digits are stored
        DBEditNit->setValidator(new QRegularExpressionValidator(QRegularExpression(kQuince), DBEditNit));
    }

    // An identification handed over by the screen that opened this one.
    // It is taken even when the record could not be read, so nobody else
    // picks it up again.
    if (!fdmter->nit_pendiente.isEmpty()) {
        const QString nit = fdmter->nit_pendiente;
        fdmter->nit_pendiente.clear();
        if (CTerceros->active())
            fdm->protect([&] {
                editar();
                CTerceros->setValue(QStringLiteral("TERC_NIT"), Value(nit));
            });
    }
}

Tfnvotercerotm::~Tfnvotercerotm() = default;

void Tfnvotercerotm::nuevo_registro() {
    CTerceros->append(); // CTercerosAfterInsert gives the defaults
    mostrar();
}

void Tfnvotercerotm::CTercerosAfterInsert() {
    for (const char* campo : {"TERC_CLIE", "TERC_PROV", "TERC_EMPL", "TERC_EXENTO"})
        CTerceros->setValue(QString::fromLatin1(campo), Value(QStringLiteral("N")));
    CTerceros->setValue(QStringLiteral("TERC_TIPOID"), Value(QStringLiteral("J")));
    CTerceros->setValue(QStringLiteral("TERC_ESTADO"), Value(QStringLiteral("S")));
    const QString sugerida = configuracion(QStringLiteral("CODIGO DE CIUDAD A SUGERIR"));
    const bool ofrecida = !sugerida.isEmpty() && CCiudades->active() &&
                          CCiudades->locate({QStringLiteral("CIUD_COD")}, {Value(sugerida)});
    CTerceros->setValue(QStringLiteral("PAIS_ID"), Value(QStringLiteral("169")));
    // Only a city the picker offers is suggested: an unknown or inactive code
    // would show an empty picker and be refused by the database at the save.
    if (ofrecida)
        CTerceros->setValue(QStringLiteral("CIUD_COD"), Value(sugerida));
}

void Tfnvotercerotm::campo_cambiado(const Field& field) {
    if (field.name == QStringLiteral("TERC_NIT")) {
        regla_identificacion();
    } else if (field.name == QStringLiteral("TERC_TIPOID")) {
        // the default type given at creation does not move the focus
        regla_tipo(tipoAplicado_);
        tipoAplicado_ = true;
    } else {
        Tffichatercerotm::campo_cambiado(field);
    }
}

void Tfnvotercerotm::regla_identificacion() {
    const QString nit = CTerceros->text(QStringLiteral("TERC_NIT"));
    if (nit.isEmpty())
        return;
    if (fdmter->existe_nit(nit)) {
        UserDialogs::current().information(QStringLiteral("El Nit ya está Registrado."));
        CTerceros->setValue(QStringLiteral("TERC_NIT"), Value());
        CTerceros->setValue(QStringLiteral("TERC_DV"), Value());
        DBEditNit->setFocus();
        keepFocus();
        return;
    }
    if (soloDigitos_) {
        // An identification dv cannot take (letters, more than fifteen digits)
        // keeps an empty check digit; dv's refusal says why.
        CTerceros->setValue(QStringLiteral("TERC_DV"), Value());
        CTerceros->setValue(QStringLiteral("TERC_DV"), Value(QString::number(Tfdmter::dv(nit))));
    }
}

bool Tfnvotercerotm::identificacion_valida() const {
    static const QRegularExpression digitos(QStringLiteral("^[0-9]{1,15}$"));
    return !soloDigitos_ || digitos.match(DBEditNit->text()).hasMatch();
}

bool Tfnvotercerotm::SBGrabarClick() {
    if (!CTerceros->active())
        return false;
    tomar_edicion();
    bool guardado = false;
    fdm->protect([&] {
        editar(); // a record kept after a refused save
        if (!componer_y_validar(true))
            return;
        // An identification handed over from another screen does not pass
        // through the editor's digit check.
        if (!identificacion_valida()) {
            UserDialogs::current().information(
                QStringLiteral("La identificación debe tener solo dígitos, máximo quince."));
            DBEditNit->setFocus();
            return;
        }
        if (!enviar())
            return; // refused and reported; the record stays to be sent again
        crear_roles();
        guardado = true;
    });
    if (!guardado) {
        fdm->protect([this] { editar(); }); // nothing typed is lost
        return false;
    }
    fdm->protect([this] { nuevo_registro(); });
    DBEditNit->setFocus();
    return true;
}

void Tfnvotercerotm::FormActivate() {
    // cities added meanwhile in the cities screen are offered; what is being
    // typed is taken first, so re-showing the record loses nothing
    tomar_edicion();
    fdm->protect([this] { cargar_ciudades(); });
    DBEditNit->setFocus();
}

void Tfnvotercerotm::FormClose() {
    // the record being typed, or kept after a refused save, is dropped
    CTerceros->cancelUpdates();
}
