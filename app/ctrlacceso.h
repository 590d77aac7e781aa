#pragma once

#include "ui/ScreenBase.h"

// The login dialog "Control de acceso": user, password and database
// location; proves them by opening the general database.
class Tfacceso : public ScreenBase {
    Q_OBJECT
public:
    explicit Tfacceso(QWidget* parent = nullptr);
    ~Tfacceso() override;
    // True when the dialog closed with "OK" (a successful login).
    bool aceptado() const { return aceptado_; }

protected:
    bool aceptado_ = false;
};
