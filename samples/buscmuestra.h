#pragma once

#include "ui/ScreenBase.h"

class ClientDataSet;
class DataGrid;
class GridServices;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

// The samples already taken, searched by patient identification, date or
// patient name, newest first; the labels of any of them can be printed
// again. Nothing is ever changed here.
class Tfbuscmuestra : public ScreenBase {
    Q_OBJECT
public:
    explicit Tfbuscmuestra(ScreenBase* owner = nullptr);
    ~Tfbuscmuestra() override;

    // Composes the list's statement from the criteria on the screen, ordered
    // by `orden` (the search column when empty) descending, then by number.
    // The statement stays with the screen until it is composed again.
    void compone_query(const QString& orden);
    const QString& query() const { return query_; }
    // The column "Buscar por " searches in.
    QString columna_busqueda() const;

    // "&Buscar": matching samples, search column descending.
    void SBBuscarClick();
    // A column title: the same criteria, ordered by that column.
    void DBGridTitleClick(int column);
    // "F2: Imprimir" and double click: the labels of the current sample again.
    void SBImprimirClick();
    void SBSalirClick();

    ClientDataSet* CMuestras = nullptr;

    QGroupBox* RGBuscar = nullptr;
    QRadioButton* RBNumero = nullptr;
    QRadioButton* RBFecha = nullptr;
    QRadioButton* RBPaciente = nullptr;
    QLineEdit* TxBuscar = nullptr;
    QCheckBox* ckPosicion = nullptr;
    QCheckBox* ckfiltro = nullptr;
    QPushButton* SBBuscar = nullptr;
    DataGrid* DBGrid = nullptr;
    GridServices* servicios = nullptr;
    QToolButton* NavPrimero = nullptr;
    QToolButton* NavAnterior = nullptr;
    QToolButton* NavSiguiente = nullptr;
    QToolButton* NavUltimo = nullptr;
    QPushButton* SBImprimir = nullptr;
    QPushButton* SBSalir = nullptr;

private:
    // Closes the list, gives it the statement last composed and opens it again.
    void abrir_lista(const QString& orden);
    void navegar(void (ClientDataSet::*paso)());

    QString query_;
};
