#pragma once

#include "data/ClientDataSet.h"
#include "data/Provider.h"
#include "data/QueryObject.h"

#include <QObject>
#include <QString>

// The third party data module: the statements the third party screens read
// through, the identification services and the hand-over values.
class Tfdmter : public QObject {
    Q_OBJECT
public:
    explicit Tfdmter(QObject* parent = nullptr);
    ~Tfdmter() override;

    // Statements the screens bind their providers to.
    QueryObject TTercero, QTerceros, TCiudades, Ttipoid, TPaises;

    // Does any third party (active or not) have this identification?
    bool existe_nit(const QString& nit);
    // Check digit (modulus 11 over at most fifteen digits); 0 for an empty
    // identification. Throws UserError for anything else than digits or for
    // more than fifteen of them.
    static int dv(const QString& nit);
    // Name of the active third party with this identification, or empty.
    QString nom_tercero(const QString& nit);

    QString nit_pendiente; // identification handed to the next screen
    QString nit_modificar; // third party a modification screen opens on

private:
    Provider PConsulta;
    ClientDataSet CConsulta; // result of the last service call, open until the next
};

extern Tfdmter* fdmter;
