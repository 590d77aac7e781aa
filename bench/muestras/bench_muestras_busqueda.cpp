// bench_muestras_busqueda [PATH|-] [RUNS]
//
// The sample search on 1,000,000 samples against a program written straight
// on the Firebird client API, on the same embedded attachment:
//
//   opening     the screen is created, shown and painted with its first
//               packet of 1000 rows (all samples, newest number first);
//               the raw side prepares the same statement, opens it and reads
//               1000 rows, every column into a QString, integer or date
//   "&Buscar"   patient names containing "ana", on the open screen, against
//               the raw client running the statement the screen composed
//
// One warm-up round, then RUNS rounds (default 7), the sides alternating
// which goes first; medians of the elapsed times and of the thread CPU
// times, and their ratios (target: elapsed ratio <= 1.2). Before timing, the
// first packet on the screen is compared value by value with the raw
// client's rows; a difference ends the run with status 1.

#include "bench/muestras/muestras_db.h"
#include "common/ScriptedDialogs.h"
#include "bench/BenchSupport.h"
#include "data/ClientDataSet.h"
#include "data/dm.h"
#include "samples/buscmuestra.h"
#include "samples/dmips.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstring>
#include <functional>

using namespace Firebird;
using namespace bench;
using namespace muestras_bench;

namespace {

constexpr int kPacket = 1000;



struct RawColumn {
    unsigned type, offset, nullOffset, length;
};

// One row as a program holds it while it walks the cursor.
struct RawRow {
    std::vector<QString> text;
    std::vector<qint64> number;
    std::vector<QDate> date;
    std::vector<bool> null;
    std::vector<unsigned> type;
};

void decode(const unsigned char* msg, const std::vector<RawColumn>& cols, RawRow& row) {
    for (size_t i = 0; i < cols.size(); ++i) {
        const RawColumn& c = cols[i];
        short null;
        std::memcpy(&null, msg + c.nullOffset, sizeof null);
        row.null[i] = null != 0;
        if (row.null[i])
            continue;
        const unsigned char* p = msg + c.offset;
        switch (c.type) {
        case SQL_VARYING: {
            unsigned short len;
            std::memcpy(&len, p, sizeof len);
            row.text[i] = QString::fromUtf8(reinterpret_cast<const char*>(p + 2), len);
            break;
        }
        case SQL_TEXT: {
            unsigned len = c.length;
            while (len > 0 && p[len - 1] == ' ')
                --len;
            row.text[i] = QString::fromUtf8(reinterpret_cast<const char*>(p), qsizetype(len));
            break;
        }
        case SQL_SHORT: row.number[i] = *reinterpret_cast<const short*>(p); break;
        case SQL_LONG: row.number[i] = *reinterpret_cast<const ISC_LONG*>(p); break;
        case SQL_INT64: row.number[i] = *reinterpret_cast<const ISC_INT64*>(p); break;
        case SQL_TYPE_DATE:
            row.date[i] = QDate::fromJulianDay(*reinterpret_cast<const ISC_DATE*>(p) + kJulianOfMjdZero);
            break;
        default: throw std::runtime_error("column type not handled by the bench");
        }
    }
}

// Prepares, opens and reads up to `rows` rows of `sql`; the time runs from
// the transaction's start to the last row read.
Cost rawRead(IAttachment* att, const QString& sql, int rows, const std::function<void(const RawRow&)>& each = {}) {
    RawStatus st;
    const Stopwatch timer;
    ITransaction* tx = att->startTransaction(&st, sizeof kReadTpb, kReadTpb);
    const QByteArray text = sql.toUtf8();
    IStatement* stmt = att->prepare(&st, tx, 0, text.constData(), 3, IStatement::PREPARE_PREFETCH_METADATA);
    IMessageMetadata* meta = stmt->getOutputMetadata(&st);
    std::vector<RawColumn> cols(meta->getCount(&st));
    for (unsigned i = 0; i < cols.size(); ++i)
        cols[i] = {meta->getType(&st, i) & ~1u, meta->getOffset(&st, i), meta->getNullOffset(&st, i),
                   meta->getLength(&st, i)};
    std::vector<unsigned char> buffer(meta->getMessageLength(&st));
    IResultSet* rs = stmt->openCursor(&st, tx, nullptr, nullptr, meta, 0);
    RawRow row;
    row.text.resize(cols.size());
    row.number.resize(cols.size());
    row.date.resize(cols.size());
    row.null.resize(cols.size());
    for (const RawColumn& c : cols)
        row.type.push_back(c.type);
    int n = 0;
    while (n < rows && rs->fetchNext(&st, buffer.data()) == IStatus::RESULT_OK) {
        decode(buffer.data(), cols, row);
        if (each)
            each(row);
        ++n;
    }
    const Cost cost = timer.elapsed();
    rs->close(&st);
    stmt->free(&st);
    meta->release();
    tx->commit(&st);
    if (n != rows)
        throw std::runtime_error(QStringLiteral("the statement gave %1 rows, %2 wanted").arg(n).arg(rows).toStdString());
    return cost;
}

QString plan(IAttachment* att, const QString& sql) {
    RawStatus st;
    ITransaction* tx = att->startTransaction(&st, sizeof kReadTpb, kReadTpb);
    const QByteArray text = sql.toUtf8();
    IStatement* stmt = att->prepare(&st, tx, 0, text.constData(), 3, 0);
    const QString out = QString::fromUtf8(stmt->getPlan(&st, false)).trimmed();
    stmt->free(&st);
    tx->commit(&st);
    return out;
}

void settle() {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

[[noreturn]] void fault(const QString& text) { throw std::logic_error(("FAULT: " + text).toStdString()); }

void checkNoErrors(const ScriptedDialogs& dialogs) {
    if (!dialogs.errors.isEmpty())
        fault(QStringLiteral("the screen reported: ") + dialogs.errors.join(QStringLiteral(" | ")));
}

// The screen's first packet must hold what the raw client reads.
void compareFirstPacket(Tfbuscmuestra& screen, IAttachment* att) {
    ClientDataSet& ds = *screen.CMuestras;
    if (ds.recordCount() != kPacket)
        fault(QStringLiteral("the screen shows %1 rows, %2 expected").arg(ds.recordCount()).arg(kPacket));
    int r = 0;
    rawRead(att, screen.query(), kPacket, [&](const RawRow& raw) {
        for (int c = 0; c < ds.fieldCount(); ++c) {
            const Value v = ds.valueAt(r, c);
            QString expected;
            if (!raw.null[size_t(c)]) {
                if (raw.type[size_t(c)] == SQL_TYPE_DATE)
                    expected = Value(raw.date[size_t(c)]).toString();
                else if (raw.type[size_t(c)] == SQL_VARYING || raw.type[size_t(c)] == SQL_TEXT)
                    expected = raw.text[size_t(c)];
                else
                    expected = QString::number(raw.number[size_t(c)]);
            }
            if (v.isNull() != raw.null[size_t(c)] || v.toString() != expected)
                fault(QStringLiteral("row %1, %2: screen '%3', raw client '%4'")
                          .arg(r)
                          .arg(ds.field(c).name, v.toString(), expected));
        }
        ++r;
    });
}

struct Pair {
    Cost ours, raw;
};

Pair measure(int runs, const std::function<Cost()>& ours, const std::function<Cost()>& raw) {
    std::vector<qint64> wall[2], cpu[2];
    for (int round = 0; round <= runs; ++round)
        for (int side = 0; side < 2; ++side) {
            const bool oursNow = (side == 0) == (round % 2 == 0);
            const Cost c = oursNow ? ours() : raw();
            if (round > 0) {
                wall[oursNow ? 0 : 1].push_back(c.wall);
                cpu[oursNow ? 0 : 1].push_back(c.cpu);
            }
        }
    return {{median(wall[0]), median(cpu[0])}, {median(wall[1]), median(cpu[1])}};
}

struct Line {
    QString operation;
    Pair p;
};

bool printTable(const std::vector<Line>& lines) {
    std::printf("\n%-40s | %12s | %12s | %5s | %9s | %s\n", "operation", "screen", "raw client", "ratio", "cpu ratio",
                "target");
    std::printf("%s\n", std::string(40 + 3 + 12 + 3 + 12 + 3 + 5 + 3 + 9 + 3 + 14, '-').c_str());
    bool met = true;
    for (const Line& l : lines) {
        const double ratio = double(l.p.ours.wall) / double(l.p.raw.wall);
        const double cpuRatio = double(l.p.ours.cpu) / double(l.p.raw.cpu);
        met = met && ratio <= 1.2;
        std::printf("%-40s | %9.1f ms | %9.1f ms | %5.3f | %9.3f | <= 1.2 %s\n", qPrintable(l.operation),
                    double(l.p.ours.wall) / 1e6, double(l.p.raw.wall) / 1e6, ratio, cpuRatio,
                    ratio <= 1.2 ? "met" : "MISSED");
    }
    std::fflush(stdout);
    return met;
}

int run(const QString& path, int runs) {
    ensureDatabase(path);
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Tfdm dm;
    TFdmips ips;
    dm.diraplicacion = [&] { return dir.path(); };
    dm.cod_usuario = Installation::adminUser();
    openAdmin(dm.Zentavo, path);
    dm.cargue_configuracion();
    IAttachment* att = dm.Zentavo.attachment();

    const qint64 total = dm.valor(QStringLiteral("select count(*) from toma_muestra")).toInt();
    QString opening;
    {
        auto* probe = new Tfbuscmuestra;
        probe->show();
        opening = probe->query();
        compareFirstPacket(*probe, att);
        probe->closeScreen();
    }
    settle();
    checkNoErrors(dialogs);
    std::printf("database: %s (%lld samples)\nrounds: 1 warm-up + %d measured, medians shown\n"
                "opening statement: %s\nplan: %s\nload average: %s\n",
                qPrintable(path), total, runs, qPrintable(opening), qPrintable(plan(att, opening)),
                qPrintable(loadAverage()));
    std::fflush(stdout);

    std::vector<Line> lines;
    const Pair open = measure(
        runs,
        [&] {
            const Stopwatch timer;
            auto* screen = new Tfbuscmuestra;
            screen->show();
            QApplication::processEvents(); // painted with its first rows
            const Cost c = timer.elapsed();
            if (screen->CMuestras->recordCount() != kPacket)
                fault(QStringLiteral("the opening shows %1 rows").arg(screen->CMuestras->recordCount()));
            screen->closeScreen();
            settle();
            return c;
        },
        [&] { return rawRead(att, opening, kPacket); });
    lines.push_back({QStringLiteral("opening, first %1 rows shown").arg(kPacket), open});
    printTable({lines.back()});
    checkNoErrors(dialogs);

    auto* screen = new Tfbuscmuestra;
    screen->show();
    settle();
    screen->TxBuscar->setText(QStringLiteral("ana"));
    screen->ckPosicion->setChecked(true);
    screen->SBBuscarClick();
    const QString search = screen->query();
    const int found = screen->CMuestras->recordCount();
    std::printf("search statement: %s\nplan: %s\n", qPrintable(search), qPrintable(plan(att, search)));
    if (found != kPacket)
        fault(QStringLiteral("the search shows %1 rows, %2 expected").arg(found).arg(kPacket));
    const Pair buscar = measure(
        runs,
        [&] {
            const Stopwatch timer;
            screen->SBBuscarClick();
            QApplication::processEvents();
            return timer.elapsed();
        },
        [&] { return rawRead(att, search, kPacket); });
    lines.push_back({QStringLiteral("\"&Buscar\" 'ana' anywhere, first %1 rows").arg(kPacket), buscar});
    printTable({lines.back()});
    screen->closeScreen();
    settle();
    checkNoErrors(dialogs);

    std::printf("\nSummary (medians of %d rounds):", runs);
    const bool met = printTable(lines);
    std::printf("load average %s\n", qPrintable(loadAverage()));
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
    const int runs = args.size() > 2 ? args[2].toInt() : 7;
    if (runs < 1) {
        std::fprintf(stderr, "usage: bench_muestras_busqueda [PATH] [RUNS]\n");
        return 2;
    }
    try {
        return run(path, runs);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_muestras_busqueda: %s\n", e.what());
        return 1;
    }
}
