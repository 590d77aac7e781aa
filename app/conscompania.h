#pragma once

#include "data/ClientDataSet.h"
#include "data/Provider.h"
#include "ui/ScreenBase.h"

class QPushButton;
class Tfichacompania;

// "Consulta de compañías": the COMPANIA record of the company in
// Fprincipal->cod_compania, every field editable (the code too). "F2: &Grabar"
// stores the changes and closes; a change the database refuses is reported
// and the dialog stays open with it.
class Tfconscompania : public ScreenBase {
    Q_OBJECT
public:
    explicit Tfconscompania(ScreenBase* owner = nullptr);
    ~Tfconscompania() override;

    void SBGrabarClick();
    void SBSalirClick();
    bool grabado() const { return grabado_; }

    Provider PCompania;
    ClientDataSet CCompania;
    Tfichacompania* Ficha = nullptr;
    QPushButton* SBGrabar = nullptr;
    QPushButton* SBSalir = nullptr;
    QPushButton* SBSucursales = nullptr;

private:
    bool grabado_ = false;
};
