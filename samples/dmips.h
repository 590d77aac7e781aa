#pragma once

#include "data/QueryObject.h"

#include <QObject>
#include <QString>

// The clinical data module: the statements of the sample screens, the
// sample being printed and the health-staff side of the login context.
class TFdmips : public QObject {
    Q_OBJECT
public:
    explicit TFdmips(QObject* parent = nullptr);
    ~TFdmips() override;

    QueryObject TTomamuest;  // one sample by number
    QueryObject TTipoexamen; // the exam type catalogue
    QueryObject QMuestras;   // statements composed by the sample search

    // A new sample number: one no earlier call returned.
    qint64 cambie_id_tomamues();

    QString nit_medico;    // identification of the logged-in doctor, empty otherwise
    QString nit_enfermera; // identification of the logged-in nurse
    bool usa_camara = false;
    QString id_muestra; // the sample whose labels are to be printed
};

extern TFdmips* Fdmips;
