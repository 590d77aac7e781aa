#pragma once

#include "data/ClientDataSet.h"
#include "data/Provider.h"
#include "ui/ScreenBase.h"

class QLabel;
class QPushButton;
class Tfichacompania;

// "Nueva compañía": registers a new working company. Copies the company
// template of the installation folder into datos/<code>/zentavo.fdb, puts
// the company's name, tax identification, first branch and the company as a
// third party into it, gives the creating user a profile there, and stores
// the COMPANIA row (logo included) and the user's link in the general
// database. When a step fails after the copy, the copied database (and the
// folder made for it) is removed again and the dialog stays open with what
// was typed, so the user may correct it and try again.
class Tfnvacompania : public ScreenBase {
    Q_OBJECT
public:
    explicit Tfnvacompania(ScreenBase* owner = nullptr);
    ~Tfnvacompania() override;

    // "F2: &Grabar": creates the company.
    void SBGrabarClick();
    // "ESC: &Salir": drops what was typed and closes.
    void SBSalirClick();
    // True once the company was created.
    bool grabado() const { return grabado_; }

    Provider PCompania;
    ClientDataSet CCompania;
    Tfichacompania* Ficha = nullptr;
    QPushButton* SBGrabar = nullptr;
    QPushButton* SBSalir = nullptr;
    // Progress panel: the step being done.
    QLabel* PProgreso = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The code check run each time COMP_COD changes to a non-empty value.
    void valida_codigo();
    void grabar();
    void progreso(const QString& texto);

    bool grabado_ = false;
};
