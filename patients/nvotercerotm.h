#pragma once

#include "patients/fichatercerotm.h"

// "Nuevo tercero": registers patients one after another. A new record
// starts as a legal person in the suggested city and country 169; the
// identification is checked against the register as it is typed and gets
// its check digit; "F2: Grabar" stores the record (with its client and
// creditor rows) and starts the next one.
class Tfnvotercerotm : public Tffichatercerotm {
    Q_OBJECT
public:
    explicit Tfnvotercerotm(ScreenBase* owner = nullptr);
    ~Tfnvotercerotm() override;

    bool SBGrabarClick() override;
    // Starts the next record with its defaults.
    void nuevo_registro();

    // Identifications take digits only (at most fifteen) and get a computed
    // check digit.
    bool soloDigitos() const { return soloDigitos_; }

protected:
    void FormActivate() override;
    void FormClose() override;
    void campo_cambiado(const Field& field) override;

private:
    // Defaults of a new record.
    void CTercerosAfterInsert();
    // The identification just changed: taken already, or its check digit.
    void regla_identificacion();
    bool identificacion_valida() const;

    bool soloDigitos_ = false;
    bool tipoAplicado_ = false; // the type rule already ran once since creation
};
