#pragma once

#include "ui/ScreenBase.h"

class ClientDataSet;
class DataGrid;
class GridServices;
class QPushButton;
class QToolButton;

// The exam types a sample tube can be taken for, edited in a grid over the
// whole table and saved in one batch with "F2: Grabar".
class Tftipoexamen : public ScreenBase {
    Q_OBJECT
public:
    explicit Tftipoexamen(ScreenBase* owner = nullptr);
    ~Tftipoexamen() override;

    // "F2: Grabar": sends every pending change; closes when none was refused.
    // True when the screen closed.
    bool SBGrabarClick();
    // "Esc: Cancelar": drops every pending change and closes.
    void SBCancelarClick();

    ClientDataSet* CTipoexamen = nullptr;
    DataGrid* DBGrid = nullptr;
    GridServices* servicios = nullptr;
    QToolButton* NavPrimero = nullptr;
    QToolButton* NavAnterior = nullptr;
    QToolButton* NavSiguiente = nullptr;
    QToolButton* NavUltimo = nullptr;
    QToolButton* NavInsertar = nullptr;
    QToolButton* NavBorrar = nullptr;
    QPushButton* SBGrabar = nullptr;
    QPushButton* SBCancelar = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Writes what is being typed in a cell into the record.
    void terminar_celda();
    void navegar(void (ClientDataSet::*paso)());
};
