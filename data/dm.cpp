#include "data/dm.h"

#include "common/SqlText.h"
#include "common/UserDialogs.h"
#include "data/DataSetError.h"
#include "data/DbError.h"
#include "data/ErrorTranslator.h"
#include "data/FbStatement.h"
#include "data/FbTransaction.h"
#include "data/StatusBarHost.h"

#include <QDateTime>
#include <QFile>
#include <QTextStream>

Tfdm* fdm = nullptr;

Tfdm::Tfdm(QObject* parent)
    : QObject(parent), QBorrar(QStringLiteral("QBorrar"), Zentavo), QValida(QStringLiteral("QValida"), Zentavo),
      TUsracceso(QStringLiteral("TUsracceso"), Zentavo), QMensajes(QStringLiteral("QMensajes"), Zentavo),
      QLeermensaje(QStringLiteral("QLeermensaje"), Zentavo),
      TMensajes(QStringLiteral("TMensajes"), Zentavo, QStringLiteral("SELECT * FROM MENSAJERIA WHERE MENS_ID = :ID"),
                {{QStringLiteral("ID"), Value(QStringLiteral("0"))}}),
      QConfiguracion(QStringLiteral("QConfiguracion"), Zentavo, QStringLiteral("SELECT * FROM CONFIGURACION")),
      TNomcampos(QStringLiteral("TNomcampos"), Zentavo, QStringLiteral("SELECT * FROM NOMBRES_CAMPOS")),
      QAccesous(QStringLiteral("QAccesous"), Zentavo), QValiduser(QStringLiteral("QValiduser"), ConGeneral),
      QUsermensaje(QStringLiteral("QUsermensaje"), ConGeneral), QAcceso(QStringLiteral("QAcceso"), ConGeneral),
      TCompania(QStringLiteral("TCompania"), ConGeneral, QStringLiteral("SELECT * FROM COMPANIA")),
      TTipodoc(QStringLiteral("TTipodoc"), Zentavo, QStringLiteral("SELECT * FROM TIPO_DOCUMENTO ORDER BY TIDO_NOMLARGO")),
      QPrefijos(QStringLiteral("QPrefijos"), Zentavo),
      Tformatos(QStringLiteral("Tformatos"), Zentavo, QStringLiteral("SELECT * FROM FORMATOS")),
      QImprdoc(QStringLiteral("QImprdoc"), Zentavo), QCuentas(QStringLiteral("QCuentas"), Zentavo),
      QPuc(QStringLiteral("QPuc"), Zentavo),
      TCuentas(QStringLiteral("TCuentas"), Zentavo, QStringLiteral("SELECT * FROM CUENTAS")),
      PConfiguracion(QStringLiteral("PConfiguracion"), QConfiguracion, this),
      PNomcampos(QStringLiteral("PNomcampos"), TNomcampos, this),
      PCompania(QStringLiteral("PCompania"), TCompania, this), PAccesous(QStringLiteral("PAccesous"), QAccesous, this),
      CConfiguracion(QStringLiteral("CConfiguracion"), this), CNomcampos(QStringLiteral("CNomcampos"), this),
      CCompania(QStringLiteral("CCompania"), this), CAccesous(QStringLiteral("CAccesous"), this) {
    ConGeneral.setTrimChar(false);
    CConfiguracion.setProvider(&PConfiguracion);
    CNomcampos.setProvider(&PNomcampos);
    CCompania.setProvider(&PCompania);
    CAccesous.setProvider(&PAccesous);
    registros_paquete = 1000;
    fdm = this;
}

Tfdm::~Tfdm() {
    CConfiguracion.close();
    CNomcampos.close();
    CCompania.close();
    CAccesous.close();
    if (fdm == this)
        fdm = nullptr;
}

// ---------------------------------------------------------------- configuration

void Tfdm::cargue_configuracion() {
    if (CConfiguracion.active())
        CConfiguracion.close();
    CConfiguracion.open();
    CConfiguracion.last();
}

QString Tfdm::configuracion(const QString& mod, const QString& categoria, const QString& propiedad) {
    if (CConfiguracion.active()) {
        const int m = CConfiguracion.fieldIndex(QStringLiteral("CONF_MODULO"));
        const int c = CConfiguracion.fieldIndex(QStringLiteral("CONF_CATEGORIA"));
        const int p = CConfiguracion.fieldIndex(QStringLiteral("CONF_PROPIEDAD"));
        const int v = CConfiguracion.fieldIndex(QStringLiteral("CONF_VALOR"));
        for (int row = 0; row < CConfiguracion.recordCount(); ++row) {
            if (CConfiguracion.valueAt(row, m).toString() == mod &&
                CConfiguracion.valueAt(row, c).toString() == categoria &&
                CConfiguracion.valueAt(row, p).toString() == propiedad)
                return CConfiguracion.valueAt(row, v).toString();
        }
    }
    UserDialogs::current().error(QStringLiteral("No se encontró la configuración ") + propiedad);
    return {};
}

// ---------------------------------------------------------------- wiring and errors

void Tfdm::ConfigurarProviders(QObject* component) {
    for (QObject* child : component->children()) {
        if (!child->children().isEmpty() && !qobject_cast<ClientDataSet*>(child)) {
            ConfigurarProviders(child);
            continue;
        }
        if (auto* p = qobject_cast<Provider*>(child)) {
            p->onUpdateError = [this](Provider& provider, ClientDataSet& ds, const std::exception& e) {
                return ManejarError(&provider, &ds, e);
            };
        } else if (auto* c = qobject_cast<ClientDataSet*>(child)) {
            c->packetRecords = registros_paquete;
            c->beforeFetch = [this](ClientDataSet&) { mostrar_mensaje(); };
            c->afterFetch = [this](ClientDataSet&) { quitar_mensaje(); };
            auto handler = [this](ClientDataSet& ds, const std::exception& e) { return ManejarClientError(ds, e); };
            c->onEditError = handler;
            c->onPostError = handler;
            c->onDeleteError = handler;
        }
    }
}

void Tfdm::ENoManejada(QObject* sender, const std::exception& error) {
    if (dynamic_cast<const OperationAborted*>(&error))
        return;
    ManejarError(qobject_cast<Provider*>(sender), nullptr, error);
}

ErrorAction Tfdm::ManejarClientError(ClientDataSet& dataset, const std::exception& error) {
    ManejarError(nullptr, &dataset, error);
    return ErrorAction::Abort;
}

UpdateAction Tfdm::ManejarError(Provider* sender, ClientDataSet* dataset, const std::exception& error) {
    const QString m = ErrorTranslator::rawText(error);
    appendErrorLog(m);
    if (statusBar_)
        statusBar_->setNoticeText(m);
    const auto namer = [this](const QString& c) { return nombre_campo(c); };
    QString text;
    if (dataset && sender)
        text = ErrorTranslator::providerMessage(error, sender->query().displayTable(), namer);
    else if (dataset) {
        try {
            mostrar_advertencia(dataset->name() + QStringLiteral(": ") + m);
        } catch (const std::exception& e) {
            ManejarError(nullptr, nullptr, e); // a bad warning duration in the settings
        }
        text = ErrorTranslator::clientMessage(error, *dataset, namer);
    } else
        text = ErrorTranslator::unhandledMessage(error);
    UserDialogs::current().beep();
    UserDialogs::current().error(text);
    // The refused change stays pending; the batch's error limit decides the rest.
    return UpdateAction::Skip;
}

void Tfdm::appendErrorLog(const QString& text) {
    const QString dir = diraplicacion ? diraplicacion() : QString();
    QFile file(dir + QStringLiteral("/ERRORES.TXT"));
    if (!file.open(QIODevice::Append | QIODevice::WriteOnly))
        return;
    const QDateTime now = QDateTime::currentDateTime();
    const QString line = sqltext::dateText(now.date()) + QLatin1Char(',') + sqltext::timeText(now.time()) +
                         QLatin1Char(',') + cod_usuario + QLatin1Char(',') + text + QStringLiteral("\r\n");
    file.write(line.toUtf8());
}

QString Tfdm::nombre_campo(const QString& column) {
    QString result = column;
    try {
        CNomcampos.open();
        const int n = CNomcampos.fieldIndex(QStringLiteral("NOMBRE"));
        const int d = CNomcampos.fieldIndex(QStringLiteral("DESCRIPCION"));
        CNomcampos.fetchAll();
        for (int row = 0; row < CNomcampos.recordCount(); ++row)
            if (CNomcampos.valueAt(row, n).toString() == column) {
                result = CNomcampos.valueAt(row, d).toString();
                break;
            }
    } catch (const std::exception&) {
        // without the names table the column name itself is shown
    }
    CNomcampos.close();
    return result;
}

bool Tfdm::protect(const std::function<void()>& f, QObject* sender) {
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        ENoManejada(sender, e);
        return false;
    }
}

// ---------------------------------------------------------------- rights, notices, printers

bool Tfdm::valide_acceso(const QString& mod, int opcion) {
    if (es_administrador && es_administrador())
        return true;
    CAccesous.close();
    CAccesous.setCommandText(QStringLiteral("select acus_si from acceso_usuario where user_cod = ") +
                             sqltext::quoted(cod_usuario) + QStringLiteral(" and acus_modulo = ") +
                             sqltext::quoted(mod) + QStringLiteral(" and acus_opcion = ") + QString::number(opcion));
    CAccesous.open();
    return !CAccesous.isEmpty() && CAccesous.value(0).toString() == QStringLiteral("S");
}

void Tfdm::mostrar_advertencia(const QString& text) {
    UserDialogs::current().beep();
    const int d = Value(configuracion(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"),
                                      QStringLiteral("DURACION DE LAS ADVERTENCIAS")))
                      .toInt();
    if (!statusBar_)
        return;
    statusBar_->restartMessagePoll(d * 100);
    statusBar_->setNoticeText(QStringLiteral("Advertencia: ") + text);
    statusBar_->setBarColor(Qt::red);
    warning_ = true;
}

bool Tfdm::fin_advertencia() {
    if (!warning_ || !statusBar_)
        return false;
    warning_ = false;
    statusBar_->setBarColor(statusBar_->buttonFaceColor());
    statusBar_->setNoticeText(QString());
    statusBar_->restartMessagePoll(kPollInterval);
    statusBar_->repaintMain();
    return true;
}

void Tfdm::mostrar_mensaje() {
    if (!statusBar_ || statusBar_->barColor() != statusBar_->buttonFaceColor())
        return;
    statusBar_->setNoticeText(QStringLiteral("Solicitando información. Espere un momento..."));
    statusBar_->setBarColor(statusBar_->skinGlobalColor());
    statusBar_->repaintMain();
}

void Tfdm::quitar_mensaje() {
    if (!statusBar_ || statusBar_->barColor() != statusBar_->skinGlobalColor() || warning_)
        return;
    statusBar_->setBarColor(statusBar_->buttonFaceColor());
    statusBar_->setNoticeText(QString());
    statusBar_->repaintMain();
}

void Tfdm::nombre_impresora(const QString& logical, QString& result) {
    const QString path = (diraplicacion ? diraplicacion() : QString()) + QStringLiteral("/impresoras.cfg");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        UserDialogs::current().error(QStringLiteral("Error abriendo el archivo") + path);
        return;
    }
    result.clear();
    QTextStream in(&file);
    const QString key = logical + QLatin1Char(',');
    while (result.isEmpty() && !in.atEnd()) {
        const QString line = in.readLine();
        const int at = line.indexOf(key);
        if (at >= 0)
            result = line.mid(at + key.size());
    }
}

// ---------------------------------------------------------------- ad-hoc statements

Value Tfdm::valor(const QString& sql, FbConnection* connection) {
    FbConnection& conn = connection ? *connection : QBorrar.connection();
    FbTransaction tx(conn);
    FbStatement stmt(tx, sql);
    if (!stmt.isSelect()) { // an executed procedure: its first output
        const std::vector<Value> out = stmt.execute();
        tx.commit();
        return out.empty() ? Value() : out.front();
    }
    auto cursor = stmt.openCursor();
    Value v;
    if (cursor->fetch() && !stmt.output().columns().empty())
        v = cursor->value(0);
    cursor->close();
    tx.commit();
    return v;
}

void Tfdm::ejecutar(const QString& sql, FbConnection* connection) {
    FbConnection& conn = connection ? *connection : QBorrar.connection();
    FbTransaction tx(conn);
    FbStatement stmt(tx, sql);
    stmt.execute();
    tx.commit();
}
