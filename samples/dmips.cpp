#include "samples/dmips.h"

#include "data/dm.h"

TFdmips* Fdmips = nullptr;

TFdmips::TFdmips(QObject* parent)
    : QObject(parent),
      TTomamuest(QStringLiteral("TTomamuest"), fdm->Zentavo, QStringLiteral("SELECT * FROM TOMA_MUESTRA WHERE TOMA_ID = :ID"),
                 {{QStringLiteral("ID"), Value(QStringLiteral("0"))}}),
      TTipoexamen(QStringLiteral("TTipoexamen"), fdm->Zentavo, QStringLiteral("SELECT * FROM TIPO_EXAMEN")),
      QMuestras(QStringLiteral("QMuestras"), fdm->Zentavo) {
    Fdmips = this;
}

TFdmips::~TFdmips() {
    if (Fdmips == this)
        Fdmips = nullptr;
}

qint64 TFdmips::cambie_id_tomamues() {
    return fdm->valor(QStringLiteral("EXECUTE PROCEDURE CAMBIE_ID_TOMAMUES")).toInt();
}
