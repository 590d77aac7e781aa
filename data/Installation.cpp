#include "data/Installation.h"

#include "common/Registry.h"
#include "data/FbConnection.h"
#include "data/ScriptRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace {
[[noreturn]] void fail(const QString& text) { throw std::runtime_error(text.toStdString()); }

void writeText(const QString& path, const QString& text) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(text.toUtf8()) < 0)
        fail(QStringLiteral("No se pudo escribir el archivo ") + path);
}
} // namespace

QString Installation::adminUser() {
    const QString u = qEnvironmentVariable("TM_FB_SYSDBA_USER");
    return u.isEmpty() ? QStringLiteral("SYSDBA") : u;
}

QString Installation::adminPassword() {
    const QString p = qEnvironmentVariable("TM_FB_SYSDBA_PASSWORD");
    return p.isEmpty() ? QStringLiteral("masterkey") : p;
}

static void initBundledScripts() { Q_INIT_RESOURCE(db); }

QByteArray Installation::scriptText(const QString& script) {
    initBundledScripts();
    QFile f(QStringLiteral(":/db/") + script);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Installation::runBundledScript(const QString& database, const QString& script) {
    initBundledScripts();
    FbConnection conn;
    conn.setParam(QStringLiteral("Database"), database);
    conn.setParam(QStringLiteral("User_Name"), adminUser());
    conn.setParam(QStringLiteral("password"), adminPassword());
    conn.open();
    ScriptRunner(conn).runFile(QStringLiteral(":/db/") + script);
    conn.close();
}

void Installation::createTemplate(const QString& file) {
    FbConnection::createDatabase(file, adminUser(), adminPassword());
    runBundledScript(file, QStringLiteral("zentavo.sql"));
    runBundledScript(file, QStringLiteral("zentavo_seed.sql"));
}

void Installation::createGeneral(const QString& file) {
    FbConnection::createDatabase(file, adminUser(), adminPassword());
    runBundledScript(file, QStringLiteral("general.sql"));
}

void Installation::create(const QString& dirName, const QString& printer) {
    const QString dir = QDir(dirName).absolutePath();
    if (QFileInfo::exists(dir + QStringLiteral("/SERVIDORES.cfg")) ||
        QFileInfo::exists(dir + QStringLiteral("/datos/general.fdb")))
        fail(QStringLiteral("Ya existe una instalación en ") + dir + QStringLiteral("; no se sobrescribe."));
    for (const char* sub : {"sop", "datos/001"})
        if (!QDir().mkpath(dir + QLatin1Char('/') + QLatin1String(sub)))
            fail(QStringLiteral("No se pudo crear la carpeta ") + dir + QLatin1Char('/') + QLatin1String(sub));

    const QString templ = dir + QStringLiteral("/sop/zentavo.fdb");
    const QString company = dir + QStringLiteral("/datos/001/zentavo.fdb");
    const QString general = dir + QStringLiteral("/datos/general.fdb");
    createTemplate(templ);
    if (!QFile::copy(templ, company))
        fail(QStringLiteral("No se pudo copiar la plantilla a ") + company);
    QFile(company).setPermissions(QFile(templ).permissions());
    runBundledScript(company, QStringLiteral("demo_zentavo.sql"));
    createGeneral(general);
    runBundledScript(general, QStringLiteral("demo_general.sql"));

    writeText(dir + QStringLiteral("/SERVIDORES.cfg"), dir + QStringLiteral("\r\nlocalhost:") + dir + QStringLiteral("\r\n"));
    writeText(dir + QStringLiteral("/impresoras.cfg"),
              QStringLiteral("ETIQUETAS,") + (printer.isEmpty() ? QStringLiteral("LabelPDF") : printer) +
                  QStringLiteral("\r\n"));

    Registry registry;
    registry.setValue(QStringLiteral("Directorio"), dir);
    registry.setValue(QStringLiteral("Compania"), QStringLiteral("001"));
    registry.sync();
}
