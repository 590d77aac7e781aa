#pragma once

#include "data/StatusBarHost.h"
#include "ui/MdiHost.h"

#include <QColor>
#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>

class QLabel;
class QLineEdit;
class QMdiArea;
class QMenu;
class QPushButton;
class Avisos;
class Tfacceso;

// The main window: header band with the company and the user, the column of
// five buttons that open the screens, the MDI area they open in, the status
// bar the data services write notices to, and the start-up sequence that
// runs at its first activation (login, company, profile).
class TFprincipal : public QMainWindow, public MdiHost, public StatusBarHost {
    Q_OBJECT
public:
    explicit TFprincipal(QWidget* parent = nullptr);
    ~TFprincipal() override;

    // --- login context held by the main window
    QString cod_compania;
    QString servidor;
    QString clave;
    bool es_administrador = false;
    QString cod_asesor;
    QColor color_prioridad_normal, color_prioridad_media, color_prioridad_alta;
    QImage logo_compania;

    // --- control fields of the start-up sequence
    bool primera_activacion = true;
    bool conectar_compania = false;
    QString ventana_buscada;
    bool ventana_encontrada = false;

    // --- header fields
    QLineEdit* NomCia = nullptr;
    QLineEdit* EUsuario = nullptr;

    // Shows and raises the MDI child named ventana_buscada (searched from the
    // last to the first); sets ventana_encontrada.
    void localiza_ventana();

    // The start-up sequence; normally run by the first activation.
    void secuencia_inicio();

    // Button and menu actions.
    void SBPacientesClick();
    void SBTomamuestraClick();
    void SBMensajeriaClick();
    void SBAgendaClick();
    void SBFormatoClick();

    // The message window, when the message service has been set up; the
    // agenda's commitment search (by default the registered screen).
    std::function<void()> abrir_mensajeria, abrir_agenda;

    // Runs when the login dialog has been created, before it shows (the
    // command line pre-fills it from here).
    std::function<void(Tfacceso&)> al_crear_acceso;

    // Ends the program: closes the main window.
    void terminar();

    Avisos* avisos() const { return avisos_; }
    QTimer timerCompromisos, timerMensajes, timerCitas;

    // MdiHost
    QMdiArea* mdiArea() const override { return area_; }
    QSize clientSize() const override;
    int childCount() const override;

    // StatusBarHost
    void setNoticeText(const QString& text) override;
    QString noticeText() const override;
    void setBarColor(const QColor& color) override;
    QColor barColor() const override;
    QColor buttonFaceColor() const override;
    QColor skinGlobalColor() const override;
    void repaintMain() override;
    void restartMessagePoll(int milliseconds) override;

    QPushButton* boton(int index) const { return buttons_[index]; }
    QLabel* panel(int index) const { return index == 0 ? panel0_ : panel1_; }

signals:
    // The start-up sequence reached the end with a company open.
    void sesionIniciada();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildHeader();
    void buildButtons();
    void buildMenu();
    void buildStatusBar();
    bool correrPasos();

    QMdiArea* area_ = nullptr;
    QPushButton* buttons_[5] = {};
    QLabel* panel0_ = nullptr;
    QLabel* panel1_ = nullptr;
    QMenu* ventanaMenu_ = nullptr;
    Avisos* avisos_ = nullptr;
    bool running_ = false;
};

extern TFprincipal* Fprincipal;
