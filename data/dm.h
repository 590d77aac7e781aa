#pragma once

#include "data/ClientDataSet.h"
#include "data/FbConnection.h"
#include "data/Provider.h"
#include "data/QueryObject.h"

#include <QObject>
#include <functional>

class StatusBarHost;

// The shared data module: the two connections (company database Zentavo,
// general database ConGeneral), the shared query objects screens bind their
// providers to, the configuration cache, the error handling of the whole
// program and the small services every screen uses. Created first, lives
// until the program ends; `fdm` points at it.
class Tfdm : public QObject {
    Q_OBJECT
public:
    explicit Tfdm(QObject* parent = nullptr);
    ~Tfdm() override;

    // --- connections
    FbConnection Zentavo{QStringLiteral("Zentavo")};
    FbConnection ConGeneral{QStringLiteral("ConGeneral")};

    // --- shared query objects
    QueryObject QBorrar, QValida, TUsracceso, QMensajes, QLeermensaje, TMensajes, QConfiguracion, TNomcampos,
        QAccesous, QValiduser, QUsermensaje, QAcceso, TCompania, TTipodoc, QPrefijos, Tformatos, QImprdoc, QCuentas,
        QPuc, TCuentas;

    // --- datasets of the module
    Provider PConfiguracion, PNomcampos, PCompania, PAccesous;
    ClientDataSet CConfiguracion, CNomcampos, CCompania, CAccesous;

    // --- login context held here
    QString cod_usuario;
    QString nom_usuario;
    QString modulo = QStringLiteral("CARTERA");
    int duracion_busqueda = 0; // milliseconds
    int sucursal = 0;
    QString color_ventana;
    int registros_paquete = 1000;

    // --- hand-over values between screens
    bool solo_consulta = false;
    bool seleccion_modal = false;
    QString tipo_formato, prefijo_formato, codigo_articulo, id_respuesta, autor_respuesta;

    // --- hooks the shell fills in
    // Installation folder (the registry's Directorio).
    std::function<QString()> diraplicacion;
    // Administrator flag of the logged-in user.
    std::function<bool()> es_administrador;
    void setStatusBar(StatusBarHost* host) { statusBar_ = host; }
    StatusBarHost* statusBar() const { return statusBar_; }

    // --- configuration
    void cargue_configuracion();
    QString configuracion(const QString& modulo, const QString& categoria, const QString& propiedad);

    // --- data access wiring and errors
    void ConfigurarProviders(QObject* component);
    void ENoManejada(QObject* sender, const std::exception& error);
    ErrorAction ManejarClientError(ClientDataSet& dataset, const std::exception& error);
    UpdateAction ManejarError(Provider* sender, ClientDataSet* dataset, const std::exception& error);
    QString nombre_campo(const QString& column);
    // Runs f; any error it raises goes to ENoManejada. False when it failed.
    bool protect(const std::function<void()>& f, QObject* sender = nullptr);

    // --- rights, notices, printers
    bool valide_acceso(const QString& modulo, int opcion);
    void mostrar_advertencia(const QString& text);
    void mostrar_mensaje();
    void quitar_mensaje();
    // Called by the message poll: ends a warning whose time is up and puts the
    // poll back to its 10 seconds. True when a warning was ended.
    bool fin_advertencia();
    bool advertencia_activa() const { return warning_; }
    // Printer name of a logical printer from impresoras.cfg; `result` is left
    // untouched when the file cannot be opened.
    void nombre_impresora(const QString& logical, QString& result);

    // --- ad-hoc statements through QBorrar
    // First column of the first row of a select (null when no row), or the
    // first output of an executed procedure.
    Value valor(const QString& sql, FbConnection* connection = nullptr);
    void ejecutar(const QString& sql, FbConnection* connection = nullptr);

    static constexpr int kPollInterval = 10000;

private:
    void appendErrorLog(const QString& text);
    StatusBarHost* statusBar_ = nullptr;
    bool warning_ = false;
};

extern Tfdm* fdm;
