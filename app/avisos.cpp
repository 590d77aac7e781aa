#include "app/avisos.h"

#include "agenda/dmcrm.h"
#include "app/mensaje.h"
#include "app/principal.h"
#include "common/SqlText.h"
#include "data/ClientDataSet.h"
#include "data/Provider.h"
#include "data/QueryObject.h"
#include "data/dm.h"
#include "samples/dmips.h"
#include "ui/AlertWindow.h"

#include <algorithm>
#include <vector>

namespace {
struct Aviso {
    QString texto;
    QColor color;
};

// Runs a select through `query` (company database) and hands every row to `fila`.
void recorrer(QueryObject& query, const QString& sql, const std::function<void(const ClientDataSet&, int)>& fila) {
    Provider provider(QStringLiteral("P") + query.name().mid(1), query);
    ClientDataSet rows(QStringLiteral("C") + query.name().mid(1));
    rows.setProvider(&provider);
    rows.setCommandText(sql);
    rows.open();
    rows.fetchAll();
    for (int i = 0; i < rows.recordCount(); ++i)
        fila(rows, i);
    rows.close();
}

QString texto(const ClientDataSet& rows, int row, const char* column) {
    return rows.valueAt(row, rows.fieldIndex(QLatin1String(column))).toString();
}

// Database text shown inside the alert's markup: its own "<", ">" and "&"
// must not act as markup.
QString marca(const QString& text) { return text.toHtmlEscaped(); }

// Fills an alert with new messages. An alert whose list ends up empty is put
// away, so no blank reminder stays on the screen.
void llenar(AlertWindow* alerta, const std::vector<Aviso>& avisos, bool blanca) {
    alerta->clear();
    if (avisos.empty()) {
        if (alerta->isShowing())
            alerta->hideAlert();
        return;
    }
    if (blanca)
        alerta->setWindowColor(Qt::white);
    for (const Aviso& a : avisos)
        alerta->addMessage(a.texto, a.color);
    alerta->showAlert();
}
} // namespace

Avisos::Avisos(TFprincipal* principal) : QObject(principal), principal_(principal) {
    mensajes_ = new AlertWindow(principal);
    mensajes_->setObjectName(QStringLiteral("AlertaMensajes"));
    mensajes_->setPosition(AlertWindow::Position::Center);
    mensajes_->setShowDelete(false);
    mensajes_->setShowPopup(true);
    mensajes_->setHints(QStringLiteral("Contestar al autor"), QString(), QStringLiteral("Siguiente"),
                        QStringLiteral("Anterior"), QStringLiteral("Cerrar"));

    citas_ = new AlertWindow(principal);
    citas_->setObjectName(QStringLiteral("AlertaCitas"));
    compromisos_ = new AlertWindow(principal);
    compromisos_->setObjectName(QStringLiteral("AlertaCompromisos"));
    for (AlertWindow* a : {citas_, compromisos_}) {
        a->setPosition(AlertWindow::Position::BottomRight);
        a->setShowDelete(true);
        a->setShowPopup(true);
        a->setHints(QStringLiteral("Popup"), QStringLiteral("Delete"), QStringLiteral("Next"),
                    QStringLiteral("Previous"), QStringLiteral("Close"));
    }
    for (AlertWindow* a : {mensajes_, citas_, compromisos_})
        a->setCounterFormat(QStringLiteral("%d of %d"));

    auto protegido = [](std::function<void()> f) {
        return [f = std::move(f)] {
            if (fdm)
                fdm->protect(f);
        };
    };
    connect(mensajes_, &AlertWindow::messageClicked, this, protegido([this] { AlertaMensajesClick(); }));
    connect(mensajes_, &AlertWindow::popupClicked, this, protegido([this] { AlertaMensajesPopupClick(); }));
    connect(mensajes_, &AlertWindow::closeClicked, this, protegido([this] { AlertaMensajesCloseClick(); }));
    connect(mensajes_, &AlertWindow::nextClicked, this, protegido([this] { AlertaMensajesNextClick(); }));
    connect(mensajes_, &AlertWindow::previousClicked, this, protegido([this] { AlertaMensajesPreviousClick(); }));
    connect(compromisos_, &AlertWindow::messageClicked, this, protegido([this] { AlertaCompromisosClick(); }));

    // The "&Mensajeria" button, the menu and the reply open the message window.
    if (!principal->abrir_mensajeria)
        principal->abrir_mensajeria = [] {
            auto* ventana = new Tfmensaje;
            ventana->showAsChild();
        };
}

Avisos::~Avisos() = default;

// ---------------------------------------------------------------- messages

void Avisos::verificar_mensajes() {
    indice_mensaje = 0;
    if (!fdm->Zentavo.isOpen())
        return;
    std::vector<Aviso> avisos;
    recorrer(fdm->QMensajes,
             QStringLiteral("select mens_id, mens_autor, mens_mensaje, mens_nivel from MENSAJERIA where mens_destino = ") +
                 sqltext::quoted(fdm->cod_usuario) + QStringLiteral(" and mens_leido = 'N'"),
             [&](const ClientDataSet& rows, int row) {
                 QColor color;
                 switch (rows.valueAt(row, rows.fieldIndex(QStringLiteral("MENS_NIVEL"))).toString().toInt()) {
                 case 1: color = QColor(255, 128, 255); break;
                 case 2: color = QColor(255, 255, 128); break;
                 case 3: color = QColor(128, 255, 255); break;
                 default: break;
                 }
                 avisos.push_back({texto(rows, row, "MENS_ID") + QStringLiteral("<br><b>") +
                                       marca(texto(rows, row, "MENS_MENSAJE")) + QStringLiteral("<br>De : ") +
                                       marca(texto(rows, row, "MENS_AUTOR")) +
                                       QStringLiteral("</b><br>Haga clic para marcar como leído"),
                                   color});
             });
    // The appointment check waits while the message alert is up; closing the
    // alert lets it run again, and so does reading the last message.
    if (!avisos.empty())
        principal_->timerCitas.stop();
    llenar(mensajes_, avisos, true);
    if (avisos.empty() && !principal_->timerCitas.isActive())
        principal_->timerCitas.start();
}

QString Avisos::id_mensaje(int index) const {
    const QString text = mensajes_->messageText(index);
    const int br = int(text.indexOf(QStringLiteral("<br>")));
    bool ok = false;
    const qlonglong id = (br < 0 ? text : text.left(br)).trimmed().toLongLong(&ok);
    return ok ? QString::number(id) : QString();
}

void Avisos::AlertaMensajesClick() {
    const QString id = id_mensaje(indice_mensaje);
    if (id.isEmpty())
        return;
    fdm->ejecutar(QStringLiteral("update mensajeria MENSAJERIA set mens_leido = 'S' where mens_id = ") + id);
    mensajes_->hideAlert();
}

void Avisos::AlertaMensajesPopupClick() {
    const QString id = id_mensaje(indice_mensaje);
    if (id.isEmpty())
        return;
    fdm->id_respuesta = id;
    fdm->autor_respuesta =
        fdm->valor(QStringLiteral("select mens_autor from MENSAJERIA where mens_id = ") + id).toString();
    fdm->ejecutar(QStringLiteral("update MENSAJERIA set mens_leido = 'S' where mens_id = ") + id);
    mensajes_->hideAlert();
    principal_->SBMensajeriaClick();
}

void Avisos::AlertaMensajesCloseClick() { principal_->timerCitas.start(); }

// The alert itself stops at the first and the last message; the index follows
// the message shown, so it never points outside the list.
void Avisos::AlertaMensajesNextClick() { indice_mensaje = std::max(mensajes_->currentIndex(), 0); }
void Avisos::AlertaMensajesPreviousClick() { indice_mensaje = std::max(mensajes_->currentIndex(), 0); }

// ---------------------------------------------------------------- appointments

void Avisos::verificar_citas() {
    if (!Fdmips || Fdmips->nit_medico.isEmpty())
        return;
    const QDateTime ahora = reloj();
    const QTime desde = ahora.time();
    QTime hasta = desde.addSecs(kVentanaCitas);
    // The appointments are those of today: near midnight the window ends
    // with the day instead of wrapping round to its first minutes.
    if (hasta < desde)
        hasta = QTime(23, 59, 59);
    QueryObject query(QStringLiteral("QCitas"), fdm->Zentavo);
    std::vector<Aviso> avisos;
    recorrer(query,
             QStringLiteral("SELECT t.terc_nom, td.tido_nomlargo, p.prci_horaini  FROM PROGRAMA_CITAS P, terceros t, "
                            "tipo_documento td WHERE PRCI_HORAINI >= ") +
                 sqltext::quotedTime(desde) + QStringLiteral(" AND PRCI_HORAINI <= ") + sqltext::quotedTime(hasta) +
                 QStringLiteral(" AND P.TERC_MEDI = ") + sqltext::quoted(Fdmips->nit_medico) +
                 QStringLiteral(" AND PRCI_FECHA = ") + sqltext::quotedDate(ahora.date()) +
                 QStringLiteral(" and t.terc_nit = p.terc_nit and td.tido_cod = p.tido_cod"),
             [&](const ClientDataSet& rows, int row) {
                 avisos.push_back({QStringLiteral("<b>CITA CON ") + marca(texto(rows, row, "TERC_NOM")) +
                                       QStringLiteral(" ") + QStringLiteral("</b><br>") + QStringLiteral(" PARA ") +
                                       marca(texto(rows, row, "TIDO_NOMLARGO")) + QStringLiteral(" A LAS ") +
                                       texto(rows, row, "PRCI_HORAINI"),
                                   QColor()});
             });
    llenar(citas_, avisos, false);
}

// ---------------------------------------------------------------- commitments

void Avisos::verificar_compromisos() {
    if (!fdm->Zentavo.isOpen())
        return; // the timer keeps trying until the company database is open
    principal_->timerCompromisos.stop();
    compromisos_->clear();
    const QString asesor = principal_->cod_asesor.trimmed();
    if (asesor.isEmpty())
        return;
    // The adviser code goes into the statement as a number: anything else
    // is no adviser at all.
    bool numero = false;
    const qlonglong codigo = asesor.toLongLong(&numero);
    if (!numero)
        return;
    const QDateTime ahora = reloj();
    const QString hoy = sqltext::quotedDate(ahora.date());
    QueryObject query(QStringLiteral("QCompromisos"), fdm->Zentavo);
    std::vector<Aviso> avisos;
    QString ultimo;
    recorrer(query,
             QStringLiteral("select crte_nombre, terc_nom, crco_obs, crco_fecha, crco_hora, crco_prioridad, crco_id "
                            "from terceros cl, crm_compromisos co, crm_tipoevento t where t.crte_id = co.crco_tipo and "
                            "co.crco_nit = cl.terc_nit and co.crco_asesor = ") +
                 QString::number(codigo) + QStringLiteral(" and co.crco_fecha <= ") + hoy +
                 QStringLiteral(" and co.crco_cumplido = 'N' and co.crco_anulado = 'N' and ((co.crco_fecha < ") + hoy +
                 QStringLiteral(") or (co.crco_hora <= ") + sqltext::quotedTime(ahora.time()) +
                 QStringLiteral(")) order by crco_prioridad, crco_fecha desc, crco_hora desc"),
             [&](const ClientDataSet& rows, int row) {
                 const QString prioridad = texto(rows, row, "CRCO_PRIORIDAD").trimmed();
                 QColor color;
                 if (prioridad == QLatin1String("A"))
                     color = principal_->color_prioridad_alta;
                 else if (prioridad == QLatin1String("M"))
                     color = principal_->color_prioridad_media;
                 else if (prioridad == QLatin1String("N"))
                     color = principal_->color_prioridad_normal;
                 avisos.push_back({QStringLiteral("<b>") + marca(texto(rows, row, "CRTE_NOMBRE")) +
                                       QStringLiteral(" ") + marca(texto(rows, row, "TERC_NOM")) +
                                       QStringLiteral("</b><br>") + marca(texto(rows, row, "CRCO_OBS")) +
                                       QStringLiteral("<br>") + texto(rows, row, "CRCO_FECHA") + QStringLiteral("-") +
                                       texto(rows, row, "CRCO_HORA"),
                                   color});
                 ultimo = texto(rows, row, "CRCO_ID");
             });
    if (avisos.empty())
        return;
    compromiso_guardado = ultimo;
    llenar(compromisos_, avisos, true);
}

void Avisos::AlertaCompromisosClick() {
    if (fdmcrm)
        fdmcrm->id_compromiso = compromiso_guardado;
    principal_->SBAgendaClick();
    compromisos_->hideAlert();
}
