#pragma once

// The database both sample benches run on: a company database made from the
// bundled scripts with the demo rows, filled with 1,000,000 samples of the
// demo patients (exam types 1 to 17 in turn, dates over the last nine years,
// numbers and audit rows from the database's own triggers). It is made once
// under build/bench-data/ and kept; a file with fewer samples is made again.
// Forced writes are off while it is filled and on again afterwards, as a
// company database has them.

#include "bench/BenchSupport.h"
#include "data/FbConnection.h"
#include "data/FbEnvironment.h"
#include "data/FbStatement.h"
#include "data/FbTransaction.h"
#include "data/Installation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <firebird/Interface.h>
#include <stdexcept>
#include <time.h>
#include <vector>

#ifndef TM_BENCH_DATA_DIR
#define TM_BENCH_DATA_DIR "build/bench-data"
#endif

namespace muestras_bench {
using bench::Cost;
using bench::Stopwatch;

constexpr qint64 kSamples = 1000000;

inline QString defaultPath() { return QStringLiteral(TM_BENCH_DATA_DIR "/muestras_1m.fdb"); }

inline void say(const QString& text) {
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

inline void openAdmin(FbConnection& conn, const QString& path) {
    conn.setParam(QStringLiteral("Database"), path);
    conn.setParam(QStringLiteral("User_Name"), Installation::adminUser());
    conn.setParam(QStringLiteral("password"), Installation::adminPassword());
    conn.open();
}

inline qint64 samples(const QString& path) {
    FbConnection conn;
    openAdmin(conn, path);
    FbTransaction tx(conn, FbTransaction::Mode::ReadOnly);
    FbStatement st(tx, QStringLiteral("select count(*) from TOMA_MUESTRA"));
    const qint64 n = st.execute().at(0).toInt();
    tx.commit();
    return n;
}

// Turns synchronous page writes on or off in the database header.
inline void setForcedWrites(const QString& path, bool on) {
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

// 1,000,000 samples over the demo patients, newest numbers on the newest dates.
inline const char* fillBlock() {
    return R"(EXECUTE BLOCK AS
  DECLARE I INTEGER = 0;
  DECLARE NIT VARCHAR(20);
  DECLARE NOM VARCHAR(60);
  DECLARE HIS VARCHAR(10);
BEGIN
  WHILE (I < 1000000) DO
  BEGIN
    FOR SELECT T.TERC_NIT, T.TERC_NOM, R.HICL_ID
          FROM TERCEROS T LEFT JOIN REGISTRO R ON R.TERC_NIT = T.TERC_NIT
         ORDER BY T.TERC_NIT
        INTO :NIT, :NOM, :HIS DO
    BEGIN
      IF (I < 1000000) THEN
      BEGIN
        INSERT INTO TOMA_MUESTRA (TOMA_ID, TOMA_FECHA, TOMA_NIT, TOMA_IDHIS, TOMA_NOM, TOMA_EXAMEN, TOMA_NROMUES,
                                  TOMA_EXAMEN2, TOMA_EXAMEN3, TOMA_EXAMEN4, TOMA_EXAMEN5, TOMA_EXAMEN6,
                                  TOMA_EXAMEN7, TOMA_EXAMEN8)
        VALUES (0, DATEADD(DAY, -((1000000 - :I) / 300), CURRENT_DATE), :NIT, :HIS, :NOM, MOD(:I, 17) + 1,
                MOD(:I, 3) + 1, IIF(MOD(:I, 3) >= 1, MOD(:I + 5, 17) + 1, 0),
                IIF(MOD(:I, 3) = 2, MOD(:I + 11, 17) + 1, 0), 0, 0, 0, 0, 0);
        I = I + 1;
      END
    END
  END
END)";
}

// The database at `path`, made when it is missing or holds fewer samples.
inline void ensureDatabase(const QString& path) {
    if (QFileInfo::exists(path)) {
        const qint64 have = samples(path);
        if (have >= kSamples) {
            say(QStringLiteral("%1 holds %2 samples; kept.").arg(path).arg(have));
            return;
        }
        say(QStringLiteral("%1 holds %2 samples; made again.").arg(path).arg(have));
        QFile::remove(path);
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    // made under another name first, so an interrupted run leaves nothing half-filled behind
    const QString part = path + QStringLiteral(".part");
    QFile::remove(part);
    QElapsedTimer timer;
    timer.start();
    Installation::createTemplate(part);
    Installation::runBundledScript(part, QStringLiteral("demo_zentavo.sql"));
    setForcedWrites(part, false);
    say(QStringLiteral("Company database with the demo rows made in %1 s; filling %2 samples...")
            .arg(double(timer.elapsed()) / 1000.0, 0, 'f', 1)
            .arg(kSamples));
    {
        FbConnection conn;
        openAdmin(conn, part);
        FbTransaction tx(conn);
        FbStatement(tx, QString::fromLatin1(fillBlock())).execute();
        tx.commit();
    }
    setForcedWrites(part, true);
    if (samples(part) < kSamples)
        throw std::runtime_error("the fill left fewer samples than wanted");
    if (!QFile::rename(part, path))
        throw std::runtime_error(("Cannot rename " + part + " to " + path).toStdString());
    say(QStringLiteral("Made %1 in %2 s.").arg(path).arg(double(timer.elapsed()) / 1000.0, 0, 'f', 1));
}



inline qint64 median(std::vector<qint64> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

inline QString loadAverage() {
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 2)
                                       : QStringLiteral("?");
}

} // namespace muestras_bench
