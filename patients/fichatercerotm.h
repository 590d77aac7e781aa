#pragma once

#include "ui/ScreenBase.h"

#include <QHash>
#include <QString>

class ClientDataSet;
class FieldBinder;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
struct Field;

// The form the patient screens share: one TERCEROS row edited in memory,
// with its identification, type, name parts, location and observations,
// the type, city and country pickers, the rules that run when the type or
// the city change, the name composition and the checks and batch of a save.
// The new-patient and modify-patient screens add their own creation, rules
// and save steps.
class Tffichatercerotm : public ScreenBase {
    Q_OBJECT
public:
    ~Tffichatercerotm() override;

    // Name of a natural person: first surname, second surname, first given
    // name and second given name joined by single blanks; the three blanks
    // are always there, even around empty parts.
    static QString componer_nombre(const QString& apellido1, const QString& apellido2, const QString& nombre1,
                                   const QString& nombre2);

    // "F2". True when the record reached the database.
    virtual bool SBGrabarClick() = 0;
    // "Esc": drops what was not saved and closes.
    void SBCancelarClick();

    // Value of a setting of the third party screens (module CONTABILIDAD,
    // category TERCEROS).
    static QString configuracion(const QString& propiedad);

    ClientDataSet* CTerceros = nullptr;
    ClientDataSet* CCiudades = nullptr;
    ClientDataSet* CPaises = nullptr;
    ClientDataSet* Ctipoid = nullptr;
    ClientDataSet* CBorrar = nullptr;

    QGroupBox* GBIdentificacion = nullptr;
    QGroupBox* GBUbicacion = nullptr;
    QGroupBox* GBObservaciones = nullptr;
    QLineEdit* DBEditNit = nullptr;
    QLineEdit* DBEditDv = nullptr;
    QComboBox* DBLookupTipoid = nullptr;
    QLineEdit* DBEditApellido1 = nullptr;
    QLineEdit* DBEditApellido2 = nullptr;
    QLineEdit* DBEditNombre1 = nullptr;
    QLineEdit* DBEditNombre2 = nullptr;
    QLineEdit* DBEditNom = nullptr;
    QLineEdit* DBEditDir = nullptr;
    QComboBox* DBLookupCiudad = nullptr;
    QToolButton* SBCiudades = nullptr;
    QLineEdit* DBEditTel = nullptr;
    QLineEdit* DBEditFax = nullptr;
    QLineEdit* DBEditCel = nullptr;
    QLineEdit* DBEditEmail = nullptr;
    QLineEdit* DBEditContacto = nullptr;
    QDateEdit* DBFechaAniv = nullptr;
    QComboBox* DBLookupPais = nullptr;
    QToolButton* SBPaises = nullptr;
    QPlainTextEdit* DBMemoObs = nullptr;
    QPushButton* SBGrabar = nullptr;
    QPushButton* SBCancelar = nullptr;

protected:
    // Builds the controls and the datasets; the screen then calls ready()
    // and runs its own creation steps.
    Tffichatercerotm(ScreenBase* owner, const QString& name, const QString& caption, const QString& grabar,
                     const QString& cancelar);

    // The row of buttons, where a screen may add controls before them.
    QHBoxLayout* filaBotones() const { return botones_; }

    // Check-digit editor read-only when the setting says so.
    void proteger_dv();
    // Opens the country, city and type pickers.
    void abrir_selectores();
    // (Re)reads the cities; only active ones are offered.
    void cargar_ciudades();
    // Ties the controls to CTerceros once it is open, and its field changes
    // to campo_cambiado.
    void enlazar();
    // Shows the record's current values in every control.
    void mostrar();
    // Writes what is being typed in the focused control into the record.
    void tomar_edicion();

    // A field of CTerceros changed.
    virtual void campo_cambiado(const Field& field);
    // Type rule: "J" empties and disables the four name parts, any other
    // type enables them; the focus goes to the name or to the first surname.
    void regla_tipo(bool moverFoco);
    // City rule: the city's name follows its code.
    void regla_ciudad();

    // Save steps shared by both screens: name composition for a natural
    // person, then the checks (identification only when asked). False with
    // the message shown when something is missing.
    bool componer_y_validar(bool exigirNit);
    // Posts the record and sends it with no error allowed. False when the
    // database refused it (already reported); the change stays pending.
    bool enviar();
    // Creates the client and creditor rows the record's roles call for and
    // that do not exist yet.
    void crear_roles();

    // Puts the record into edit mode when it is browsing (a record kept
    // after a refused save).
    void editar();
    bool editando() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void mostrar_fecha();
    void guardar_fecha();
    void borrar_fecha();

    FieldBinder* binder_ = nullptr;
    QHBoxLayout* botones_ = nullptr;
    QHash<QString, QString> nombresCiudad_; // every city, active or not: code -> name
    bool mostrandoFecha_ = false;
    bool fechaTocada_ = false; // the anniversary was changed since the editor got the focus
};
