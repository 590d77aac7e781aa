// Export speed of the list grid: 100 000 rows of third-party-like data
// selected whole and written as CSV and as a workbook (targets: under 1 s
// and under 3 s). The other formats are timed for reference.
//   bench_grid_export [rows] [folder]
#include "data/ClientDataSet.h"
#include "ui/CsvGridWriter.h"
#include "ui/DataGrid.h"
#include "ui/GridTable.h"
#include "ui/HtmlGridWriter.h"
#include "ui/RtfGridWriter.h"
#include "ui/TextGridWriter.h"
#include "ui/XlsxGridWriter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? atoi(argv[1]) : 100000;
    QTemporaryDir tmp;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : tmp.path();

    ClientDataSet ds(QStringLiteral("CTerceros"));
    ds.defineField(QStringLiteral("TERC_NIT"), FieldType::Text, 22);
    ds.defineField(QStringLiteral("TERC_NOM"), FieldType::Text, 60);
    ds.defineField(QStringLiteral("TERC_CONTACTO"), FieldType::Text, 60);
    ds.defineField(QStringLiteral("TERC_CIU"), FieldType::Text, 40);
    ds.defineField(QStringLiteral("TERC_TEL"), FieldType::Text, 40);
    ds.defineField(QStringLiteral("TERC_ESTADO"), FieldType::Text, 1);
    ds.defineField(QStringLiteral("HICL_ID"), FieldType::Integer);
    ds.createDataSet();
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < rows; ++i) {
        ds.append();
        ds.setValue(QStringLiteral("TERC_NIT"), QString::number(10000000 + i * 7));
        ds.setValue(QStringLiteral("TERC_NOM"), QStringLiteral("PACIENTE %1 PÉREZ, \"ÑUÑO\"").arg(i));
        ds.setValue(QStringLiteral("TERC_CONTACTO"), QStringLiteral("Contacto número %1").arg(i % 997));
        ds.setValue(QStringLiteral("TERC_CIU"), QStringLiteral("BOGOTÁ D.C."));
        ds.setValue(QStringLiteral("TERC_TEL"),
                    QStringLiteral("601 555 %1").arg(i % 10000, 4, 10, QLatin1Char('0')));
        ds.setValue(QStringLiteral("TERC_ESTADO"), i % 13 ? QStringLiteral("S") : QStringLiteral("N"));
        ds.setValue(QStringLiteral("HICL_ID"), i);
        ds.post();
    }
    printf("dataset: %d rows built in %.2f s\n", rows, t.elapsed() / 1000.0);

    DataGrid grid;
    grid.setDataSet(&ds);
    grid.resize(900, 600);
    t.restart();
    grid.selectEverything();
    const GridTable table = grid.selectionTable(true);
    printf("select all: %d rows x %d columns in %.3f s\n", table.rowCount(), table.columnCount(),
           t.elapsed() / 1000.0);

    struct Case {
        GridWriter* writer;
        double target; // seconds; 0 for no target
    };
    TextGridWriter text;
    CsvGridWriter csv;
    HtmlGridWriter html;
    RtfGridWriter rtf;
    XlsxGridWriter xlsx;
    int failures = 0;
    for (const Case& c : {Case{&csv, 1.0}, Case{&xlsx, 3.0}, Case{&text, 0}, Case{&html, 0}, Case{&rtf, 0}}) {
        const QString name = folder + QStringLiteral("/bench.") + c.writer->extension();
        t.restart();
        const bool ok = c.writer->write(table, name);
        const double s = t.nsecsElapsed() / 1e9;
        const bool slow = c.target > 0 && s >= c.target;
        failures += !ok || slow;
        printf(
            "%-5s %d rows: %.3f s, %.1f MB%s%s\n", qPrintable(c.writer->extension()), table.rowCount(), s,
            QFileInfo(name).size() / 1e6,
            c.target > 0
                ? qPrintable(QStringLiteral(" (target < %1 s%2)").arg(c.target).arg(slow ? ", MISSED" : ""))
                : "",
            ok ? "" : qPrintable(QStringLiteral(" FAILED: ") + c.writer->errorString()));
    }
    return failures ? 1 : 0;
}
