#pragma once

#include <QObject>
#include <QString>

class TFprincipal;
class AlertWindow;

// The main window's three reminders: unread messages, appointments about to
// start for a doctor, and due commitments of the agenda for an adviser. Each
// check fills its alert window; the main window's timers run them.
class Avisos : public QObject {
    Q_OBJECT
public:
    explicit Avisos(TFprincipal* principal);
    ~Avisos() override;

    void verificar_mensajes();    // message check (every 10 s)
    void verificar_citas();       // appointment check (every 15 s while its timer runs)
    void verificar_compromisos(); // commitment check (once, 1 s after start)

    AlertWindow* alertaMensajes() const { return mensajes_; }
    AlertWindow* alertaCitas() const { return citas_; }
    AlertWindow* alertaCompromisos() const { return compromisos_; }

    int indice_mensaje = 0;
    QString compromiso_guardado; // CRCO_ID of the last commitment listed

private:
    TFprincipal* principal_;
    AlertWindow* mensajes_ = nullptr;
    AlertWindow* citas_ = nullptr;
    AlertWindow* compromisos_ = nullptr;
};
