#pragma once

#include "patients/fichatercerotm.h"

class QButtonGroup;
class QFrame;
class QRadioButton;

// "Modificar tercero": changes the third party named by nit_modificar. The
// record stays in edit mode, signed with the user who saves it; each
// "F2: Guardar" sends the changes made since the last one. Saving needs
// option 10 of the user's module.
class Tfmodtercerotm : public Tffichatercerotm {
    Q_OBJECT
public:
    explicit Tfmodtercerotm(ScreenBase* owner = nullptr);
    ~Tfmodtercerotm() override;

    bool SBGrabarClick() override;

    // False when the third party was not found: the screen closed itself at
    // creation and must not be shown.
    bool abierta() const { return abierta_; }

    QFrame* RGEstado = nullptr; // "Estado ": active or inactive
    QRadioButton* RBActivo = nullptr;
    QRadioButton* RBInactivo = nullptr;

protected:
    void FormActivate() override;
    void FormClose() override;

private:
    void mostrar_estado();
    void guardar_estado();

    QButtonGroup* estados_ = nullptr;
    bool abierta_ = true;
};
