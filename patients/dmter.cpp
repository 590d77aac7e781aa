#include "patients/dmter.h"

#include "common/SqlText.h"
#include "data/UserError.h"
#include "data/dm.h"

Tfdmter* fdmter = nullptr;

Tfdmter::Tfdmter(QObject* parent)
    : QObject(parent),
      TTercero(QStringLiteral("TTercero"), fdm->Zentavo, QStringLiteral("SELECT * FROM TERCEROS WHERE TERC_NIT = :NIT")),
      QTerceros(QStringLiteral("QTerceros"), fdm->Zentavo),
      TCiudades(QStringLiteral("TCiudades"), fdm->Zentavo, QStringLiteral("SELECT * FROM CIUDADES ORDER BY CIUD_NOM")),
      Ttipoid(QStringLiteral("Ttipoid"), fdm->Zentavo, QStringLiteral("SELECT * FROM TIPO_ID  ")),
      TPaises(QStringLiteral("TPaises"), fdm->Zentavo, QStringLiteral("SELECT * FROM PAISES ORDER BY PAIS_NOM")),
      PConsulta(QStringLiteral("PConsulta"), QTerceros, this), CConsulta(QStringLiteral("CConsulta"), this) {
    CConsulta.setProvider(&PConsulta);
    fdmter = this;
}

Tfdmter::~Tfdmter() {
    CConsulta.close();
    if (fdmter == this)
        fdmter = nullptr;
}

bool Tfdmter::existe_nit(const QString& nit) {
    CConsulta.close();
    CConsulta.setCommandText(
        QStringLiteral("select terc_nit, terc_nom, terc_clie, terc_prov from terceros where terc_nit = ") +
        sqltext::quoted(nit));
    CConsulta.open();
    return !CConsulta.isEmpty();
}

int Tfdmter::dv(const QString& nit) {
    static const int weights[] = {3, 7, 13, 17, 19, 23, 29, 37, 41, 43, 47, 53, 59, 67, 71};
    if (nit.size() > 15)
        throw UserError(QStringLiteral("La identificación tiene más de quince dígitos; no se puede calcular el "
                                       "dígito de verificación."));
    int sum = 0;
    for (qsizetype i = 0; i < nit.size(); ++i) {
        const QChar c = nit[nit.size() - 1 - i];
        if (!c.isDigit() || c.unicode() > '9')
            throw UserError(QStringLiteral("La identificación debe tener solo dígitos para calcular el dígito de "
                                           "verificación."));
        sum += c.digitValue() * weights[i];
    }
    const int r = sum % 11;
    return r < 2 ? r : 11 - r;
}

QString Tfdmter::nom_tercero(const QString& nit) {
    CConsulta.close();
    CConsulta.setCommandText(QStringLiteral("select terc_nit, terc_nom from terceros where terc_estado = 'S' and terc_nit = ") +
                             sqltext::quoted(nit));
    CConsulta.open();
    return CConsulta.isEmpty() ? QString() : CConsulta.text(QStringLiteral("TERC_NOM"));
}
