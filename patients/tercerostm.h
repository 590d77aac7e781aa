#pragma once

#include "ui/ScreenBase.h"

#include <QString>

class ClientDataSet;
class DataGrid;
class GridFilterSwitch;
class GridServices;
class Navegador;
class Provider;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The patient search: third parties with their clinical-record number, found
// by identification, name, contact or record number; picked, opened for
// modification, created or deleted. Two modes, fixed when it is created from
// fdm->solo_consulta:
//  - maintenance (opened by the main window): every third party, inactive
//    ones in red, an "Activo" column; a double click modifies;
//  - selection (opened by sample taking): active third parties only; picking
//    a row hands its identification back through fdmter->nit_pendiente and
//    closes the window.
class Tftercerostm : public ScreenBase {
    Q_OBJECT
public:
    explicit Tftercerostm(ScreenBase* owner = nullptr);
    ~Tftercerostm() override;

    // The statement the list starts from; searches append to it.
    static const QString kSentenciaBase;

    // Where the search looks (the radio group "Buscar en:", in its order).
    enum Columna { Identificacion = 0, Nombre = 1, Contacto = 2, Historia = 3 };
    // The column a search looks in and sorts by.
    static QString columna(Columna c);
    // The whole statement of a search: the base statement, one clause per
    // search word (the first four words of `texto` split at every blank; the
    // first always, the others when not empty), then the order. Every word
    // goes in as a quoted literal; in the clauses the identification is
    // qualified with the third party table's alias, as the clinical-record
    // register has a column of the same name.
    static QString sentencia_busqueda(const QString& base, Columna c, const QString& texto, bool cualquierPosicion);

    bool modoMantenimiento() const { return mantenimiento_; }

    // --- actions
    void sbBuscarClick();
    void SBNuevoClick();
    void SBModificarClick();
    void SBBorrarClick();
    void SBSelecClick();
    void SBSalirClick();
    // Reads the list again with its current statement.
    void releer();

    ClientDataSet* CTerceros = nullptr;
    ClientDataSet* CBorrar = nullptr;
    Provider* PTerceros = nullptr;
    Provider* PBorrar = nullptr;

    QButtonGroup* RGBuscar = nullptr; // ids as Columna
    QLineEdit* EBuscar = nullptr;
    QCheckBox* CkDesorden = nullptr;
    QPushButton* sbBuscar = nullptr;
    GridFilterSwitch* ckfiltro = nullptr;
    DataGrid* DBGridEh1 = nullptr;
    Navegador* navegador = nullptr;
    GridServices* servicios = nullptr;
    QPushButton* SBNuevo = nullptr;
    QPushButton* SBModificar = nullptr;
    QPushButton* SBBorrar = nullptr;
    QPushButton* SBSelec = nullptr;
    QPushButton* SBSalir = nullptr;

protected:
    void FormActivate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString nitActual() const;
    bool mantenimiento_ = false;
};
