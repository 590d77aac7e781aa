#pragma once

#include "data/ClientDataSet.h"
#include "data/Provider.h"
#include "ui/ScreenBase.h"

class DataSetModel;
class QPushButton;
class QTableView;

// The company list "Compañías de trabajo": the companies the user may work
// in; picks the working company and, for an administrator, creates, edits
// and deletes companies. The administrator right is tested by each action,
// so the keys of the disabled buttons do nothing for other users.
class Tfcompanias : public ScreenBase {
    Q_OBJECT
public:
    explicit Tfcompanias(QWidget* parent = nullptr);
    ~Tfcompanias() override;

    // F5: new company; F4: the selected company's record; both refresh the list.
    void SBNuevoClick();
    void SBModificarClick();
    // The button only tells how to delete; Alt+F3 deletes.
    void SBBorrarClick();
    // Alt+F3: deletes the selected company's rows and, if asked, its database.
    void borra_compania();
    // F10, Enter, double click: works in the selected company.
    void SBSelecClick();
    // Esc: leaves without connecting; ends the program when no company is set.
    void SBSalirClick();
    // Opens the list again.
    void refresca();

    bool usua_admin() const { return usua_admin_; }

    Provider PCompanias, PUsuario;
    ClientDataSet CCompanias, CUsuario;
    DataSetModel* DCompanias = nullptr;
    QTableView* Grid = nullptr;
    QPushButton* SBNuevo = nullptr;
    QPushButton* SBModificar = nullptr;
    QPushButton* SBBorrar = nullptr;
    QPushButton* SBSelec = nullptr;
    QPushButton* SBSalir = nullptr;

private:
    void anchos();
    QString codigo_actual() const;

    bool usua_admin_ = false;
};
