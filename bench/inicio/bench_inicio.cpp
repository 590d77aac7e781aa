// Start-up time: process start to the main window shown with its company and
// user (the program run with --medir-inicio on an embedded demo
// installation), next to a process that runs the same start-up queries with
// the raw client library. Both are timed from outside, spawn to done, as the
// median of several runs.
#include "data/FbEnvironment.h"
#include "data/Installation.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <firebird/Interface.h>
#include <vector>

using namespace Firebird;

namespace {
// The start-up queries through the raw client: login on the general
// database, company database and its settings, the general database again
// with the administrator flag and the companies (logo included), the user's
// profile, doctor and nurse look-ups and the message check.
int rawStartup(const QString& root) {
    FbEnvironment& env = FbEnvironment::instance();
    IMaster* master = env.master();
    ThrowStatusWrapper st(master->getStatus());
    auto attach = [&](const QString& path) {
        IXpbBuilder* dpb = env.util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&st, isc_dpb_user_name, "ADMIN");
        dpb->insertString(&st, isc_dpb_password, "x");
        dpb->insertString(&st, isc_dpb_lc_ctype, "UTF8");
        dpb->insertString(&st, isc_dpb_config, "Providers=Engine12");
        const QByteArray p = path.toUtf8();
        IAttachment* a = env.provider()->attachDatabase(&st, p.constData(), dpb->getBufferLength(&st), dpb->getBuffer(&st));
        dpb->dispose();
        return a;
    };
    long rows = 0;
    auto query = [&](IAttachment* att, const char* sql) {
        ITransaction* tx = att->startTransaction(&st, 0, nullptr);
        IStatement* stmt = att->prepare(&st, tx, 0, sql, 3, IStatement::PREPARE_PREFETCH_METADATA);
        IMessageMetadata* meta = stmt->getOutputMetadata(&st);
        std::vector<unsigned char> buf(meta->getMessageLength(&st));
        IResultSet* rs = stmt->openCursor(&st, tx, nullptr, nullptr, meta, 0);
        while (rs->fetchNext(&st, buf.data()) == IStatus::RESULT_OK) {
            ++rows;
            // blobs are read whole, as the program does
            for (unsigned i = 0; i < meta->getCount(&st); ++i) {
                if ((meta->getType(&st, i) & ~1u) != SQL_BLOB || *reinterpret_cast<short*>(&buf[meta->getNullOffset(&st, i)]))
                    continue;
                IBlob* blob = att->openBlob(&st, tx, reinterpret_cast<ISC_QUAD*>(&buf[meta->getOffset(&st, i)]), 0, nullptr);
                char chunk[32768];
                unsigned got = 0;
                while (blob->getSegment(&st, sizeof chunk, chunk, &got) != IStatus::RESULT_NO_DATA) {
                }
                blob->close(&st);
            }
        }
        rs->close(&st);
        meta->release();
        stmt->free(&st);
        tx->commit(&st);
    };
    IAttachment* general = attach(root + QStringLiteral("/datos/general.fdb"));
    query(general, "select usua_nombre from usuario where usua_cod = 'ADMIN'");
    IAttachment* company = attach(root + QStringLiteral("/datos/001/zentavo.fdb"));
    query(company, "SELECT * FROM CONFIGURACION");
    general->detach(&st);
    general = attach(root + QStringLiteral("/datos/general.fdb"));
    query(general, "select usua_admin from usuario where usua_cod = 'ADMIN'");
    query(general, "SELECT * FROM COMPANIA");
    general->detach(&st);
    query(company, "select * from usuario where user_cod = 'ADMIN'");
    query(company, "SELECT TERC_NIT FROM MEDICOS WHERE MDCO_USUARIO = 'ADMIN'");
    query(company, "select mens_id, mens_autor, mens_mensaje, mens_nivel from MENSAJERIA where mens_destino = 'ADMIN' and mens_leido = 'N'");
    query(company, "SELECT TERC_NIT FROM ENFERMERAS WHERE ENFE_USUARIO = 'ADMIN'");
    company->detach(&st);
    return int(rows);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Spawns the command and waits until it prints `marker`; wall milliseconds.
double timeRun(const QString& program, const QStringList& args, const QByteArray& marker) {
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    QByteArray out;
    while (!out.contains(marker)) {
        if (!p.waitForReadyRead(30000))
            break;
        out += p.readAllStandardOutput();
    }
    const double ms = double(t.nsecsElapsed()) / 1e6;
    p.waitForFinished(30000);
    if (!out.contains(marker)) {
        fprintf(stderr, "%s did not finish its start-up: %s\n", qPrintable(program), p.readAllStandardError().constData());
        return -1;
    }
    return ms;
}
} // namespace

int main(int argc, char** argv) {
    FbEnvironment::prepareConfiguration();
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args.at(1) == QStringLiteral("--raw")) {
        const int rows = rawStartup(args.at(2));
        printf("listo %d\n", rows);
        return 0;
    }
    const QString program = args.size() >= 2 ? args.at(1) : QStringLiteral(TM_PROGRAM);
    const int runs = args.size() >= 3 ? args.at(2).toInt() : 9;
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("demo"));
    qputenv("TEVANOR_REGISTRY", dir.filePath(QStringLiteral("registry.ini")).toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Installation::create(root);

    std::vector<double> programMs, rawMs;
    for (int i = 0; i < runs + 1; ++i) { // the first round warms the file cache
        const double p = timeRun(program, {QStringLiteral("--usuario"), QStringLiteral("admin"), QStringLiteral("--clave"),
                                           QStringLiteral("x"), QStringLiteral("--servidor"), root,
                                           QStringLiteral("--entrar"), QStringLiteral("--medir-inicio")},
                                 "inicio_ms");
        const double r = timeRun(QCoreApplication::applicationFilePath(), {QStringLiteral("--raw"), root}, "listo");
        if (p < 0 || r < 0)
            return 1;
        if (i > 0) {
            programMs.push_back(p);
            rawMs.push_back(r);
        }
    }
    const double pm = median(programMs), rm = median(rawMs);
    printf("start-up, process start to main window with company and user (median of %d runs)\n", runs);
    printf("  program            %8.1f ms   target < 500 ms: %s\n", pm, pm < 500 ? "met" : "MISSED");
    printf("  raw client queries %8.1f ms\n", rm);
    printf("  ratio              %8.2f      target <= 2.0: %s\n", pm / rm, pm / rm <= 2.0 ? "met" : "MISSED");
    return 0;
}
