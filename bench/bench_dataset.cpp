// bench_dataset PATH [RUNS]
//
// Puts the data layer (query object, provider, client dataset) side by side
// with a program written straight against the Firebird client API, on a
// database made by bench_make_db. Both sides run on the same attachment,
// interleaved, one warm-up round and then RUNS measured rounds (default 7);
// the table shows the medians of the elapsed times and their ratio, and the
// ratio of the thread's CPU times beside it: the embedded engine works on the
// calling thread, so that one shows the cost of the work itself when other
// programs load the machine.
//
//   first packet     open the patient search and read its first 1000 rows
//   fetch 100000     read the first 100000 rows of the same search
//   insert 10000     store 10000 new third parties in one transaction
//   memory per row   heap bytes the dataset keeps per fetched row, and the
//                    process's resident growth per row, against the row's data
//
// The raw side does the work a real program does with the rows: every column
// is read out of the message buffer into a QString, integer or date. Before
// timing, the first packet is compared value by value between the two sides,
// and so is the size of the data of the 100000 rows; a difference is a fault
// and ends the run with status 1.

#include "bench/BenchSupport.h"
#include "data/ClientDataSet.h"
#include "data/FbConnection.h"
#include "data/FbEnvironment.h"
#include "data/FbStatement.h"
#include "data/FbTransaction.h"
#include "data/Installation.h"
#include "data/Provider.h"
#include "data/QueryObject.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <firebird/Interface.h>
#include <functional>
#include <malloc.h>
#include <time.h>
#include <unistd.h>

using namespace Firebird;
using namespace bench;

namespace {

const QString kSearch = QStringLiteral(
    "select T.TERC_NIT, TERC_NOM, TERC_CONTACTO, TERC_TEL, TERC_CIU, TERC_CLIE, TERC_PROV, TERC_EMPL, "
    "TERC_ESTADO, HICL_ID from terceros T left OUTER JOIN REGISTRO R ON (R.terc_nit = T.terc_nit)order by terc_nom");

// The columns the insert round fills, in the order of the raw statement.
const char* const kInsertColumns[] = {"TERC_NIT", "TERC_TIPOID", "TERC_NOM", "TERC_TEL",
                                      "CIUD_COD", "TERC_CIU",    "TERC_ANIV", "TERC_ESTADO"};
constexpr unsigned kInsertCount = sizeof kInsertColumns / sizeof kInsertColumns[0];
constexpr unsigned kAnivColumn = 6;
// Characters of the text columns above (0 for the date).
constexpr unsigned kInsertChars[kInsertCount] = {20, 1, 60, 40, 5, 40, 0, 1};

constexpr int kPacket = 1000;
constexpr int kFetchRows = 100000;
constexpr int kInserts = 10000;
// Identifications of the inserted rows: 10 digits starting with 8; the
// generated third parties start with 7.
constexpr qint64 kInsertBase = 8000000000;
const QString kInsertedRange = QStringLiteral("TERC_NIT between '8000000000' and '8999999999'");

constexpr unsigned kUtf8 = 4;





// ------------------------------------------------------------ raw reading

struct RawColumn {
    unsigned type, offset, nullOffset, length;
};

// One row as a program holds it while it walks the cursor.
struct RawRow {
    std::vector<QString> text;
    std::vector<qint64> number;
    std::vector<QDate> date;
    std::vector<bool> null;
    // Bytes of the row's data as delivered: text without padding, 8 for
    // numbers and timestamps, 4 for dates.
    size_t bytes = 0;
};

std::vector<RawColumn> describe(IMessageMetadata* meta, ThrowStatusWrapper* st) {
    std::vector<RawColumn> cols(meta->getCount(st));
    for (unsigned i = 0; i < cols.size(); ++i)
        cols[i] = {meta->getType(st, i) & ~1u, meta->getOffset(st, i), meta->getNullOffset(st, i),
                   meta->getLength(st, i)};
    return cols;
}

void decode(const unsigned char* msg, const std::vector<RawColumn>& cols, RawRow& row) {
    row.bytes = 0;
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
            row.bytes += len;
            break;
        }
        case SQL_TEXT: { // padded with blanks to four bytes a character
            unsigned len = c.length;
            while (len > 0 && p[len - 1] == ' ')
                --len;
            row.text[i] = QString::fromUtf8(reinterpret_cast<const char*>(p), qsizetype(len));
            row.bytes += len;
            break;
        }
        case SQL_SHORT: row.number[i] = *reinterpret_cast<const short*>(p); row.bytes += 8; break;
        case SQL_LONG: row.number[i] = *reinterpret_cast<const ISC_LONG*>(p); row.bytes += 8; break;
        case SQL_INT64: row.number[i] = *reinterpret_cast<const ISC_INT64*>(p); row.bytes += 8; break;
        case SQL_TYPE_DATE:
            row.date[i] = QDate::fromJulianDay(*reinterpret_cast<const ISC_DATE*>(p) + kJulianOfMjdZero);
            row.bytes += 4;
            break;
        default: throw std::runtime_error("column type not handled by the bench");
        }
    }
}

// Opens the search on the raw API and reads up to `rows` rows through
// decode(), handing each row to `each`. Returns the time from the
// transaction's start to the last row read; closing is not timed.
template <typename Each>
Cost rawRead(IAttachment* att, int rows, Each each) {
    RawStatus st;
    const Stopwatch timer;
    ITransaction* tx = att->startTransaction(&st, sizeof kReadTpb, kReadTpb);
    const QByteArray sql = kSearch.toUtf8();
    IStatement* stmt = att->prepare(&st, tx, 0, sql.constData(), 3, IStatement::PREPARE_PREFETCH_METADATA);
    IMessageMetadata* meta = stmt->getOutputMetadata(&st);
    const std::vector<RawColumn> cols = describe(meta, &st);
    std::vector<unsigned char> buffer(meta->getMessageLength(&st));
    IResultSet* rs = stmt->openCursor(&st, tx, nullptr, nullptr, meta, 0);
    RawRow row;
    row.text.resize(cols.size());
    row.number.resize(cols.size());
    row.date.resize(cols.size());
    row.null.resize(cols.size());
    int n = 0;
    while (n < rows && rs->fetchNext(&st, buffer.data()) == IStatus::RESULT_OK) {
        decode(buffer.data(), cols, row);
        each(row);
        ++n;
    }
    const Cost cost = timer.elapsed();
    rs->close(&st);
    stmt->free(&st);
    meta->release();
    tx->commit(&st);
    if (n != rows)
        throw std::runtime_error(QStringLiteral("The search gave %1 rows, %2 wanted").arg(n).arg(rows).toStdString());
    return cost;
}

// ------------------------------------------------------------ dataset reading

struct Search {
    explicit Search(FbConnection& conn)
        : query(QStringLiteral("QTerceros"), conn), provider(QStringLiteral("PTerceros"), query),
          ds(QStringLiteral("CTerceros")) {
        ds.setProvider(&provider);
        ds.setCommandText(kSearch);
        ds.packetRecords = kPacket;
    }
    QueryObject query;
    Provider provider;
    ClientDataSet ds;
};

// Opens the search and fetches packets until `rows` rows are in; returns the
// time taken. The dataset stays open for the caller to look at.
Cost datasetRead(ClientDataSet& ds, int rows) {
    const Stopwatch timer;
    ds.open();
    while (ds.recordCount() < rows && !ds.allFetched())
        ds.fetchPacket();
    const Cost cost = timer.elapsed();
    if (ds.recordCount() < rows)
        throw std::runtime_error(
            QStringLiteral("The dataset got %1 rows, %2 wanted").arg(ds.recordCount()).arg(rows).toStdString());
    return cost;
}

// Bytes of a value as the database delivers it, by the same rule as RawRow.
size_t valueBytes(const Value& v) {
    switch (v.type()) {
    case ValueType::Null: return 0;
    case ValueType::Text: return size_t(v.toString().toUtf8().size());
    case ValueType::Date:
    case ValueType::Time: return 4;
    case ValueType::Blob: return size_t(v.toBytes().size());
    default: return 8;
    }
}

// ------------------------------------------------------------ inserts

struct NewThirdParty {
    QString values[kInsertCount];
    QDate aniv;
};

std::vector<NewThirdParty> newThirdParties(qint64 base, int count) {
    static const char* const names[] = {"ANA", "ANDRES", "CAMILO", "CAROLINA", "DANIEL", "DIANA", "FELIPE",
                                        "JUAN", "JULIANA", "LAURA", "LUIS", "MARIA", "PEDRO", "SOFIA"};
    static const char* const surnames[] = {"ACOSTA", "CASTRO",  "DIAZ",  "GARCIA", "GOMEZ",  "LOPEZ",
                                           "MUÑOZ",  "NIÑO",    "PEREZ", "RAMIREZ", "ROJAS", "TORRES"};
    static const char* const cities[][2] = {{"11001", "BOGOTA D.C."}, {"05001", "MEDELLIN"}, {"76001", "CALI"}};
    const int nn = int(std::size(names)), ns = int(std::size(surnames));
    std::vector<NewThirdParty> rows(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        NewThirdParty& r = rows[size_t(i)];
        const auto pick = [i](int k, int n) { return (i * 7919 + k * 104729) % n; };
        r.values[0] = QString::number(base + i);
        r.values[1] = QStringLiteral("C");
        r.values[2] = QString::fromUtf8(surnames[pick(1, ns)]) + QLatin1Char(' ') +
                      QString::fromUtf8(surnames[pick(2, ns)]) + QLatin1Char(' ') + QString::fromUtf8(names[pick(3, nn)]);
        r.values[3] = QStringLiteral("601%1").arg(1000000 + i % 9000000);
        r.values[4] = QString::fromLatin1(cities[i % 3][0]);
        r.values[5] = QString::fromLatin1(cities[i % 3][1]);
        r.aniv = QDate(1950, 1, 1).addDays(i % 20000);
        r.values[7] = i % 20 == 0 ? QStringLiteral("N") : QStringLiteral("S");
    }
    return rows;
}

Cost datasetInsert(FbConnection& conn, const std::vector<NewThirdParty>& rows) {
    QueryObject query(QStringLiteral("QTerceros"), conn);
    Provider provider(QStringLiteral("PTerceros"), query);
    ClientDataSet ds(QStringLiteral("CTerceros"));
    ds.setProvider(&provider);
    QStringList cols;
    for (const char* c : kInsertColumns)
        cols << QLatin1String(c);
    // a new-patient form: the dataset opens on a key that is not there
    ds.setCommandText(
        QStringLiteral("select %1 from TERCEROS where TERC_NIT = :NIT").arg(cols.join(QStringLiteral(", "))));
    ds.setParam(QStringLiteral("NIT"), Value(QStringLiteral("-")));
    ds.open();
    if (ds.recordCount() != 0)
        throw std::runtime_error("third party '-' exists");
    const Stopwatch timer;
    for (const NewThirdParty& r : rows) {
        ds.append();
        for (unsigned c = 0; c < kInsertCount; ++c)
            ds.setValue(cols[int(c)], c == kAnivColumn ? Value(r.aniv) : Value(r.values[c]));
        ds.post();
    }
    const int refused = ds.applyUpdates(0);
    const Cost cost = timer.elapsed();
    if (refused != 0 || ds.changeCount() != 0)
        throw std::runtime_error("The dataset's inserts were refused");
    return cost;
}

Cost rawInsert(IAttachment* att, const std::vector<NewThirdParty>& rows) {
    RawStatus st;
    const Stopwatch timer;
    ITransaction* tx = att->startTransaction(&st, sizeof kWriteTpb, kWriteTpb);
    QStringList cols, marks;
    for (const char* c : kInsertColumns) {
        cols << QLatin1String(c);
        marks << QStringLiteral("?");
    }
    const QByteArray sql = QStringLiteral("INSERT INTO TERCEROS (%1) VALUES (%2)")
                               .arg(cols.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))
                               .toUtf8();
    IStatement* stmt = att->prepare(&st, tx, 0, sql.constData(), 3, 0);
    IMetadataBuilder* builder = master()->getMetadataBuilder(&st, kInsertCount);
    for (unsigned i = 0; i < kInsertCount; ++i) {
        if (i == kAnivColumn) {
            builder->setType(&st, i, SQL_TYPE_DATE + 1);
            builder->setLength(&st, i, sizeof(ISC_DATE));
        } else {
            builder->setType(&st, i, SQL_VARYING + 1);
            builder->setCharSet(&st, i, kUtf8);
            builder->setLength(&st, i, kInsertChars[i] * 4);
        }
    }
    IMessageMetadata* meta = builder->getMetadata(&st);
    builder->release();
    std::vector<unsigned char> buffer(meta->getMessageLength(&st));
    unsigned offset[kInsertCount], nullOffset[kInsertCount];
    for (unsigned i = 0; i < kInsertCount; ++i) {
        offset[i] = meta->getOffset(&st, i);
        nullOffset[i] = meta->getNullOffset(&st, i);
    }
    for (const NewThirdParty& r : rows) {
        for (unsigned i = 0; i < kInsertCount; ++i) {
            unsigned char* p = buffer.data() + offset[i];
            const short notNull = 0;
            std::memcpy(buffer.data() + nullOffset[i], &notNull, sizeof notNull);
            if (i == kAnivColumn) {
                const auto d = ISC_DATE(r.aniv.toJulianDay() - kJulianOfMjdZero);
                std::memcpy(p, &d, sizeof d);
                continue;
            }
            const QByteArray text = r.values[i].toUtf8();
            if (unsigned(text.size()) > kInsertChars[i] * 4)
                throw std::runtime_error("text longer than its column");
            const auto len = static_cast<unsigned short>(text.size());
            std::memcpy(p, &len, sizeof len);
            std::memcpy(p + 2, text.constData(), len);
        }
        stmt->execute(&st, tx, meta, buffer.data(), nullptr, nullptr);
    }
    stmt->free(&st);
    meta->release();
    tx->commit(&st);
    return timer.elapsed();
}

// Removes the inserted rows and reads over them once, so their versions are
// collected before the next round.
void removeInserted(FbConnection& conn) {
    {
        FbTransaction tx(conn);
        FbStatement(tx, QStringLiteral("delete from TERCEROS where ") + kInsertedRange).execute();
        tx.commit();
    }
    FbTransaction tx(conn, FbTransaction::Mode::ReadOnly);
    FbStatement count(tx, QStringLiteral("select count(*) from TERCEROS where ") + kInsertedRange);
    if (count.execute().at(0).toInt() != 0)
        throw std::runtime_error("inserted rows left behind");
    tx.commit();
}

// ------------------------------------------------------------ measuring

qint64 median(std::vector<qint64> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

struct Pair {
    Cost ours, raw;
};

// One warm-up round, then `runs` rounds; the two sides swap order every round.
// `between` runs after each side, outside the timing. Medians of each figure.
Pair measure(int runs, const std::function<Cost(int round)>& ours, const std::function<Cost(int round)>& raw,
             const std::function<void()>& between = {}) {
    std::vector<qint64> wall[2], cpu[2];
    for (int round = 0; round <= runs; ++round) {
        for (int side = 0; side < 2; ++side) {
            const bool oursNow = (side == 0) == (round % 2 == 0);
            const Cost c = oursNow ? ours(round) : raw(round);
            if (between)
                between();
            if (round > 0) {
                wall[oursNow ? 0 : 1].push_back(c.wall);
                cpu[oursNow ? 0 : 1].push_back(c.cpu);
            }
        }
    }
    return {{median(wall[0]), median(cpu[0])}, {median(wall[1]), median(cpu[1])}};
}

long residentBytes() {
    long size = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &size, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

struct Line {
    QString operation, ours, raw;
    double ratio, cpuRatio, target; // cpuRatio < 0: not a time
};

Line timeLine(const QString& operation, const Pair& p, double target) {
    const auto ms = [](qint64 ns) { return QStringLiteral("%1 ms").arg(double(ns) / 1e6, 0, 'f', 1); };
    return {operation, ms(p.ours.wall), ms(p.raw.wall), double(p.ours.wall) / double(p.raw.wall),
            double(p.ours.cpu) / double(p.raw.cpu), target};
}

void printTable(const std::vector<Line>& lines) {
    std::printf("\n%-36s | %13s | %13s | %5s | %9s | %s\n", "operation", "dataset layer", "raw client", "ratio",
                "cpu ratio", "target");
    std::printf("%s\n", std::string(36 + 3 + 13 + 3 + 13 + 3 + 5 + 3 + 9 + 3 + 14, '-').c_str());
    for (const Line& l : lines) {
        const QString cpu = l.cpuRatio < 0 ? QStringLiteral("-") : QString::number(l.cpuRatio, 'f', 3);
        std::printf("%-36s | %13s | %13s | %5.3f | %9s | <= %.1f %s\n", qPrintable(l.operation), qPrintable(l.ours),
                    qPrintable(l.raw), l.ratio, qPrintable(cpu), l.target, l.ratio <= l.target ? "met" : "MISSED");
    }
    std::fflush(stdout);
}

QString loadAverage() {
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 2)
                                       : QStringLiteral("?");
}

QString plan(IAttachment* att) {
    RawStatus st;
    ITransaction* tx = att->startTransaction(&st, sizeof kReadTpb, kReadTpb);
    const QByteArray sql = kSearch.toUtf8();
    IStatement* stmt = att->prepare(&st, tx, 0, sql.constData(), 3, 0);
    const QString text = QString::fromUtf8(stmt->getPlan(&st, false)).trimmed();
    stmt->free(&st);
    tx->commit(&st);
    return text;
}

[[noreturn]] void fault(const QString& text) { throw std::logic_error(("FAULT: " + text).toStdString()); }

// The first packet must hold the same values on both sides.
void compareFirstPacket(FbConnection& conn) {
    Search s(conn);
    datasetRead(s.ds, kPacket);
    int row = 0;
    rawRead(conn.attachment(), kPacket, [&](const RawRow& raw) {
        for (int c = 0; c < s.ds.fieldCount(); ++c) {
            const Value v = s.ds.valueAt(row, c);
            const QString expected = raw.null[size_t(c)] ? QString() : raw.text[size_t(c)];
            if (v.isNull() != raw.null[size_t(c)] || v.toString() != expected)
                fault(QStringLiteral("row %1, %2: dataset '%3', raw client '%4'")
                          .arg(row)
                          .arg(s.ds.field(c).name, v.toString(), expected));
        }
        ++row;
    });
}

int run(const QString& path, int runs) {
    FbConnection conn;
    conn.setParam(QStringLiteral("Database"), path);
    conn.setParam(QStringLiteral("User_Name"), Installation::adminUser());
    conn.setParam(QStringLiteral("password"), Installation::adminPassword());
    conn.open();
    IAttachment* att = conn.attachment();

    qint64 thirdParties = 0;
    {
        FbTransaction tx(conn, FbTransaction::Mode::ReadOnly);
        thirdParties = FbStatement(tx, QStringLiteral("select count(*) from TERCEROS")).execute().at(0).toInt();
    }
    if (thirdParties < kFetchRows)
        throw std::runtime_error(QStringLiteral("%1 holds %2 third parties; the bench needs at least %3")
                                     .arg(path)
                                     .arg(thirdParties)
                                     .arg(kFetchRows)
                                     .toStdString());
    removeInserted(conn); // left by an interrupted run
    std::printf("database: %s (%lld third parties)\nrounds: 1 warm-up + %d measured, medians shown\n"
                "search plan: %s\nload average: %s\n",
                qPrintable(path), thirdParties, runs, qPrintable(plan(att)), qPrintable(loadAverage()));
    std::fflush(stdout);

    compareFirstPacket(conn);
    std::vector<Line> lines;
    QElapsedTimer total;
    total.start();

    // a) first packet
    const Pair first = measure(
        runs,
        [&](int) {
            Search s(conn);
            return datasetRead(s.ds, kPacket);
        },
        [&](int) { return rawRead(att, kPacket, [](const RawRow&) {}); });
    lines.push_back(timeLine(QStringLiteral("first packet (%1 rows)").arg(kPacket), first, 1.2));
    printTable({lines.back()});

    // b) 100000 rows
    size_t rawBytes = 0;
    const Pair fetch = measure(
        runs,
        [&](int) {
            Search s(conn);
            return datasetRead(s.ds, kFetchRows);
        },
        [&](int) {
            size_t bytes = 0;
            const Cost cost = rawRead(att, kFetchRows, [&](const RawRow& r) { bytes += r.bytes; });
            rawBytes = bytes;
            return cost;
        });
    lines.push_back(timeLine(QStringLiteral("fetch %1 rows, packets of %2").arg(kFetchRows).arg(kPacket), fetch, 1.2));
    printTable({lines.back()});

    // c) 10000 inserts
    std::vector<std::vector<NewThirdParty>> batches;
    for (int i = 0; i < 2 * (runs + 1); ++i)
        batches.push_back(newThirdParties(kInsertBase + qint64(i) * kInserts, kInserts));
    const Pair insert = measure(
        runs, [&](int round) { return datasetInsert(conn, batches[size_t(2 * round)]); },
        [&](int round) { return rawInsert(att, batches[size_t(2 * round + 1)]); }, [&] { removeInserted(conn); });
    lines.push_back(timeLine(QStringLiteral("insert %1 third parties").arg(kInserts), insert, 1.5));
    printTable({lines.back()});

    // d) memory of the fetched rows
    malloc_trim(0);
    const long before = residentBytes();
    {
        Search s(conn);
        datasetRead(s.ds, kFetchRows);
        const long after = residentBytes();
        const int rows = s.ds.recordCount();
        size_t ownBytes = 0;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < s.ds.fieldCount(); ++c)
                ownBytes += valueBytes(s.ds.valueAt(r, c));
        if (rows != kFetchRows || ownBytes != rawBytes)
            fault(QStringLiteral("the dataset's %1 rows hold %2 bytes of data, the raw client's %3 rows %4")
                      .arg(rows)
                      .arg(ownBytes)
                      .arg(kFetchRows)
                      .arg(rawBytes));
        const double data = double(rawBytes) / kFetchRows;
        const double heap = double(s.ds.rowBytes()) / rows;
        const double resident = double(after - before) / rows;
        const auto bytes = [](double b) { return QStringLiteral("%1 B").arg(b, 0, 'f', 1); };
        lines.push_back({QStringLiteral("row memory: dataset heap / data"), bytes(heap), bytes(data), heap / data,
                         -1, 2.0});
        lines.push_back({QStringLiteral("row memory: RSS growth / data"), bytes(resident), bytes(data),
                         resident / data, -1, 2.0});
        printTable({lines[lines.size() - 2], lines.back()});
    }

    std::printf("\nSummary: medians of %d rounds; memory in bytes per row, the raw column being the row's data\n",
                runs);
    printTable(lines);
    std::printf("measuring took %.0f s; load average %s\n", double(total.elapsed()) / 1000.0,
                qPrintable(loadAverage()));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    FbEnvironment::prepareConfiguration();
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: bench_dataset PATH [RUNS]\n");
        return 2;
    }
    bool ok = true;
    const int runs = args.size() > 2 ? args[2].toInt(&ok) : 7;
    if (!ok || runs < 1) {
        std::fprintf(stderr, "RUNS must be a positive number\n");
        return 2;
    }
    if (!QFileInfo::exists(args[1])) {
        std::fprintf(stderr, "bench_dataset: %s does not exist; make it with bench_make_db\n", qPrintable(args[1]));
        return 2;
    }
    try {
        return run(QFileInfo(args[1]).absoluteFilePath(), runs);
    } catch (const FbException& e) {
        char text[1024];
        FbEnvironment::instance().util()->formatStatus(text, sizeof text, e.getStatus());
        std::fprintf(stderr, "bench_dataset: %s\n", text);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_dataset: %s\n", e.what());
    }
    return 1;
}
