#pragma once

#include "ui/ScreenBase.h"

class ClientDataSet;
class FieldBinder;
class Provider;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

// Sample taking, the desk's main screen: the patient, the number of tubes
// and the exam type of each, saved under a new sample number; then the
// labels are printed and a new record starts.
class Tftomamuest : public ScreenBase {
    Q_OBJECT
public:
    explicit Tftomamuest(ScreenBase* owner = nullptr);
    ~Tftomamuest() override;

    // "F2: Grabar". True when the sample was stored.
    bool SBGrabarClick();
    void SBCancelarClick();

    // Starts a new record with its defaults.
    void nuevo_registro();
    // Shows rows 2 to 8 according to the number of samples.
    void CBNromuesChange(const QString& text);
    // Puts an identification into TOMA_NIT as if typed (runs the lookup).
    void poner_identificacion(const QString& nit);

    ClientDataSet* CTomamuest = nullptr;
    ClientDataSet* CTipoexamen = nullptr;
    ClientDataSet* CBorrar = nullptr;

    QLineEdit* DBEditNit = nullptr;
    QLineEdit* DBEditNom = nullptr;
    QLineEdit* DBEditIdhis = nullptr;
    QDateEdit* DBFecha = nullptr;
    QComboBox* CBNromues = nullptr;
    QComboBox* CBExamen[8] = {};
    QLabel* LExamen[8] = {};
    QPlainTextEdit* DBObs = nullptr;
    QToolButton* SBPaciente = nullptr;
    QToolButton* SBMuestras = nullptr;
    QToolButton* SBTipoexamen = nullptr;
    QPushButton* SBGrabar = nullptr;
    QPushButton* SBCancelar = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void FormActivate() override;
    void FormClose() override;

private:
    void buscar_identificacion();
    void cargar_tipos();
    FieldBinder* binder_ = nullptr;
    bool limpiando_ = false;
};
