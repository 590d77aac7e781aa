// The list grid and its services: exports read back by independent readers,
// the clipboard, the context menu acting on the focused grid only, the
// incremental search and its delay, sorting and filtering the loaded rows,
// check-box and pick-list columns, the cell colours, the printout and packet
// fetching over a real database.
#include "common/ScriptedDialogs.h"
#include "data/ClientDataSet.h"
#include "data/FbConnection.h"
#include "data/FbStatement.h"
#include "data/FbTransaction.h"
#include "data/Provider.h"
#include "data/QueryObject.h"
#include "data/dm.h"
#include "tests/support/TestDatabases.h"
#include "ui/DataGrid.h"
#include "ui/GridExport.h"
#include "ui/GridFilterSwitch.h"
#include "ui/GridModel.h"
#include "ui/GridPrintDocument.h"
#include "ui/GridServices.h"
#include "ui/GridWriter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHelpEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {
using Rows = std::vector<QStringList>;

// ---------------------------------------------------------------- fixtures

// A dataset held in memory: CODIGO (integer), NOMBRE, NOTA, ESTADO ('S'/'N')
// and TIPO (a pick-list code).
struct Row {
    Row(int c, QString n = {}, QString o = {}, QString e = {}, QString t = {})
        : codigo(c), nombre(std::move(n)), nota(std::move(o)), estado(std::move(e)), tipo(std::move(t)) {}
    int codigo;
    QString nombre, nota, estado, tipo;
};

std::unique_ptr<ClientDataSet> memoryDataSet(const std::vector<Row>& rows) {
    auto ds = std::make_unique<ClientDataSet>(QStringLiteral("CLista"));
    ds->defineField(QStringLiteral("CODIGO"), FieldType::Integer);
    ds->defineField(QStringLiteral("NOMBRE"), FieldType::Text, 200);
    ds->defineField(QStringLiteral("NOTA"), FieldType::Text, 200);
    ds->defineField(QStringLiteral("ESTADO"), FieldType::Text, 1);
    ds->defineField(QStringLiteral("TIPO"), FieldType::Text, 1);
    ds->createDataSet();
    for (const Row& r : rows) {
        ds->append();
        ds->setValue(QStringLiteral("CODIGO"), Value(r.codigo));
        ds->setValue(QStringLiteral("NOMBRE"), r.nombre.isNull() ? Value() : Value(r.nombre));
        ds->setValue(QStringLiteral("NOTA"), r.nota.isNull() ? Value() : Value(r.nota));
        ds->setValue(QStringLiteral("ESTADO"), Value(r.estado.isNull() ? QStringLiteral("S") : r.estado));
        ds->setValue(QStringLiteral("TIPO"), Value(r.tipo.isNull() ? QStringLiteral("T") : r.tipo));
        ds->post();
    }
    ds->first();
    return ds;
}

std::vector<GridColumn> listColumns() {
    return {GridColumn::text(QStringLiteral("CODIGO"), QStringLiteral("Código"), 50),
            GridColumn::text(QStringLiteral("NOMBRE"), QStringLiteral("Nombre"), 160, 100),
            GridColumn::text(QStringLiteral("NOTA"), QStringLiteral("Nota"), 120),
            GridColumn::check(QStringLiteral("ESTADO"), QStringLiteral("Activo"), 40),
            GridColumn::pick(QStringLiteral("TIPO"), QStringLiteral("Tipo"),
                             {{QStringLiteral("T"), QStringLiteral("Texto")},
                              {QStringLiteral("L"), QStringLiteral("Linea")},
                              {QStringLiteral("C"), QStringLiteral("Cuadro")}},
                             70)};
}

// A list window: the grid and one more control to take the focus away.
struct Screen {
    explicit Screen(ClientDataSet* ds, const GridSettings& settings = GridSettings::terceros())
        : services(new GridServices(&window, settings)) {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(edit = new QLineEdit);
        layout->addWidget(grid = new DataGrid);
        grid->setDataSet(ds);
        grid->setColumns(listColumns());
        services->attach(grid);
        window.resize(700, 420);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        QApplication::processEvents();
    }
    void mark(int top, int left, int bottom, int right) {
        grid->selectionModel()->select(
            QItemSelection(grid->model()->index(top, left), grid->model()->index(bottom, right)),
            QItemSelectionModel::Select);
    }
    QWidget window;
    QLineEdit* edit;
    DataGrid* grid;
    GridServices* services;
};

QByteArray readFile(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// ---------------------------------------------------------------- independent readers

const char* kTxtReader = R"(
import sys, json
text = open(sys.argv[1], encoding='utf-8-sig', newline='').read()
lines = text.split('\r\n')
assert lines[-1] == '', 'last line not ended'
print(json.dumps([l.split('\t') for l in lines[:-1]]))
)";

const char* kCsvReader = R"(
import sys, json, csv
with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:
    print(json.dumps(list(csv.reader(f, strict=True))))
)";

const char* kHtmlReader = R"(
import sys, json
from html.parser import HTMLParser
class Tables(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.rows, self.row, self.cell = [], None, None
    def handle_starttag(self, tag, attrs):
        if tag == 'tr': self.row = []
        elif tag in ('td', 'th'): self.cell = []
        elif tag == 'br' and self.cell is not None: self.cell.append('\n')
    def handle_endtag(self, tag):
        if tag in ('td', 'th'): self.row.append(''.join(self.cell)); self.cell = None
        elif tag == 'tr': self.rows.append(self.row); self.row = None
    def handle_data(self, data):
        if self.cell is not None: self.cell.append(data)
p = Tables()
p.feed(open(sys.argv[1], encoding='utf-8').read())
print(json.dumps(p.rows))
)";

// A reader of the RTF table subset: groups, control words with their
// delimiter, \uN with its one fallback character, escaped symbols, \cell and
// \row; the font table is skipped. The file must be pure ASCII and balanced.
const char* kRtfReader = R"(
import sys, json
data = open(sys.argv[1], 'rb').read().decode('ascii')
assert data.startswith('{\\rtf1'), 'not rtf'
rows, row, cell = [], [], []
depth, skip, i, n = 0, None, 0, len(data)
while i < n:
    ch = data[i]
    if ch == '{':
        depth += 1; i += 1; continue
    if ch == '}':
        if skip is not None and depth == skip: skip = None
        depth -= 1; i += 1; continue
    if ch == '\\':
        nx = data[i + 1]
        if nx in '\\{}':
            if skip is None: cell.append(nx)
            i += 2; continue
        j = i + 1
        while j < n and data[j].isalpha(): j += 1
        word, k = data[i + 1:j], j
        if k < n and (data[k] == '-' or data[k].isdigit()):
            k += 1
            while k < n and data[k].isdigit(): k += 1
        param = data[j:k]
        if k < n and data[k] == ' ': k += 1
        i = k
        if skip is not None: continue
        if word == 'fonttbl': skip = depth
        elif word == 'u':
            v = int(param)
            cell.append(chr(v + 65536 if v < 0 else v))
            i += 1
        elif word == 'line': cell.append('\n')
        elif word == 'tab': cell.append('\t')
        elif word == 'cell': row.append(''.join(cell)); cell = []
        elif word == 'row': rows.append(row); row = []
        continue
    if ch not in '\r\n' and skip is None: cell.append(ch)
    i += 1
assert depth == 0, 'unbalanced braces'
fix = lambda s: s.encode('utf-16', 'surrogatepass').decode('utf-16')
print(json.dumps([[fix(c) for c in r] for r in rows]))
)";

const char* kXlsxReader = R"(
import sys, json, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
print(json.dumps([['' if v is None else v for v in r] for r in ws.iter_rows(values_only=True)]))
)";

QJsonArray runReader(const char* script, const QString& file) {
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(script), file});
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(p.readAllStandardOutput()).array();
}

// Rows as text; numbers (from the workbook) as their shortest text.
Rows asRows(const QJsonArray& a) {
    Rows rows;
    for (const QJsonValue& r : a) {
        QStringList row;
        for (const QJsonValue& c : r.toArray())
            row << (c.isDouble() ? QString::number(c.toDouble()) : c.toString());
        rows.push_back(row);
    }
    return rows;
}

std::string show(const Rows& rows) {
    std::string s;
    for (const QStringList& r : rows)
        s += "[" + r.join(QStringLiteral("|")).toStdString() + "]\n";
    return s;
}

// Cell texts meant to break naive writers.
const std::vector<Row> kHostile = {
    {1, QStringLiteral("Pérez, \"Ñoño\""), QStringLiteral("línea 1\nlínea 2"), QStringLiteral("S"),
     QStringLiteral("T")},
    {2, QStringLiteral("<b>&amp;</b> & <i>"), QStringLiteral("{\\rtf1 \\par} back\\slash"),
     QStringLiteral("N"), QStringLiteral("L")},
    {3, QStringLiteral("emoji 😀 y ü €"), QStringLiteral("tab\there"), QStringLiteral("S"),
     QStringLiteral("C")},
    {4, QStringLiteral("  espacios  "), QString(), QStringLiteral("N"), QStringLiteral("T")},
    {5, QStringLiteral("coma,final,"), QStringLiteral("\"solo comillas\""), QStringLiteral("S"),
     QStringLiteral("T")},
};
} // namespace

// ---------------------------------------------------------------- file names and settings

TEST(GridExport, ExtensionRuleAndFileTypes) {
    struct Case {
        const char *name, *ext, *expected;
    } cases[] = {
        {"Informe", "csv", "Informe.csv"},
        {"Informe.CSV", "csv", "Informe.CSV"},
        {"informe.Csv", "csv", "informe.Csv"},
        {"Informe.txt", "htm", "Informe.txt.htm"},
        {"/tmp/datos.v2/Informe", "rtf", "/tmp/datos.v2/Informe.rtf"},
        {"Libro", "xlsx", "Libro.xlsx"},
        {"Libro.XLSX", "xlsx", "Libro.XLSX"},
        {"Libro.xls", "xlsx", "Libro.xls.xlsx"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GridExport::withExtension(QString::fromUtf8(c.name), QString::fromUtf8(c.ext)),
                  QString::fromUtf8(c.expected))
            << c.name << " + " << c.ext;

    EXPECT_EQ(GridExport::qtFilter(GridSettings::spanishFileTypes()),
              QStringLiteral("Archivo texto (*.txt *.TXT);;Valores separados por comas (*.csv *.CSV);;"
                             "Archivo HTML (*.htm *.HTM);;Texto con formato (*.rtf *.RTF);;"
                             "Libro de Microsoft Excel (*.xlsx *.XLSX)"));
    EXPECT_EQ(GridExport::qtFilter(GridSettings::englishFileTypes()).split(QStringLiteral(";;")).value(4),
              QStringLiteral("Microsoft Excel Workbook (*.xlsx *.XLSX)"));
    for (int type = 0; type < 5; ++type) // the writer of each type of the list, in the list's order
        EXPECT_EQ(GridExport::writerFor(type)->extension(),
                  QStringList({"txt", "csv", "htm", "rtf", "xlsx"}).at(type));
    EXPECT_EQ(GridExport::writerFor(5), nullptr);
    EXPECT_EQ(GridExport::writerFor(-1), nullptr);

    // The countries screen prints the cities' title; the sample search allows no copying.
    EXPECT_EQ(GridSettings::paises().printTitle, QStringLiteral("Ciudades"));
    EXPECT_EQ(GridSettings::paises().exportFileName, QStringLiteral("Paises"));
    EXPECT_FALSE(GridSettings::muestras().copyAndSelectAll);
    EXPECT_EQ(GridSettings::modFormato().fileTypes, GridSettings::FileTypes::English);
    EXPECT_EQ(GridSettings::modFormato().filterSwitch, QStringLiteral("Filtrar"));
    EXPECT_TRUE(GridSettings::ciudades().filterSwitch.isEmpty());
    EXPECT_FALSE(GridSettings::tipoExamen().selectedCellColouring);
}

TEST(GridServices, ContextMenuItemsInOrder) {
    auto ds = memoryDataSet(kHostile);
    Screen s(ds.get());
    QStringList texts;
    for (QAction* a : s.services->menu()->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(texts, QStringList({"&Copiar", "Se&lecccionar todo", "-", "&Imprimir", "&Guardar selección"}));
    EXPECT_EQ(s.grid->contextMenuPolicy(), Qt::CustomContextMenu);
}

// ---------------------------------------------------------------- exports

TEST(GridServices, EveryFileTypeReadsBackWithHostileText) {
    auto ds = memoryDataSet(kHostile);
    Screen s(ds.get());
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    ASSERT_TRUE(s.services->selectAllAction()->isEnabled());
    s.services->selectAll();

    // What the grid shows: the check box's stored value, the pick list's item text.
    Rows shown = {{"Código", "Nombre", "Nota", "Activo", "Tipo"}};
    for (const Row& r : kHostile)
        shown.push_back({QString::number(r.codigo), r.nombre, r.nota.isNull() ? QString() : r.nota, r.estado,
                         r.tipo == "T"   ? "Texto"
                         : r.tipo == "L" ? "Linea"
                                         : "Cuadro"});
    Rows flattened = shown; // tab-separated text has no room for tabs and line breaks
    for (QStringList& row : flattened)
        for (QString& c : row)
            c.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));

    struct Case {
        int type;
        const char* reader;
        const char* typed; // the name typed in the dialog
        const char* written;
        const Rows& expected;
    } cases[] = {
        {0, kTxtReader, "lista", "lista.txt", flattened},
        {1, kCsvReader, "lista", "lista.csv", shown},
        {2, kHtmlReader, "lista.HTM", "lista.HTM", shown},
        {3, kRtfReader, "lista.txt", "lista.txt.rtf", shown},
        {4, kXlsxReader, "lista", "lista.xlsx", shown},
    };
    for (const Case& c : cases) {
        dialogs.fileNames.push_back(dir.filePath(QString::fromUtf8(c.typed)));
        dialogs.fileTypes.push_back(c.type);
        s.services->saveSelection();
        const QString file = dir.filePath(QString::fromUtf8(c.written));
        ASSERT_TRUE(QFile::exists(file)) << c.written;
        const Rows back = asRows(runReader(c.reader, file));
        EXPECT_EQ(back, c.expected) << c.written << "\n" << show(back);
    }
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(dialogs.suggestedNames.size(), 5);
    EXPECT_EQ(dialogs.suggestedNames.front(), QStringLiteral("Terceros"));
    EXPECT_EQ(dialogs.fileFilters.front(), GridExport::qtFilter(GridSettings::spanishFileTypes()));

    // The workbook keeps numbers as numbers.
    const QJsonArray book = runReader(kXlsxReader, dir.filePath(QStringLiteral("lista.xlsx")));
    EXPECT_TRUE(book.at(1).toArray().at(0).isDouble());
    EXPECT_TRUE(book.at(0).toArray().at(0).isString());
}

TEST(GridServices, ExportWritesOnlyTheSelection) {
    std::vector<Row> rows;
    for (int i = 1; i <= 6; ++i)
        rows.push_back({i, QStringLiteral("NOMBRE %1").arg(i), QStringLiteral("nota %1").arg(i)});
    auto ds = memoryDataSet(rows);
    Screen s(ds.get());
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("sel.csv"));
    auto exportCsv = [&] {
        dialogs.fileNames.push_back(csv);
        dialogs.fileTypes.push_back(1);
        s.services->saveSelection();
        return asRows(runReader(kCsvReader, csv));
    };
    s.grid->setColumnVisible(2, false); // hidden columns are never written

    // A block of cells.
    s.mark(1, 0, 2, 1);
    EXPECT_EQ(exportCsv(), Rows({{"Código", "Nombre"}, {"2", "NOMBRE 2"}, {"3", "NOMBRE 3"}}));

    // Marked rows, through the row indicators.
    s.grid->selectionModel()->clearSelection();
    auto indicator = [&](int row) {
        QHeaderView* v = s.grid->verticalHeader();
        return QPoint(4, v->sectionViewportPosition(row) + v->sectionSize(row) / 2);
    };
    QTest::mouseClick(s.grid->verticalHeader()->viewport(), Qt::LeftButton, {}, indicator(4));
    QTest::mouseClick(s.grid->verticalHeader()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      indicator(0));
    EXPECT_EQ(exportCsv(), Rows({{"Código", "Nombre", "Activo", "Tipo"},
                                 {"1", "NOMBRE 1", "S", "Texto"},
                                 {"5", "NOMBRE 5", "S", "Texto"}}));

    // Clicking and moving around only moves the current cell: nothing is
    // selected, and every type then gives an empty file, replacing the old one.
    const QRect cell = s.grid->visualRect(s.grid->model()->index(3, 1));
    QTest::mouseClick(s.grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::keyClick(s.grid, Qt::Key_Down);
    EXPECT_EQ(s.grid->currentIndex().row(), 4);
    EXPECT_FALSE(s.grid->hasCellSelection());
    for (int type = 0; type < 4; ++type) {
        const QString name = dir.filePath(QStringLiteral("vacio%1").arg(type));
        const QString written = GridExport::withExtension(name, GridExport::writerFor(type)->extension());
        QFile old(written);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("contenido anterior");
        old.close();
        dialogs.fileNames.push_back(name);
        dialogs.fileTypes.push_back(type);
        s.services->saveSelection();
        EXPECT_EQ(QFileInfo(written).size(), 0) << written.toStdString();
    }
    // The workbook with nothing selected is a workbook with an empty sheet.
    dialogs.fileNames.push_back(dir.filePath(QStringLiteral("vacio")));
    dialogs.fileTypes.push_back(4);
    s.services->saveSelection();
    EXPECT_EQ(asRows(runReader(kXlsxReader, dir.filePath(QStringLiteral("vacio.xlsx")))), Rows());

    // Shift+click marks the block from the current cell.
    QTest::mouseClick(s.grid->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      s.grid->visualRect(s.grid->model()->index(5, 0)).center());
    EXPECT_EQ(exportCsv(), Rows({{"Código", "Nombre"}, {"5", "NOMBRE 5"}, {"6", "NOMBRE 6"}}));
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST(GridServices, SaveDoesNothingOutsideAGridAndReportsFilesThatCannotBeCreated) {
    auto ds = memoryDataSet(kHostile);
    Screen s(ds.get());
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    s.services->selectAll();

    // Focus in another control: no dialog, no file.
    s.edit->setFocus();
    dialogs.fileNames.push_back(dir.filePath(QStringLiteral("nada")));
    s.services->saveSelection();
    EXPECT_EQ(dialogs.fileNames.size(), 1u);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("nada.txt"))));
    dialogs.fileNames.clear();

    // Cancelled dialog, or a type beyond the list: nothing written.
    s.grid->setFocus();
    s.services->saveSelection();
    dialogs.fileNames.push_back(dir.filePath(QStringLiteral("raro")));
    dialogs.fileTypes.push_back(5);
    s.services->saveSelection();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());

    // A folder that does not exist: the program's error handling shows the
    // file system's error.
    Tfdm module;
    module.diraplicacion = [&] { return dir.path(); };
    for (int type : {1, 4}) {
        dialogs.fileNames.push_back(dir.filePath(QStringLiteral("no/existe/lista")));
        dialogs.fileTypes.push_back(type);
        s.services->saveSelection();
    }
    ASSERT_EQ(dialogs.errors.size(), 2);
    for (const QString& e : dialogs.errors) {
        EXPECT_TRUE(e.startsWith(QStringLiteral("Se presento el siguiente error: "))) << e.toStdString();
        EXPECT_TRUE(e.contains(QStringLiteral("No such file or directory"))) << e.toStdString();
        EXPECT_TRUE(e.contains(QStringLiteral("no/existe/lista."))) << e.toStdString();
    }
    EXPECT_TRUE(readFile(dir.filePath(QStringLiteral("ERRORES.TXT"))).contains("No such file or directory"));
}

// ---------------------------------------------------------------- clipboard

TEST(GridServices, CopyPutsTheSelectionInEveryFormatOrLeavesTheClipboardAlone) {
    auto ds = memoryDataSet(kHostile);
    Screen s(ds.get());
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText(QStringLiteral("antes"));

    s.services->copy(); // nothing selected
    EXPECT_EQ(clipboard->text(), QStringLiteral("antes"));

    s.mark(0, 1, 1, 2);
    s.edit->setFocus(); // the focus elsewhere: nothing copied
    s.services->copy();
    EXPECT_EQ(clipboard->text(), QStringLiteral("antes"));

    s.grid->setFocus();
    s.services->copy();
    const QMimeData* mime = clipboard->mimeData();
    ASSERT_TRUE(mime);
    EXPECT_EQ(mime->text(), QStringLiteral("Pérez, \"Ñoño\"\tlínea 1 línea 2\r\n"
                                           "<b>&amp;</b> & <i>\t{\\rtf1 \\par} back\\slash\r\n"));
    EXPECT_EQ(QString::fromUtf8(mime->data(QStringLiteral("text/csv"))),
              QStringLiteral("\"Pérez, \"\"Ñoño\"\"\",\"línea 1\nlínea 2\"\r\n"
                             "<b>&amp;</b> & <i>,{\\rtf1 \\par} back\\slash\r\n"));
    EXPECT_TRUE(
        mime->html().contains(QStringLiteral("<td>&lt;b&gt;&amp;amp;&lt;/b&gt; &amp; &lt;i&gt;</td>")));
    EXPECT_TRUE(
        mime->data(QStringLiteral("text/rtf")).contains("\\{\\\\rtf1 \\\\par\\} back\\\\slash\\cell"));

    // Ctrl+C in the grid does the same; Ctrl+A selects everything.
    clipboard->setText(QStringLiteral("antes"));
    QTest::keyClick(s.grid, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(s.grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text().count(QStringLiteral("\r\n")), int(kHostile.size()));
}

TEST(GridServices, SampleSearchAllowsNeitherCopyNorSelectAllButPrintsAndSaves) {
    auto ds = memoryDataSet(kHostile);
    Screen s(ds.get(), GridSettings::muestras());
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText(QStringLiteral("antes"));

    s.services->selectAll();
    EXPECT_FALSE(s.grid->hasCellSelection());
    QTest::keyClick(s.grid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_FALSE(s.grid->hasCellSelection());
    s.mark(0, 0, 1, 1);
    s.services->copy();
    QTest::keyClick(s.grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("antes"));

    dialogs.fileNames.push_back(dir.filePath(QStringLiteral("m")));
    dialogs.fileTypes.push_back(1);
    s.services->saveSelection();
    EXPECT_EQ(dialogs.suggestedNames, QStringList{QStringLiteral("Muestras")});
    EXPECT_EQ(asRows(runReader(kCsvReader, dir.filePath(QStringLiteral("m.csv")))).size(), 3u);

    QString printed;
    s.services->showPreview = [&](GridPrintDocument& d) { printed = d.title(); };
    s.services->print();
    EXPECT_EQ(printed, QStringLiteral("Registro de Tercero"));
}

// ---------------------------------------------------------------- printing

TEST(GridPrint, PagesCarryHeaderTitleBandAndPrintedDate) {
    std::vector<Row> rows;
    const QString longText =
        QStringLiteral("Observación larga que no cabe en una línea de la columna y sigue "
                       "hasta el final sin cortarse nunca jamás FINDETEXTO");
    for (int i = 1; i <= 150; ++i)
        rows.push_back(
            {i, QStringLiteral("PACIENTE %1").arg(i), i == 3 ? longText : QStringLiteral("corta")});
    auto ds = memoryDataSet(rows);
    Screen s(ds.get(), GridSettings::paises());

    // The print item acts on the focused grid, with the screen's title.
    QString previewed;
    s.services->showPreview = [&](GridPrintDocument& d) { previewed = d.title(); };
    s.edit->setFocus();
    s.services->print();
    EXPECT_TRUE(previewed.isEmpty());
    s.grid->setFocus();
    s.services->print();
    EXPECT_EQ(previewed, QStringLiteral("Ciudades"));

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("lista.pdf"));
    GridPrintDocument doc(*s.grid, GridSettings::paises().printTitle, QDate(2026, 3, 9));
    {
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        writer.setResolution(300);
        doc.print(writer);
    }
    ASSERT_GE(doc.pageCount(), 2);
    auto pageText = [&](int page) {
        QProcess p;
        p.start(QStringLiteral("pdftotext"),
                {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page),
                 pdf, QStringLiteral("-")});
        EXPECT_TRUE(p.waitForFinished(30000));
        return QString::fromUtf8(p.readAllStandardOutput()).simplified();
    };
    const QString first = pageText(1), last = pageText(doc.pageCount());
    EXPECT_TRUE(first.contains(QStringLiteral("Page. 1"))) << first.toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("Ciudades")));
    EXPECT_TRUE(first.contains(QStringLiteral("Title")));
    EXPECT_TRUE(first.contains(QStringLiteral("Código")) && first.contains(QStringLiteral("Nombre")));
    EXPECT_TRUE(first.contains(QStringLiteral("FINDETEXTO"))); // long texts wrap, never cut
    EXPECT_FALSE(first.contains(QStringLiteral("Impreso:")));
    EXPECT_TRUE(last.contains(QStringLiteral("Page. %1").arg(doc.pageCount())));
    EXPECT_TRUE(last.contains(QStringLiteral("Title")));
    EXPECT_FALSE(last.contains(QStringLiteral("Ciudades")));
    EXPECT_TRUE(last.contains(QStringLiteral("Impreso: 03/09/2026"))) << last.toStdString();
    EXPECT_TRUE(last.contains(QStringLiteral("PACIENTE 150")));

    // Cell colours are printed: a silver row on a page image.
    QImage image(1240, 1754, QImage::Format_RGB32); // A4 at 150 dpi
    image.setDotsPerMeterX(5906);
    image.setDotsPerMeterY(5906);
    image.fill(Qt::white);
    doc.paginate(image);
    {
        QPainter painter(&image);
        doc.renderPage(painter, 0);
    }
    int silver = 0;
    for (int y = 0; y < image.height(); y += 2)
        silver += image.pixelColor(image.width() / 2, y) == QColor(192, 192, 192);
    EXPECT_GT(silver, 50);
}

// ---------------------------------------------------------------- search, order, filter

TEST(DataGrid, IncrementalSearchWithThePauseDelay) {
    auto ds =
        memoryDataSet({{1, "BEATRIZ"}, {2, "alberto ruiz"}, {3, "ANA GOMEZ"}, {4, "Andres"}, {5, "JULIANA"}});
    Screen s(ds.get());
    qint64 clock = 100000;
    DataGrid::setClock([&] { return clock; });
    EXPECT_EQ(DataGrid::searchDelay(), 1500); // until a list screen sets it
    s.grid->setCurrentIndex(s.grid->model()->index(0, 1));

    struct Step {
        int pause; // milliseconds since the previous key
        Qt::Key key;
        const char* text;
        int row; // current row afterwards, in grid and dataset
    } steps[] = {
        {0, Qt::Key_A, "a", 1},        {300, Qt::Key_N, "an", 2}, {1400, Qt::Key_D, "and", 3},
        {1501, Qt::Key_J, "j", 4},     {10, Qt::Key_X, "jx", 4},  {2000, Qt::Key_B, "b", 0},
        {0, Qt::Key_Backspace, "", 0},
    };
    for (const Step& st : steps) {
        clock += st.pause;
        QTest::keyClick(s.grid, st.key);
        EXPECT_EQ(s.grid->searchText(), QString::fromUtf8(st.text)) << st.text;
        EXPECT_EQ(s.grid->currentIndex().row(), st.row) << st.text;
        EXPECT_EQ(ds->recNo(), st.row) << st.text;
        EXPECT_EQ(s.grid->currentIndex().column(), 1);
    }
    // The program-wide delay, set by a list screen.
    DataGrid::setSearchDelay(200);
    clock += 150;
    QTest::keyClick(s.grid, Qt::Key_J); // within 200 ms of the last key: "j" is added to the search text
    EXPECT_EQ(s.grid->searchText(), QStringLiteral("j"));
    clock += 250;
    QTest::keyClick(s.grid, Qt::Key_A);
    EXPECT_EQ(s.grid->searchText(), QStringLiteral("a"));
    EXPECT_EQ(ds->recNo(), 1);
    QTest::keyClick(s.grid, Qt::Key_J, Qt::ControlModifier); // shortcuts never search
    EXPECT_EQ(s.grid->searchText(), QStringLiteral("a"));
    DataGrid::setSearchDelay(1500);
    DataGrid::setClock({});
}

TEST(DataGrid, TitleClicksSortTheLoadedRowsWithMarkers) {
    auto ds = memoryDataSet({{3, "CARLOS"}, {1, "ANA"}, {2, "BETO"}, {4, "ANA"}});
    Screen s(ds.get());
    GridHeader* header = s.grid->titleHeader();
    auto click = [&](int column, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, mods,
                          QPoint(header->sectionViewportPosition(column) + 10, 6));
    };
    auto codes = [&] {
        QStringList out;
        for (int r = 0; r < s.grid->model()->rowCount(); ++r)
            out << s.grid->cellText(r, 0);
        return out.join(QLatin1Char(','));
    };
    auto markers = [&] {
        QStringList out;
        for (const auto& k : s.grid->sortKeys())
            out << QStringLiteral("%1%2").arg(k.column).arg(k.descending ? "v" : "^");
        return out.join(QLatin1Char(' '));
    };
    struct Step {
        int column;
        Qt::KeyboardModifiers mods;
        const char *index, *markers, *codes;
    } steps[] = {
        {1, {}, "NOMBRE", "1^", "1,4,2,3"},
        {1, {}, "NOMBRE DESC", "1v", "3,2,1,4"},
        {0, Qt::ControlModifier, "NOMBRE DESC;CODIGO", "1v 0^", "3,2,1,4"},
        {0, Qt::ControlModifier, "NOMBRE DESC;CODIGO DESC", "1v 0v", "3,2,4,1"},
        {0, {}, "CODIGO", "0^", "1,2,3,4"},
    };
    for (const Step& st : steps) {
        click(st.column, st.mods);
        EXPECT_EQ(ds->indexFieldNames(), QString::fromUtf8(st.index));
        EXPECT_EQ(markers(), QString::fromUtf8(st.markers));
        EXPECT_EQ(codes(), QString::fromUtf8(st.codes));
    }
    EXPECT_FALSE(s.grid->hasCellSelection()); // a title click marks no column

    // Screens that re-read their rows themselves only hear of the click.
    s.grid->setTitleClicks(DataGrid::TitleClicks::Notify);
    int heard = -1;
    QObject::connect(s.grid, &DataGrid::titleClicked, [&](int c, Qt::KeyboardModifiers) { heard = c; });
    click(2);
    EXPECT_EQ(heard, 2);
    EXPECT_EQ(ds->indexFieldNames(), QStringLiteral("CODIGO"));
    EXPECT_EQ(markers(), QStringLiteral("0^"));
}

TEST(DataGrid, FilterRowFiltersTheLoadedRowsOrOnlyTellsTheScreen) {
    auto ds = memoryDataSet({{1, "GARCIA LUIS", "", "S", "T"},
                             {2, "Luisa Garcés", "", "N", "L"},
                             {3, "PEREZ ANA", "", "S", "L"},
                             {4, "MARGARITA", "", "S", "C"}});
    Screen s(ds.get(), GridSettings::articulos());
    s.grid->setLocalFiltering(true);
    GridFilterSwitch* box = s.services->filterSwitch(s.grid);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text(), QStringLiteral("Habilitar filtros"));
    EXPECT_EQ(GridServices(&s.window, GridSettings::ciudades()).filterSwitch(s.grid), nullptr);

    const int plain = s.grid->titleHeader()->height();
    box->setChecked(true);
    QApplication::processEvents();
    EXPECT_TRUE(s.grid->isFilterRowVisible());
    EXPECT_GT(s.grid->titleHeader()->height(), plain);
    ASSERT_TRUE(s.grid->filterEditor(1));
    EXPECT_TRUE(s.grid->filterEditor(1)->isVisible());

    auto codes = [&] {
        QStringList out;
        for (int r = 0; r < ds->recordCount(); ++r)
            out << ds->valueAt(r, ds->fieldIndex(QStringLiteral("CODIGO"))).toString();
        return out.join(QLatin1Char(','));
    };
    int applied = 0;
    QObject::connect(s.grid, &DataGrid::filterChanged, [&] { ++applied; });
    QTest::keyClicks(s.grid->filterEditor(1), QStringLiteral("gar")); // contains, ignoring case
    EXPECT_EQ(codes(), QStringLiteral("1,2,4"));
    QTest::keyClicks(s.grid->filterEditor(4), QStringLiteral("lin")); // a pick list by the text it shows
    EXPECT_EQ(codes(), QStringLiteral("2"));
    QTest::keyClick(s.grid->filterEditor(4), Qt::Key_Return);
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(s.grid->model()->rowCount(), 1);

    // The screen's own filter holds together with the filter row's.
    s.grid->setBaseFilter([](const ClientDataSet& d, int id) {
        return d.rowValue(id, d.fieldIndex(QStringLiteral("ESTADO"))).toString() == QLatin1String("S");
    });
    EXPECT_EQ(codes(), QString());
    s.grid->setFilterText(4, QString());
    EXPECT_EQ(codes(), QStringLiteral("1,4"));
    EXPECT_EQ(applied, 2);

    // Hiding the row ends its filtering and empties it.
    box->setChecked(false);
    EXPECT_FALSE(s.grid->isFilterRowVisible());
    EXPECT_EQ(codes(), QStringLiteral("1,3,4"));
    EXPECT_TRUE(s.grid->filterText(1).isEmpty());
    EXPECT_EQ(s.grid->titleHeader()->height(), plain);

    // Without local filtering typing filters nothing; Enter tells the screen.
    s.grid->setBaseFilter({});
    s.grid->setLocalFiltering(false);
    s.grid->setFilterRowVisible(true);
    EXPECT_TRUE(box->isChecked());
    QTest::keyClicks(s.grid->filterEditor(1), QStringLiteral("zzz"));
    EXPECT_EQ(codes(), QStringLiteral("1,2,3,4"));
    QTest::keyClick(s.grid->filterEditor(1), Qt::Key_Return);
    EXPECT_EQ(applied, 3);
}

// ---------------------------------------------------------------- columns and cells

TEST(DataGrid, CheckBoxAndPickListColumns) {
    auto ds = memoryDataSet({{1, "A", "", "S", "T"}, {2, "B", "", "N", "L"}});
    Screen s(ds.get());
    QAbstractItemModel* m = s.grid->model();
    EXPECT_EQ(m->data(m->index(0, 3), Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(m->data(m->index(1, 3), Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(m->data(m->index(0, 3)).toString(), QString());
    EXPECT_EQ(m->data(m->index(1, 4)).toString(), QStringLiteral("Linea"));
    EXPECT_EQ(m->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Activo"));

    const QPoint box = s.grid->visualRect(m->index(1, 3)).center();
    QTest::mouseClick(s.grid->viewport(), Qt::LeftButton, {}, box); // read-only: no change
    EXPECT_EQ(ds->valueAt(1, ds->fieldIndex(QStringLiteral("ESTADO"))).toString(), QStringLiteral("N"));
    EXPECT_EQ(ds->state(), ClientDataSet::State::Browse);

    s.grid->setEditable(true);
    QTest::mouseClick(s.grid->viewport(), Qt::LeftButton, {}, box);
    EXPECT_EQ(ds->state(), ClientDataSet::State::Edit);
    EXPECT_EQ(ds->recNo(), 1);
    EXPECT_EQ(ds->value(QStringLiteral("ESTADO")).toString(), QStringLiteral("S"));
    QTest::keyClick(s.grid, Qt::Key_Space);
    EXPECT_EQ(ds->value(QStringLiteral("ESTADO")).toString(), QStringLiteral("N"));
    ds->post();

    // The pick list edits with a drop-down and stores the item's key.
    const QModelIndex tipo = m->index(0, 4);
    s.grid->setCurrentIndex(tipo);
    s.grid->edit(tipo);
    auto* combo = s.grid->viewport()->findChild<QComboBox*>();
    ASSERT_TRUE(combo);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Texto"));
    combo->setCurrentIndex(combo->findText(QStringLiteral("Cuadro")));
    s.grid->itemDelegate()->setModelData(combo, m, tipo);
    EXPECT_EQ(ds->value(QStringLiteral("TIPO")).toString(), QStringLiteral("C"));
    EXPECT_EQ(m->data(tipo).toString(), QStringLiteral("Cuadro"));

    // Enter moves on to the next cell, then to the first cell of the next row.
    s.grid->setEnterMovesToNextCell(true);
    s.grid->setCurrentIndex(m->index(0, 3)); // leaving the cell closes its editor
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(s.grid->viewport()->findChild<QComboBox*>());
    QTest::keyClick(s.grid, Qt::Key_Return);
    EXPECT_EQ(s.grid->currentIndex(), m->index(0, 4));
    QTest::keyClick(s.grid, Qt::Key_Return);
    EXPECT_EQ(s.grid->currentIndex(), m->index(1, 0));
    EXPECT_EQ(ds->recNo(), 1);
}

TEST(DataGrid, ColumnsTitlesWidthsAndFittingToTheWindow) {
    auto ds = memoryDataSet({{1, "A"}});
    Screen s(ds.get());
    QHeaderView* h = s.grid->horizontalHeader();
    EXPECT_EQ(h->sectionSize(0), 50);
    EXPECT_EQ(h->sectionSize(1), 160);
    h->resizeSection(1, 40); // never below its minimum
    EXPECT_EQ(h->sectionSize(1), 100);
    s.grid->setColumnVisible(3, false);
    EXPECT_EQ(s.grid->visibleColumns(), (std::vector<int>{0, 1, 2, 4}));

    s.grid->setFitColumnsToWidth(true);
    const int avail = s.grid->viewport()->width();
    int sum = 0;
    for (int c : s.grid->visibleColumns())
        sum += h->sectionSize(c);
    EXPECT_EQ(sum, avail);
    s.window.resize(260, 300); // narrow: the minimum wins
    QApplication::processEvents();
    EXPECT_EQ(h->sectionSize(1), 100);

    // A grid without configured columns shows every visible field; columns
    // may be configured before the dataset is given.
    DataGrid plain;
    plain.setDataSet(ds.get());
    EXPECT_EQ(plain.model()->columnCount(), ds->fieldCount());
    DataGrid early;
    early.setColumns(listColumns());
    early.setDataSet(ds.get());
    EXPECT_EQ(early.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Nombre"));
    EXPECT_EQ(early.horizontalHeader()->sectionSize(1), 160);
}

TEST(DataGrid, CellColoursAndLongTextToolTips) {
    auto ds = memoryDataSet(
        {{1, "UNO", "", "S"},
         {2, "DOS", "", "N"},
         {3, "TRES", "", "S"},
         {4, QStringLiteral("CUATRO CON UN TEXTO MUY LARGO QUE NO CABE EN LA COLUMNA"), "", "S"}});
    Screen s(ds.get());
    const int estado = ds->fieldIndex(QStringLiteral("ESTADO"));
    s.grid->setCellStyleHook([&](int row, int, CellStyle& st) {
        if (ds->valueAt(row, estado).toString() == QLatin1String("N"))
            st.text = Qt::red;
    });
    EXPECT_EQ(s.grid->cellStyle(0, 0).background, QColor(Qt::white));
    EXPECT_EQ(s.grid->cellStyle(1, 0).background, QColor("silver"));
    EXPECT_EQ(s.grid->cellStyle(1, 2).text, QColor(Qt::red));
    EXPECT_EQ(s.grid->cellStyle(2, 2).text, QColor(Qt::black));

    // The focused cell in the highlight colour with yellow text; the other
    // selected cells in the selection colour with white text.
    QAbstractItemModel* m = s.grid->model();
    s.grid->setCurrentIndex(m->index(2, 1));
    s.mark(0, 1, 0, 2);
    QApplication::processEvents();
    ASSERT_TRUE(s.grid->hasFocus());
    auto countIn = [&](const QImage& img, const QModelIndex& i, const QColor& c) {
        const QRect r = s.grid->visualRect(i);
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += img.pixelColor(x, y) == c;
        return n;
    };
    auto background = [&](const QImage& img, const QModelIndex& i) { // clear of text and focus frame
        return img.pixelColor(s.grid->visualRect(i).center());
    };
    QImage img = s.grid->viewport()->grab().toImage();
    EXPECT_EQ(background(img, m->index(2, 1)), DataGrid::highlightColour());
    EXPECT_GT(countIn(img, m->index(2, 1), QColor(255, 255, 0)), 0);
    EXPECT_EQ(background(img, m->index(0, 1)), DataGrid::selectionColour());
    EXPECT_GT(countIn(img, m->index(0, 1), Qt::white), 0);
    EXPECT_EQ(background(img, m->index(1, 1)), QColor(192, 192, 192));
    EXPECT_EQ(background(img, m->index(3, 0)), QColor(192, 192, 192));
    EXPECT_EQ(background(img, m->index(2, 0)), QColor(Qt::white));
    EXPECT_GT(countIn(img, m->index(1, 1), Qt::red), 0); // the hook's red text
    EXPECT_NE(DataGrid::highlightColour(), DataGrid::selectionColour());

    // Without the focus the current cell is drawn as any other.
    s.edit->setFocus();
    QApplication::processEvents();
    img = s.grid->viewport()->grab().toImage();
    EXPECT_EQ(background(img, m->index(2, 1)), QColor(Qt::white));
    EXPECT_EQ(background(img, m->index(0, 1)), DataGrid::selectionColour());

    // Screens without the colouring get the plain selection.
    s.grid->setSelectedCellColouring(false);
    img = s.grid->viewport()->grab().toImage();
    EXPECT_NE(background(img, m->index(0, 1)), DataGrid::selectionColour());

    // Long texts are cut with an ellipsis and show in full as a tool-tip.
    auto tip = [&](const QModelIndex& i) {
        const QPoint at = s.grid->visualRect(i).center();
        QHelpEvent e(QEvent::ToolTip, at, s.grid->viewport()->mapToGlobal(at));
        QApplication::sendEvent(s.grid->viewport(), &e);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(tip(m->index(0, 1)), QString());
    EXPECT_EQ(tip(m->index(3, 1)), QStringLiteral("CUATRO CON UN TEXTO MUY LARGO QUE NO CABE EN LA COLUMNA"));
    QToolTip::hideText();
}

TEST(DataGrid, CurrentRowFollowsTheDataSetBothWays) {
    std::vector<Row> rows;
    for (int i = 1; i <= 30; ++i)
        rows.push_back({i, QStringLiteral("N%1").arg(i)});
    auto ds = memoryDataSet(rows);
    Screen s(ds.get());
    ds->moveTo(25);
    EXPECT_EQ(s.grid->currentIndex().row(), 25);
    ds->prior();
    EXPECT_EQ(s.grid->currentIndex().row(), 24);
    QTest::keyClick(s.grid, Qt::Key_Up);
    EXPECT_EQ(ds->recNo(), 23);
    s.grid->setCurrentIndex(s.grid->model()->index(2, 2));
    EXPECT_EQ(ds->recNo(), 2);
    // After a re-sort the grid shows the dataset's current row.
    s.grid->titleClick(0);
    s.grid->titleClick(0);
    EXPECT_EQ(s.grid->currentIndex().row(), ds->recNo());
    EXPECT_EQ(s.grid->cellText(ds->recNo(), 0), ds->value(QStringLiteral("CODIGO")).toString());
}

// ---------------------------------------------------------------- a real database

namespace {
class GridDatabase : public ::testing::Test {
protected:
    void SetUp() override {
        path = TestDatabases::freshCompany(dir);
        conn.setParam(QStringLiteral("Database"), path);
        conn.setParam(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
        conn.setParam(QStringLiteral("password"), QStringLiteral("x"));
        conn.open();
        for (const char* sql : {"DELETE FROM TOMA_MUESTRA", "DELETE FROM TIPO_EXAMEN",
                                "EXECUTE BLOCK AS DECLARE i INT = 1; BEGIN WHILE (i <= 2500) DO BEGIN "
                                "INSERT INTO TIPO_EXAMEN (TIEX_COD, TIEX_NOM) VALUES (:i, 'EXAMEN ' || "
                                "(3000 - :i)); i = i + 1; END END"}) {
            FbTransaction tx(conn);
            FbStatement(tx, QString::fromUtf8(sql)).execute();
            tx.commit();
        }
        ds.setProvider(&provider);
        ds.setCommandText(QStringLiteral("SELECT * FROM TIPO_EXAMEN ORDER BY TIEX_COD"));
        ds.packetRecords = 1000;
        ds.open();
    }
    QTemporaryDir dir;
    QString path;
    FbConnection conn{QStringLiteral("Zentavo")};
    QueryObject query{QStringLiteral("TTipoexamen"), conn};
    Provider provider{QStringLiteral("PTipoexamen"), query};
    ClientDataSet ds{QStringLiteral("CTipoexamen")};
};
} // namespace

TEST_F(GridDatabase, ScrollingToTheEndFetchesTheNextPacketOnly) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* grid = new DataGrid;
    layout->addWidget(grid);
    grid->setDataSet(&ds);
    grid->setColumns({GridColumn::text(QStringLiteral("TIEX_COD"), QStringLiteral("Código"), 60),
                      GridColumn::text(QStringLiteral("TIEX_NOM"), QStringLiteral("Nombre"))});
    grid->setFitColumnsToWidth(true);
    GridServices services(&window, GridSettings::tipoExamen());
    services.attach(grid);
    window.resize(500, 400);
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(grid->model()->rowCount(), 1000); // showing the grid fetches nothing more
    EXPECT_EQ(ds.recordCount(), 1000);

    // Sorting and searching work on the loaded rows.
    grid->titleClick(1);
    EXPECT_EQ(ds.recordCount(), 1000);
    EXPECT_FALSE(ds.allFetched());
    EXPECT_EQ(grid->cellText(0, 1), QStringLiteral("EXAMEN 2000"));
    grid->setCurrentIndex(grid->model()->index(0, 1));
    EXPECT_TRUE(grid->searchFor(QStringLiteral("examen 2001")));
    EXPECT_EQ(ds.value(QStringLiteral("TIEX_COD")).toInt(), 999);
    EXPECT_EQ(ds.recordCount(), 1000);
    grid->setSortKeys({}); // the database's order again
    EXPECT_EQ(grid->cellText(0, 0), QStringLiteral("1"));

    QScrollBar* bar = grid->verticalScrollBar();
    int resets = 0;
    QObject::connect(grid->model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    bar->setValue(bar->maximum());
    QApplication::processEvents();
    EXPECT_EQ(grid->model()->rowCount(), 2000);
    EXPECT_FALSE(ds.allFetched());
    EXPECT_EQ(resets, 0); // the new rows were added, the view kept its place
    EXPECT_EQ(grid->currentIndex(), grid->model()->index(0, 1));

    // A search that finds nothing among the loaded rows reads on, as a locate does.
    EXPECT_TRUE(grid->searchFor(QStringLiteral("examen 500")));
    EXPECT_EQ(ds.value(QStringLiteral("TIEX_COD")).toInt(), 2500);
    EXPECT_EQ(grid->currentIndex().row(), 2499);
    EXPECT_TRUE(ds.allFetched());
    EXPECT_EQ(grid->model()->rowCount(), 2500);
}

TEST_F(GridDatabase, SelectAllReadsEveryRowAndPrintsThem) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* grid = new DataGrid;
    layout->addWidget(grid);
    grid->setDataSet(&ds);
    GridServices services(&window, GridSettings::tipoExamen());
    services.attach(grid);
    window.show();
    grid->setFocus();
    services.selectAll();
    EXPECT_TRUE(ds.allFetched());
    EXPECT_EQ(grid->selectionTable(false).rowCount(), 2500);
    int pages = 0;
    services.showPreview = [&](GridPrintDocument& d) {
        QPdfWriter writer(dir.filePath(QStringLiteral("p.pdf")));
        d.print(writer);
        pages = d.pageCount();
    };
    services.print();
    EXPECT_GT(pages, 20);
}
