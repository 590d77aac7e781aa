// bench_muestras_grabar [PATH|-] [SAVES]
//
// "F2: Grabar" on the sample-taking screen over a database of 1,000,000
// samples: the time from the key's action (SBGrabarClick) until the next new
// record is ready — drawing the sample number, posting, sending the record
// with its audit row in one transaction, handing the number to the label
// window (a stand-in that only takes the number) and starting the next record.
// Before each save, untimed, the record is filled as the desk does it: a
// patient's identification (with its name and history look-up) and the exam
// type of tube 1. Five warm-up saves, then SAVES measured ones (default
// 200), once with forced writes off (the program's and the engine's own
// work) and once with them on (as a company database has them: every page a
// commit writes also waits for the disk); the median must stay under 50 ms.
// The samples saved are deleted after each round, so the database keeps its
// 1,000,000; forced writes are left on.

#include "agenda/dmcrm.h"
#include "bench/muestras/muestras_db.h"
#include "common/ScriptedDialogs.h"
#include "data/ClientDataSet.h"
#include "data/dm.h"
#include "masters/dmcnt.h"
#include "patients/dmter.h"
#include "samples/dmips.h"
#include "samples/tomamuest.h"
#include "ui/Pantallas.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>

using namespace muestras_bench;

namespace {

constexpr int kWarmUp = 5;
constexpr double kTargetMs = 50.0;

[[noreturn]] void fault(const QString& text) { throw std::logic_error(("FAULT: " + text).toStdString()); }

void settle() {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

qint64 percentile(std::vector<qint64> v, double p) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

struct Figures {
    std::vector<qint64> wall, cpu;
};

// `saves` measured saves on the database as it is now.
Figures measureSaves(const QString& path, int saves) {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Tfdm dm;
    Tfdmcrm crm;
    Tfdmter ter;
    TFdmips ips;
    Tfdmcnt cnt;
    dm.diraplicacion = [&] { return dir.path(); };
    dm.cod_usuario = Installation::adminUser();
    openAdmin(dm.Zentavo, path);
    dm.cargue_configuracion();

    QStringList printed;
    pantallas::olvidar_todas();
    pantallas::registrar(QStringLiteral("Fimprmuestra"), [&](ScreenBase*) { printed << Fdmips->id_muestra; });

    QStringList patients;
    {
        FbTransaction tx(dm.Zentavo, FbTransaction::Mode::ReadOnly);
        FbStatement st(tx, QStringLiteral("select terc_nit from terceros where terc_estado = 'S' order by terc_nit"));
        auto cursor = st.openCursor();
        while (cursor->fetch())
            patients << cursor->value(0).toString();
        cursor->close();
        tx.commit();
    }
    if (patients.isEmpty())
        fault(QStringLiteral("no active patients"));
    const qint64 lastBefore = dm.valor(QStringLiteral("select max(toma_id) from toma_muestra")).toInt();

    auto* screen = new Tftomamuest;
    screen->show();
    settle();
    Figures f;
    for (int i = 0; i < kWarmUp + saves; ++i) {
        // the record as the desk fills it (untimed)
        screen->poner_identificacion(patients[i % patients.size()]);
        QComboBox* exam = screen->CBExamen[0];
        exam->setCurrentIndex(exam->findData(QString::number(i % 17 + 1)));
        emit exam->activated(exam->currentIndex());
        if (screen->DBEditNom->text().isEmpty())
            fault(QStringLiteral("patient %1 has no name").arg(patients[i % patients.size()]));

        const Stopwatch timer;
        const bool stored = screen->SBGrabarClick();
        const Cost c = timer.elapsed();
        if (!stored)
            fault(QStringLiteral("save %1 refused: %2").arg(i).arg(dialogs.errors.join(QStringLiteral(" | "))));
        if (i >= kWarmUp) {
            f.wall.push_back(c.wall);
            f.cpu.push_back(c.cpu);
        }
        settle();
    }
    if (!dialogs.errors.isEmpty() || !dialogs.questions.isEmpty())
        fault(QStringLiteral("the screen asked or reported: ") + (dialogs.errors + dialogs.questions).join(QStringLiteral(" | ")));
    const qint64 added = dm.valor(QStringLiteral("select count(*) from toma_muestra where toma_id > %1 and toma_examen "
                                                 "is not null and toma_nit is not null")
                                      .arg(lastBefore))
                             .toInt();
    if (added != kWarmUp + saves || printed.size() != kWarmUp + saves)
        fault(QStringLiteral("%1 samples stored and %2 label windows for %3 saves")
                  .arg(added)
                  .arg(printed.size())
                  .arg(kWarmUp + saves));
    screen->closeScreen();
    settle();
    dm.ejecutar(QStringLiteral("delete from toma_muestra where toma_id > %1").arg(lastBefore));
    return f;
}

int run(const QString& path, int saves) {
    ensureDatabase(path);
    std::printf("database: %s (%lld samples)\nsaves: %d warm-up + %d measured, with each write mode\nload average: %s\n",
                qPrintable(path), samples(path), kWarmUp, saves, qPrintable(loadAverage()));
    std::fflush(stdout);
    // Without forced writes the figure is the program's and the engine's own
    // work; with them (a company database's setting) every page a commit
    // writes waits for the disk as well.
    Figures asynchronous, synchronous;
    try {
        setForcedWrites(path, false);
        asynchronous = measureSaves(path, saves);
        setForcedWrites(path, true);
        synchronous = measureSaves(path, saves);
    } catch (...) {
        setForcedWrites(path, true);
        throw;
    }

    const auto ms = [](qint64 ns) { return double(ns) / 1e6; };
    std::printf("\n%-56s | %9s | %9s | %9s | %9s | %s\n", "operation", "median", "p90", "max", "cpu med", "target");
    std::printf("%s\n", std::string(56 + 3 * 5 + 9 * 4 + 12, '-').c_str());
    bool met = true;
    for (const auto& [label, f] : {std::pair{"forced writes off", &asynchronous}, std::pair{"forced writes on", &synchronous}}) {
        const double med = ms(median(f->wall));
        met = met && med < kTargetMs;
        std::printf("%-56s | %6.1f ms | %6.1f ms | %6.1f ms | %6.1f ms | < %.0f ms %s\n",
                    qPrintable(QStringLiteral("F2 until the next record, %1 (%2 saves)").arg(QLatin1String(label)).arg(saves)),
                    med, ms(percentile(f->wall, 0.9)), ms(percentile(f->wall, 1.0)), ms(median(f->cpu)), kTargetMs,
                    med < kTargetMs ? "met" : "MISSED");
    }
    std::printf("load average %s\n", qPrintable(loadAverage()));
    std::fflush(stdout);
    return met ? 0 : 3;
}

} // namespace

int main(int argc, char** argv) {
    FbEnvironment::prepareConfiguration();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    // an empty PATH or "-" takes the default file
    const QString path = args.size() > 1 && !args[1].isEmpty() && args[1] != QStringLiteral("-")
                             ? QFileInfo(args[1]).absoluteFilePath()
                             : defaultPath();
    const int saves = args.size() > 2 ? args[2].toInt() : 200;
    if (saves < 1) {
        std::fprintf(stderr, "usage: bench_muestras_grabar [PATH] [SAVES]\n");
        return 2;
    }
    try {
        return run(path, saves);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_muestras_grabar: %s\n", e.what());
        return 1;
    }
}
