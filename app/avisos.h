#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>

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

    // What the message alert's actions do (also run by its buttons).
    void AlertaMensajesClick();       // marks the message shown as read
    void AlertaMensajesPopupClick();  // answers its author
    void AlertaMensajesCloseClick();  // lets the appointment check run again
    void AlertaMensajesNextClick();
    void AlertaMensajesPreviousClick();
    // Opens the commitment search on the commitment stored.
    void AlertaCompromisosClick();

    // The moment the checks take as "now"; the workstation's clock.
    std::function<QDateTime()> reloj = [] { return QDateTime::currentDateTime(); };

    // Seconds after the check's time within which an appointment is announced
    // (0.005 of a day).
    static constexpr int kVentanaCitas = 432;

private:
    // MENS_ID of message number `index` of the message alert: its text up to
    // the first "<br>"; empty when it is not a number.
    QString id_mensaje(int index) const;

    TFprincipal* principal_;
    AlertWindow* mensajes_ = nullptr;
    AlertWindow* citas_ = nullptr;
    AlertWindow* compromisos_ = nullptr;
};
