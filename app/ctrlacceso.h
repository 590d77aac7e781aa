#pragma once

#include "ui/ScreenBase.h"

#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The login dialog "Control de acceso": user, password and database
// location; proves them by opening the general database. The database
// server itself accepts or refuses the user and the password.
class Tfacceso : public ScreenBase {
    Q_OBJECT
public:
    explicit Tfacceso(QWidget* parent = nullptr);
    ~Tfacceso() override;
    // True when the dialog closed with "OK" (a successful login).
    bool aceptado() const { return aceptado_; }

    // "F2: &Entrar": connects to the general database and, when the server
    // accepts the user, fills the login context and closes with "OK".
    void SBEntrarClick();
    // "ESC: &Salir": ends the program at once.
    void SBSalirClick();

    QLineEdit* Tusua = nullptr;
    QLineEdit* TClave = nullptr;
    QComboBox* Servidor = nullptr;
    QPushButton* SBEntrar = nullptr;
    QPushButton* SBSalir = nullptr;
    // "Conectando con el servidor...", shown only while connecting.
    QLabel* Panel = nullptr;

protected:
    void FormActivate() override;
    void resizeEvent(QResizeEvent* event) override;

    bool aceptado_ = false;

private:
    // Lines of SERVIDORES.cfg in the installation folder.
    static QStringList lee_servidores(const QString& path);
    void muestra_panel(bool visible);

    QStringList servidores_;
};
