#include "data/FbEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <firebird/Interface.h>
#include <unistd.h>

namespace {
QString systemRoot() {
    for (const char* dir : {"/usr/lib/x86_64-linux-gnu/firebird/3.0", "/usr/lib/aarch64-linux-gnu/firebird/3.0",
                            "/usr/lib/firebird/3.0", "/opt/firebird"}) {
        if (QFileInfo::exists(QString::fromLatin1(dir) + QStringLiteral("/plugins")))
            return QString::fromLatin1(dir);
    }
    return {};
}
} // namespace

void FbEnvironment::prepareConfiguration() {
    static bool done = false;
    if (done)
        return;
    done = true;
    if (qEnvironmentVariableIsSet("TM_FIREBIRD_KEEP_ENV"))
        return;
    const QString root = systemRoot();
    if (root.isEmpty())
        return;
    const QString dir = QDir::tempPath() + QStringLiteral("/tomamuestras-firebird-%1").arg(getuid());
    QDir().mkpath(dir);
    const QString conf = dir + QStringLiteral("/firebird.conf");
    const QByteArray wanted = "# Written by tomamuestras: embedded engine shared between processes.\n"
                              "ServerMode = Classic\n"
                              "Providers = Remote, Engine12, Loopback\n";
    QFile file(conf);
    if (!file.open(QIODevice::ReadOnly) || file.readAll() != wanted) {
        file.close();
        QFile out(conf + QStringLiteral(".tmp"));
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            out.write(wanted);
            out.close();
            QFile::remove(conf);
            QFile::rename(out.fileName(), conf);
        }
    }
    for (const char* entry : {"intl", "plugins", "firebird.msg", "plugins.conf"}) {
        const QString target = root + QLatin1Char('/') + QLatin1String(entry);
        const QString link = dir + QLatin1Char('/') + QLatin1String(entry);
        if (QFileInfo::exists(target) && QFileInfo(link).symLinkTarget() != target) {
            QFile::remove(link);
            QFile::link(target, link);
        }
    }
    // The system folder may lack firebird.msg on some layouts; fall back to /usr/share.
    if (!QFileInfo::exists(dir + QStringLiteral("/firebird.msg"))) {
        for (const char* msg : {"/usr/share/firebird/3.0/firebird.msg", "/usr/lib/firebird/3.0/firebird.msg"})
            if (QFileInfo::exists(QString::fromLatin1(msg)))
                QFile::link(QString::fromLatin1(msg), dir + QStringLiteral("/firebird.msg"));
    }
    qputenv("FIREBIRD", QFile::encodeName(dir));
}

FbEnvironment::FbEnvironment() {
    prepareConfiguration();
    master_ = Firebird::fb_get_master_interface();
    util_ = master_->getUtilInterface();
    provider_ = master_->getDispatcher();
}

FbEnvironment& FbEnvironment::instance() {
    static FbEnvironment env;
    return env;
}

bool FbEnvironment::isLocalPath(const QString& database) {
    static const QRegularExpression remote(QStringLiteral("^[^/\\\\:]{2,}(/[0-9A-Za-z_]+)?:"));
    return !remote.match(database).hasMatch();
}
