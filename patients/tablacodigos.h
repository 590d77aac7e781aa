#pragma once

#include "ui/GridColumn.h"
#include "ui/GridSettings.h"
#include "ui/ScreenBase.h"

#include <vector>

class ClientDataSet;
class DataGrid;
class GridServices;
class Navegador;
class Provider;
class QPushButton;
class QueryObject;

// A small code table edited whole in a grid (cities, countries): every row
// of the table, a navigator with insert and delete, "F2: Grabar" sending
// every change in one batch and "Esc: Cancelar" dropping them. A row whose
// code is empty is dropped, without a message, when it would be stored.
class TfTablaCodigos : public ScreenBase {
    Q_OBJECT
public:
    struct Definicion {
        QString nombre;  // object name of the window ("Fciudades")
        QString titulo;  // caption
        QString raiz;    // stem of the provider and dataset ("Ciudades": PCiudades, CCiudades)
        QString codigo;  // the code column
        std::vector<GridColumn> columnas;
        GridSettings servicios;
    };

    TfTablaCodigos(const Definicion& definicion, QueryObject& filas, ScreenBase* owner);
    ~TfTablaCodigos() override;

    // "F2: Grabar": true when every change was stored (the window closes).
    bool SBGrabarClick();
    // "Esc: Cancelar": drops every pending change and closes the window.
    void SBCancelarClick();

    Provider* proveedor = nullptr;
    ClientDataSet* filas = nullptr;
    DataGrid* DBGrid1 = nullptr;
    Navegador* navegador = nullptr;
    GridServices* servicios = nullptr;
    QPushButton* SBGrabar = nullptr;
    QPushButton* SBCancelar = nullptr;

    static constexpr int kAncho = 372;
    static constexpr int kAlto = 265;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The row check before a row is stored.
    void antesDeGrabarFila(ClientDataSet& ds);
    QString codigo_;
};
