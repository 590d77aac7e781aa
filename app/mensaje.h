#pragma once

#include "data/ClientDataSet.h"
#include "data/Provider.h"
#include "ui/ScreenBase.h"

class QComboBox;
class QPlainTextEdit;
class QPushButton;

// "Mensaje instantáneo": writes one message to a user of the working company.
// The addressees come from the general database; the message is a new row of
// MENSAJERIA that the database numbers and signs (author, date and time).
// When it is created right after "Contestar al autor" it starts addressed to
// the author of the message answered, and records which message it answers.
//
// "F2:Enviar" stores the message and closes; a message the database refuses
// is reported and stays in the window, so nothing typed is lost.
// "Esc:Cancela" drops it and closes.
class Tfmensaje : public ScreenBase {
    Q_OBJECT
public:
    explicit Tfmensaje(ScreenBase* owner = nullptr);
    ~Tfmensaje() override;

    void SBEnviarClick();
    void SBCancelarClick();

    // Addressees: USUA_COD, USUA_NOMBRE of the company's users.
    Provider PUsermensaje;
    ClientDataSet CUsermensaje;
    // The message being written.
    Provider PMensajes;
    ClientDataSet CMensajes;

    QComboBox* DBLPara = nullptr;        // MENS_DESTINO: shows USUA_NOMBRE, stores USUA_COD
    QPlainTextEdit* DBMMensaje = nullptr; // MENS_MENSAJE
    QComboBox* DBCPrioridad = nullptr;   // MENS_NIVEL: "Normal" 3, "Media" 2, "Alta" 1
    QPushButton* SBEnviar = nullptr;
    QPushButton* SBCancelar = nullptr;

    static constexpr int kAncho = 440;
    static constexpr int kAlto = 205;

protected:
    void created() override;
    void FormClose() override;

private:
    void CMensajesAfterInsert(ClientDataSet& ds);
    // Shows the addressee and priority of the current row in the controls.
    void muestra_registro();
    // Writes the controls into the current row.
    void guarda_registro();
    void limita_texto();

    int largo_mensaje_ = 255;
};
