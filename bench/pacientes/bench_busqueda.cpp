// bench_busqueda_pacientes PATH [RUNS]
//
// The patient search screen itself against a program written straight on the
// Firebird client API, on a database made by bench_make_db (a million
// patients). The screen is built offscreen, as the program builds it, over
// the shared data module's attachment; the raw side runs the very statements
// the screen sent on the same attachment and reads the same first 1000 rows,
// every column decoded into a QString, integer or date as a real program
// would. One warm-up round, then RUNS measured rounds (default 7), the two
// sides alternating which goes first; the table shows the medians of the
// elapsed times, their ratio, and the ratio of the thread's CPU times (the
// embedded engine works on the calling thread).
//
//   open, maintenance    from constructing the screen (as the main window's
//                        "&Pacientes" does) to its first rows in the grid's
//                        model, against the raw client's first packet
//   open, selection      the same as sample taking opens it (active patients only)
//   search "..."         sbBuscarClick for a name in any position, against the
//                        same statement run by the raw client
//
// Before timing, the rows of each statement are compared value by value
// between the screen's dataset and the raw client; a difference ends the run
// with status 1, and so does any error the screen reports.

#include "common/ScriptedDialogs.h"
#include "bench/BenchSupport.h"
#include "data/ClientDataSet.h"
#include "data/FbConnection.h"
#include "data/FbEnvironment.h"
#include "data/Installation.h"
#include "data/dm.h"
#include "patients/dmter.h"
#include "patients/tercerostm.h"
#include "ui/DataGrid.h"
#include "ui/GridModel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <firebird/Interface.h>
#include <functional>
#include <memory>
#include <time.h>

using namespace Firebird;
using namespace bench;

namespace {

constexpr int kPacket = 1000;





// ------------------------------------------------------------ raw client

struct RawColumn {
    unsigned type, offset, nullOffset, length;
};

// One row as a program holds it while it walks the cursor; text columns
// also as text, for the comparison with the screen.
struct RawRow {
    std::vector<QString> text;
    std::vector<qint64> number;
    std::vector<QDate> date;
    std::vector<bool> null;
};

std::vector<RawColumn> describe(IMessageMetadata* meta, ThrowStatusWrapper* st) {
    std::vector<RawColumn> cols(meta->getCount(st));
    for (unsigned i = 0; i < cols.size(); ++i)
        cols[i] = {meta->getType(st, i) & ~1u, meta->getOffset(st, i), meta->getNullOffset(st, i),
                   meta->getLength(st, i)};
    return cols;
}

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

// Prepares and opens `sql` and reads up to `rows` rows, handing each to
// `each`; the time runs from the transaction's start to the last row read.
// `got` receives the number of rows read.
Cost rawRead(IAttachment* att, const QString& sql, int rows, int& got,
             const std::function<void(const RawRow&)>& each = {}) {
    RawStatus st;
    const Stopwatch timer;
    ITransaction* tx = att->startTransaction(&st, sizeof kReadTpb, kReadTpb);
    const QByteArray text = sql.toUtf8();
    IStatement* stmt = att->prepare(&st, tx, 0, text.constData(), 3, IStatement::PREPARE_PREFETCH_METADATA);
    IMessageMetadata* meta = stmt->getOutputMetadata(&st);
    const std::vector<RawColumn> cols = describe(meta, &st);
    std::vector<unsigned char> buffer(meta->getMessageLength(&st));
    IResultSet* rs = stmt->openCursor(&st, tx, nullptr, nullptr, meta, 0);
    RawRow row;
    row.text.resize(cols.size());
    row.number.resize(cols.size());
    row.date.resize(cols.size());
    row.null.resize(cols.size());
    got = 0;
    while (got < rows && rs->fetchNext(&st, buffer.data()) == IStatus::RESULT_OK) {
        decode(buffer.data(), cols, row);
        if (each)
            each(row);
        ++got;
    }
    const Cost cost = timer.elapsed();
    rs->close(&st);
    stmt->free(&st);
    meta->release();
    tx->commit(&st);
    return cost;
}

// ------------------------------------------------------------ measuring

qint64 median(std::vector<qint64> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
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
    QString operation, ours, raw;
    double ratio, cpuRatio, target;
};

Line timeLine(const QString& operation, const Pair& p, double target) {
    const auto ms = [](qint64 ns) { return QStringLiteral("%1 ms").arg(double(ns) / 1e6, 0, 'f', 1); };
    return {operation, ms(p.ours.wall), ms(p.raw.wall), double(p.ours.wall) / double(p.raw.wall),
            double(p.ours.cpu) / double(p.raw.cpu), target};
}

void printTable(const std::vector<Line>& lines) {
    std::printf("\n%-40s | %13s | %13s | %5s | %9s | %s\n", "operation", "screen", "raw client", "ratio", "cpu ratio",
                "target");
    std::printf("%s\n", std::string(40 + 3 + 13 + 3 + 13 + 3 + 5 + 3 + 9 + 3 + 14, '-').c_str());
    for (const Line& l : lines)
        std::printf("%-40s | %13s | %13s | %5.3f | %9.3f | <= %.1f %s\n", qPrintable(l.operation), qPrintable(l.ours),
                    qPrintable(l.raw), l.ratio, l.cpuRatio, l.target, l.ratio <= l.target ? "met" : "MISSED");
    std::fflush(stdout);
}

QString loadAverage() {
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 2)
                                       : QStringLiteral("?");
}

[[noreturn]] void fault(const QString& text) { throw std::logic_error(("FAULT: " + text).toStdString()); }

// The screen has what the raw client reads for the same statement: its
// dataset holds the same rows (less the inactive ones in selection mode)
// and its grid shows every one of them.
void compare(Tftercerostm& s, IAttachment* att, bool activeOnly) {
    ClientDataSet* ds = s.CTerceros;
    const int estado = ds->fieldIndex(QStringLiteral("TERC_ESTADO"));
    int row = 0, got = 0;
    rawRead(att, ds->commandText(), kPacket, got, [&](const RawRow& raw) {
        if (activeOnly && raw.text[size_t(estado)] != QLatin1String("S"))
            return;
        if (row >= ds->recordCount())
            fault(QStringLiteral("the screen has %1 rows, the raw client more").arg(ds->recordCount()));
        for (int c = 0; c < ds->fieldCount(); ++c) {
            const Value v = ds->valueAt(row, c);
            const QString expected = raw.null[size_t(c)] ? QString() : raw.text[size_t(c)];
            if (v.isNull() != raw.null[size_t(c)] || v.toString() != expected)
                fault(QStringLiteral("row %1, %2: screen '%3', raw client '%4'")
                          .arg(row)
                          .arg(ds->field(c).name, v.toString(), expected));
        }
        ++row;
    });
    if (row != ds->recordCount() || s.DBGridEh1->gridModel()->rowCount() != row || row == 0)
        fault(QStringLiteral("%1 rows from the raw client, %2 in the screen's dataset, %3 in its grid")
                  .arg(row)
                  .arg(ds->recordCount())
                  .arg(s.DBGridEh1->gridModel()->rowCount()));
}

class Bench {
public:
    Bench(const QString& path, int runs) : runs_(runs) {
        dm_.diraplicacion = [this] { return logDir_.path(); };
        dm_.cod_usuario = Installation::adminUser();
        dm_.es_administrador = [] { return true; };
        dm_.Zentavo.setParam(QStringLiteral("Database"), path);
        dm_.Zentavo.setParam(QStringLiteral("User_Name"), Installation::adminUser());
        dm_.Zentavo.setParam(QStringLiteral("password"), Installation::adminPassword());
        dm_.Zentavo.open();
        att_ = dm_.Zentavo.attachment();
    }

    int run(const QString& path) {
        const qint64 patients = dm_.valor(QStringLiteral("select count(*) from terceros")).toInt();
        std::printf("database: %s (%lld third parties)\nrounds: 1 warm-up + %d measured, medians shown\n"
                    "load average: %s\n",
                    qPrintable(path), patients, runs_, qPrintable(loadAverage()));
        std::fflush(stdout);
        std::vector<Line> lines;
        QElapsedTimer total;
        total.start();

        lines.push_back(opening(true));
        printTable({lines.back()});
        lines.push_back(opening(false));
        printTable({lines.back()});
        for (const QString& words : {QStringLiteral("garcia"), QStringLiteral("garcia an")}) {
            lines.push_back(searching(words));
            printTable({lines.back()});
        }

        std::printf("\nSummary: medians of %d rounds\n", runs_);
        printTable(lines);
        std::printf("measuring took %.0f s; load average %s\n", double(total.elapsed()) / 1000.0,
                    qPrintable(loadAverage()));
        if (!dialogs_.errors.isEmpty())
            fault(QStringLiteral("the screen reported: ") + dialogs_.errors.join(QStringLiteral(" | ")));
        return 0;
    }

private:
    // Opening the search: construction to the first rows in the grid's model.
    Line opening(bool maintenance) {
        dm_.solo_consulta = maintenance;
        {
            Tftercerostm s;
            compare(s, att_, !maintenance);
        }
        const QString sql = Tftercerostm::kSentenciaBase + QStringLiteral("order by terc_nom");
        const Pair p = measure(
            runs_,
            [&] {
                const Stopwatch timer;
                auto s = std::make_unique<Tftercerostm>();
                const int rows = s->DBGridEh1->gridModel()->rowCount();
                const Cost cost = timer.elapsed();
                if (rows == 0)
                    fault(QStringLiteral("the screen opened without rows"));
                return cost;
            },
            [&] {
                int got = 0;
                return rawRead(att_, sql, kPacket, got, [](const RawRow&) {});
            });
        return timeLine(maintenance ? QStringLiteral("open, maintenance (first 1000 rows)")
                                    : QStringLiteral("open, selection (active of 1000)"),
                        p, 1.2);
    }

    // A name in any position: sbBuscarClick against the same statement.
    Line searching(const QString& words) {
        dm_.solo_consulta = true;
        Tftercerostm s;
        s.RGBuscar->button(Tftercerostm::Nombre)->setChecked(true);
        s.CkDesorden->setChecked(true);
        s.EBuscar->setText(words);
        s.sbBuscarClick();
        const QString sql = s.CTerceros->commandText();
        compare(s, att_, false);
        const Pair p = measure(
            runs_,
            [&] {
                const Stopwatch timer;
                s.sbBuscarClick();
                const int rows = s.DBGridEh1->gridModel()->rowCount();
                const Cost cost = timer.elapsed();
                if (rows == 0)
                    fault(QStringLiteral("the search found nothing"));
                return cost;
            },
            [&] {
                int got = 0;
                return rawRead(att_, sql, kPacket, got, [](const RawRow&) {});
            });
        return timeLine(QStringLiteral("search \"%1\" (%2 rows)").arg(words).arg(s.CTerceros->recordCount()), p,
                        1.2);
    }

    int runs_;
    QTemporaryDir logDir_;
    ScriptedDialogs dialogs_;
    Tfdm dm_;
    Tfdmter ter_;
    IAttachment* att_ = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    FbEnvironment::prepareConfiguration();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: bench_busqueda_pacientes PATH [RUNS]\n");
        return 2;
    }
    bool ok = true;
    const int runs = args.size() > 2 ? args[2].toInt(&ok) : 7;
    if (!ok || runs < 1) {
        std::fprintf(stderr, "RUNS must be a positive number\n");
        return 2;
    }
    if (!QFileInfo::exists(args[1])) {
        std::fprintf(stderr, "bench_busqueda_pacientes: %s does not exist; make it with bench_make_db\n",
                     qPrintable(args[1]));
        return 2;
    }
    const QString path = QFileInfo(args[1]).absoluteFilePath();
    try {
        Bench bench(path, runs);
        return bench.run(path);
    } catch (const FbException& e) {
        char text[1024];
        FbEnvironment::instance().util()->formatStatus(text, sizeof text, e.getStatus());
        std::fprintf(stderr, "bench_busqueda_pacientes: %s\n", text);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_busqueda_pacientes: %s\n", e.what());
    }
    return 1;
}
