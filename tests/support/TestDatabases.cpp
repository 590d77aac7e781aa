#include "tests/support/TestDatabases.h"

#include "data/FbConnection.h"
#include "data/Installation.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <unistd.h>
#include <QFile>
#include <QStandardPaths>
#include <stdexcept>

namespace {
// The master copies are built from the bundled scripts once per version of
// the scripts and kept in the temporary folder, so every test process (ctest
// runs each test in its own) only copies files.
QByteArray scriptsHash() {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData("masters: template, company, general"); // what the cache holds
    for (const char* name : {"general.sql", "zentavo.sql", "zentavo_seed.sql", "demo_general.sql", "demo_zentavo.sql"})
        hash.addData(Installation::scriptText(QLatin1String(name)));
    return hash.result().toHex().left(12);
}

struct Masters {
    QString company, general, empty;
    Masters() {
        const QString dir = QDir::tempPath() + QStringLiteral("/tomamuestras-testdb-%1-%2")
                                                   .arg(getuid())
                                                   .arg(QString::fromLatin1(scriptsHash()));
        QDir().mkpath(dir);
        company = dir + QStringLiteral("/company.fdb");
        general = dir + QStringLiteral("/general.fdb");
        empty = dir + QStringLiteral("/template.fdb");
        QLockFile lock(dir + QStringLiteral("/build.lock"));
        lock.setStaleLockTime(0);
        lock.lock();
        if (!QFileInfo::exists(dir + QStringLiteral("/ready"))) {
            QFile::remove(company);
            QFile::remove(general);
            QFile::remove(empty);
            Installation::createTemplate(empty);
            Installation::createTemplate(company);
            Installation::runBundledScript(company, QStringLiteral("demo_zentavo.sql"));
            Installation::createGeneral(general);
            Installation::runBundledScript(general, QStringLiteral("demo_general.sql"));
            QFile ready(dir + QStringLiteral("/ready"));
            ready.open(QIODevice::WriteOnly);
        }
    }
};

Masters& masters() {
    static Masters m;
    return m;
}

QString copyTo(const QString& from, const QString& to) {
    QFile::remove(to);
    if (!QFile::copy(from, to))
        throw std::runtime_error(("cannot copy test database to " + to).toStdString());
    QFile(to).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                             QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther);
    return to;
}
} // namespace

QString TestDatabases::freshCompany(const QTemporaryDir& dir, const QString& name) {
    return copyTo(masters().company, dir.filePath(name));
}

QString TestDatabases::freshGeneral(const QTemporaryDir& dir, const QString& name) {
    return copyTo(masters().general, dir.filePath(name));
}

QString TestDatabases::freshInstallation(const QTemporaryDir& dir) {
    const QString root = dir.path();
    QDir().mkpath(root + QStringLiteral("/datos/001"));
    QDir().mkpath(root + QStringLiteral("/sop"));
    copyTo(masters().general, root + QStringLiteral("/datos/general.fdb"));
    copyTo(masters().company, root + QStringLiteral("/datos/001/zentavo.fdb"));
    copyTo(masters().empty, root + QStringLiteral("/sop/zentavo.fdb"));
    QFile f(root + QStringLiteral("/SERVIDORES.cfg"));
    if (f.open(QIODevice::WriteOnly))
        f.write((root + QStringLiteral("\r\n")).toUtf8());
    QFile p(root + QStringLiteral("/impresoras.cfg"));
    if (p.open(QIODevice::WriteOnly))
        p.write("ETIQUETAS,LabelPDF\r\n");
    return root;
}

QString TestDatabases::serverHost() { return qEnvironmentVariable("TM_FB_SERVER"); }

QString TestDatabases::serverDir() {
    const QString d = qEnvironmentVariable("TM_FB_SERVER_DIR");
    return d.isEmpty() ? QStringLiteral("/tmp/tomamuestras-fbserver") : d;
}

QString TestDatabases::sysdbaPassword() {
    const QString p = qEnvironmentVariable("TM_FB_SYSDBA_PASSWORD");
    return p.isEmpty() ? QStringLiteral("masterkey") : p;
}
