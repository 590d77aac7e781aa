// bench_make_db PATH [N]
//
// Creates a company database at PATH from the bundled scripts and fills it
// with N third parties (default 1000000), each with its clinical record, by
// running bench/sql/gen_terceros.sql with its count set to N. A file that
// already holds at least N third parties is kept as it is; one with fewer is
// made again from scratch. Forced writes are left off on the file: the bench
// measures the data layer against the raw client, not the disk.

#include "data/FbConnection.h"
#include "data/FbEnvironment.h"
#include "data/FbStatement.h"
#include "data/FbTransaction.h"
#include "data/Installation.h"
#include "data/ScriptRunner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>
#include <exception>
#include <firebird/Interface.h>

#ifndef TM_BENCH_SQL_DIR
#define TM_BENCH_SQL_DIR "bench/sql"
#endif

namespace {

void say(const QString& text) {
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

qint64 thirdParties(const QString& path) {
    FbConnection conn;
    conn.setParam(QStringLiteral("Database"), path);
    conn.setParam(QStringLiteral("User_Name"), Installation::adminUser());
    conn.setParam(QStringLiteral("password"), Installation::adminPassword());
    conn.open();
    FbTransaction tx(conn, FbTransaction::Mode::ReadOnly);
    FbStatement st(tx, QStringLiteral("select count(*) from TERCEROS"));
    const qint64 n = st.execute().at(0).toInt();
    tx.commit();
    return n;
}

// Turns synchronous page writes on or off in the database header.
void setForcedWrites(const QString& path, bool on) {
    using namespace Firebird;
    FbEnvironment& env = FbEnvironment::instance();
    IStatus* st = env.master()->getStatus();
    ThrowStatusWrapper status(st);
    IXpbBuilder* dpb = nullptr;
    try {
        dpb = env.util()->getXpbBuilder(&status, IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&status, isc_dpb_user_name, Installation::adminUser().toUtf8().constData());
        dpb->insertString(&status, isc_dpb_password, Installation::adminPassword().toUtf8().constData());
        dpb->insertString(&status, isc_dpb_config, "Providers=Engine12");
        dpb->insertInt(&status, isc_dpb_force_write, on ? 1 : 0);
        IAttachment* att = env.provider()->attachDatabase(&status, path.toUtf8().constData(),
                                                          dpb->getBufferLength(&status), dpb->getBuffer(&status));
        att->detach(&status);
    } catch (const FbException& e) {
        char text[512];
        env.util()->formatStatus(text, sizeof text, e.getStatus());
        if (dpb)
            dpb->dispose();
        st->dispose();
        throw std::runtime_error(text);
    }
    dpb->dispose();
    st->dispose();
}

// The generator script with its count set to n.
QString generatorScript(qint64 n) {
    const QString file = QStringLiteral(TM_BENCH_SQL_DIR "/gen_terceros.sql");
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(("Cannot read " + file).toStdString());
    QString script = QString::fromUtf8(f.readAll());
    static const QRegularExpression count(QStringLiteral("(DECLARE\\s+CANTIDAD\\s+INTEGER\\s*=\\s*)\\d+"),
                                          QRegularExpression::CaseInsensitiveOption);
    if (!count.match(script).hasMatch())
        throw std::runtime_error(("No 'DECLARE CANTIDAD INTEGER = n' in " + file).toStdString());
    script.replace(count, QStringLiteral("\\1%1").arg(n));
    return script;
}

} // namespace

int main(int argc, char** argv) {
    FbEnvironment::prepareConfiguration();
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: bench_make_db PATH [N]\n");
        return 2;
    }
    const QString path = QFileInfo(args[1]).absoluteFilePath();
    bool ok = true;
    const qint64 wanted = args.size() > 2 ? args[2].toLongLong(&ok) : 1000000;
    if (!ok || wanted < 1 || wanted > 99999999) {
        std::fprintf(stderr, "N must be between 1 and 99999999\n");
        return 2;
    }
    try {
        if (QFileInfo::exists(path)) {
            const qint64 have = thirdParties(path);
            if (have >= wanted) {
                say(QStringLiteral("%1 already holds %2 third parties; kept.").arg(path).arg(have));
                return 0;
            }
            say(QStringLiteral("%1 holds %2 third parties, fewer than %3; made again.").arg(path).arg(have).arg(wanted));
            if (!QFile::remove(path))
                throw std::runtime_error(("Cannot remove " + path).toStdString());
        }
        const QString script = generatorScript(wanted);

        QElapsedTimer total;
        total.start();
        Installation::createTemplate(path);
        setForcedWrites(path, false);
        const qint64 templateMs = total.elapsed();

        QElapsedTimer fill;
        fill.start();
        {
            FbConnection conn;
            conn.setParam(QStringLiteral("Database"), path);
            conn.setParam(QStringLiteral("User_Name"), Installation::adminUser());
            conn.setParam(QStringLiteral("password"), Installation::adminPassword());
            conn.open();
            ScriptRunner(conn).run(script);
        }
        const qint64 fillMs = fill.elapsed();
        const qint64 have = thirdParties(path);
        if (have < wanted)
            throw std::runtime_error(QStringLiteral("The generator left %1 third parties, %2 wanted")
                                         .arg(have)
                                         .arg(wanted)
                                         .toStdString());
        say(QStringLiteral("Created %1: template %2 s, %3 third parties in %4 s (%5 rows/s), total %6 s.")
                .arg(path)
                .arg(templateMs / 1000.0, 0, 'f', 1)
                .arg(have)
                .arg(fillMs / 1000.0, 0, 'f', 1)
                .arg(fillMs > 0 ? qint64(double(have) * 1000.0 / double(fillMs)) : have)
                .arg(total.elapsed() / 1000.0, 0, 'f', 1));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_make_db: %s\n", e.what());
        return 1;
    }
    return 0;
}
