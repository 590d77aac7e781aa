// The cities and countries screens on real widgets against a real company
// database: every row listed, rows without code dropped, one batch on F2,
// nothing on Esc, refusals reported with the window left open.
#include "common/ScriptedDialogs.h"
#include "data/ClientDataSet.h"
#include "data/dm.h"
#include "patients/ciudades.h"
#include "patients/dmter.h"
#include "patients/navegador.h"
#include "patients/paises.h"
#include "patients/registro_busqueda.h"
#include "tests/support/TestDatabases.h"
#include "ui/DataGrid.h"
#include "ui/GridModel.h"
#include "ui/GridServices.h"
#include "ui/MdiHost.h"
#include "ui/Pantallas.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class Host : public QMainWindow, public MdiHost {
public:
    Host() {
        setCentralWidget(area = new QMdiArea);
        resize(1000, 760);
        show();
        MdiHost::setInstance(this);
    }
    ~Host() override { MdiHost::setInstance(nullptr); }
    QMdiArea* mdiArea() const override { return area; }
    QSize clientSize() const override { return area->viewport()->size(); }
    int childCount() const override { return int(area->subWindowList().size()); }
    QMdiArea* area;
};

class CodeTables : public ::testing::Test {
protected:
    void SetUp() override {
        pantallas::olvidar_todas();
        registrar_busqueda_pacientes();
        dm.diraplicacion = [this] { return dir.path(); };
        dm.cod_usuario = QStringLiteral("ADMIN");
        dm.Zentavo.setParam(QStringLiteral("Database"), TestDatabases::freshCompany(dir));
        dm.Zentavo.setParam(QStringLiteral("User_Name"), dm.cod_usuario);
        dm.Zentavo.open();
        dm.cargue_configuracion();
        // the entry screen that opens them
        ficha = new ScreenBase;
        ficha->showAsChild();
    }
    void TearDown() override {
        for (QMdiSubWindow* w : host.area->subWindowList())
            w->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        pantallas::olvidar_todas();
    }
    template <typename T>
    T* abrir(const QString& name) {
        EXPECT_TRUE(pantallas::abrir(name, ficha));
        QApplication::processEvents();
        for (QMdiSubWindow* w : host.area->subWindowList())
            if (auto* s = qobject_cast<T*>(w->widget()))
                return s;
        return nullptr;
    }
    // Types into a cell as the user does: the editor opens, Enter takes the text.
    static void teclear(DataGrid* g, int row, const QString& field, const QString& text) {
        const QModelIndex i = g->gridModel()->index(row, g->columnOf(field));
        g->setFocus();
        g->setCurrentIndex(i);
        g->edit(i);
        auto* editor = g->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the editor hands its text over and closes
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static void marcar(DataGrid* g, int row, const QString& field, bool on) {
        g->gridModel()->setData(g->gridModel()->index(row, g->columnOf(field)), on ? Qt::Checked : Qt::Unchecked,
                                Qt::CheckStateRole);
    }
    qint64 count(const QString& sql) { return dm.valor(sql).toInt(); }
    QString ciudades() {
        const Value v = dm.valor(QStringLiteral("select list(ciud_cod || '=' || coalesce(ciud_nom, '') || '/' || "
                                          "coalesce(ciud_activa, '-'), ';') from (select * from ciudades order by ciud_cod)"));
        return v.toString();
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Host host;
    Tfdm dm;
    Tfdmter ter;
    ScreenBase* ficha = nullptr;
};
} // namespace

TEST_F(CodeTables, CitiesListEveryCityAndOpenAsTheEntryScreensChild) {
    auto* s = abrir<Tfciudades>(QStringLiteral("Fciudades"));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->windowTitle(), QStringLiteral("Ciudades"));
    EXPECT_EQ(s->owner(), ficha);
    EXPECT_EQ(s->subWindow()->size(), QSize(372, 265));
    const QSize c = host.clientSize();
    EXPECT_EQ(s->subWindow()->pos(), QPoint(int(std::ceil((c.width() - 372 - 125) / 2.0)),
                                           int(std::ceil((c.height() - 265 - 120) / 2.0))));
    // inactive ones too, ordered by name
    EXPECT_EQ(s->filas->recordCount(), count(QStringLiteral("select count(*) from ciudades")));
    EXPECT_GT(count(QStringLiteral("select count(*) from ciudades where ciud_activa = 'N'")), 0);
    QStringList titles;
    for (int col = 0; col < s->DBGrid1->gridModel()->columnCount(); ++col)
        titles << s->DBGrid1->gridModel()->headerData(col, Qt::Horizontal).toString();
    EXPECT_EQ(titles, (QStringList{"Código", "Nombre", "Activa"}));
    EXPECT_EQ(s->servicios->settings().exportFileName, QStringLiteral("Ciudades"));
    EXPECT_EQ(s->servicios->settings().printTitle, QStringLiteral("Ciudades"));
    EXPECT_EQ(s->SBGrabar->text(), QStringLiteral("F2: Grabar"));
    EXPECT_EQ(s->SBCancelar->text(), QStringLiteral("Esc: Cancelar"));
    // closing the entry screen closes it
    QPointer<Tfciudades> guard(s);
    ficha->closeScreen();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}

TEST_F(CodeTables, ACityWithoutCodeIsDroppedSilently) {
    auto* s = abrir<Tfciudades>(QStringLiteral("Fciudades"));
    const QString before = ciudades();
    const int rows = s->filas->recordCount();
    s->navegador->insertar->click();
    ASSERT_EQ(s->filas->recordCount(), rows + 1);
    teclear(s->DBGrid1, rows, QStringLiteral("CIUD_NOM"), QStringLiteral("SIN CODIGO"));
    // moving to another row drops it
    s->DBGrid1->setCurrentIndex(s->DBGrid1->gridModel()->index(0, 1));
    QApplication::processEvents();
    EXPECT_EQ(s->filas->recordCount(), rows);
    EXPECT_EQ(s->filas->changeCount(), 0);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
    // and F2 saves nothing, closing the window
    QPointer<Tfciudades> guard(s);
    QTest::keyClick(s->DBGrid1, Qt::Key_F2);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(ciudades(), before);
}

TEST_F(CodeTables, ANewCityLeftUntickedIsStoredInactive) {
    auto* s = abrir<Tfciudades>(QStringLiteral("Fciudades"));
    const int rows = s->filas->recordCount();
    s->navegador->insertar->click();
    teclear(s->DBGrid1, rows, QStringLiteral("CIUD_COD"), QStringLiteral("99999"));
    teclear(s->DBGrid1, rows, QStringLiteral("CIUD_NOM"), QStringLiteral("VILLA NUEVA"));
    s->navegador->insertar->click();
    teclear(s->DBGrid1, rows + 1, QStringLiteral("CIUD_COD"), QStringLiteral("99998"));
    teclear(s->DBGrid1, rows + 1, QStringLiteral("CIUD_NOM"), QStringLiteral("VILLA ACTIVA"));
    marcar(s->DBGrid1, rows + 1, QStringLiteral("CIUD_ACTIVA"), true);
    // an existing city made inactive
    ASSERT_TRUE(s->filas->locate({QStringLiteral("CIUD_COD")}, {Value(QStringLiteral("05001"))}));
    marcar(s->DBGrid1, s->filas->recNo(), QStringLiteral("CIUD_ACTIVA"), false);
    QPointer<Tfciudades> guard(s);
    EXPECT_TRUE(s->SBGrabarClick());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(count(QStringLiteral("select count(*) from ciudades where ciud_cod = '99999' and ciud_nom = 'VILLA NUEVA' "
                                   "and ciud_activa is null")),
              1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from ciudades where ciud_cod = '99998' and ciud_activa = 'S'")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from ciudades where ciud_cod = '05001' and ciud_activa = 'N'")), 1);
    // the cities the third party screens offer: the active ones, as their
    // pickers read the same rows and keep those marked "S"
    ClientDataSet ofrecidas(QStringLiteral("CCiudades"));
    Provider p(QStringLiteral("PCiudades"), fdmter->TCiudades);
    ofrecidas.setProvider(&p);
    ofrecidas.setFilter([](const ClientDataSet& d, int row) {
        return d.rowValue(row, d.fieldIndex(QStringLiteral("CIUD_ACTIVA"))).toString() == QLatin1String("S");
    });
    ofrecidas.open();
    ofrecidas.fetchAll();
    QStringList codigos;
    for (int r = 0; r < ofrecidas.recordCount(); ++r)
        codigos << ofrecidas.valueAt(r, ofrecidas.fieldIndex(QStringLiteral("CIUD_COD"))).toString().trimmed();
    EXPECT_TRUE(codigos.contains(QStringLiteral("99998")));
    EXPECT_FALSE(codigos.contains(QStringLiteral("99999")));
    EXPECT_FALSE(codigos.contains(QStringLiteral("05001")));
}

TEST_F(CodeTables, EscAfterSeveralEditsLeavesTheTableUnchanged) {
    auto* s = abrir<Tfciudades>(QStringLiteral("Fciudades"));
    const QString before = ciudades();
    teclear(s->DBGrid1, 0, QStringLiteral("CIUD_NOM"), QStringLiteral("CAMBIADA"));
    s->DBGrid1->setCurrentIndex(s->DBGrid1->gridModel()->index(1, 1));
    s->navegador->borrar->click();
    s->navegador->insertar->click();
    teclear(s->DBGrid1, s->filas->recordCount() - 1, QStringLiteral("CIUD_COD"), QStringLiteral("88888"));
    EXPECT_GT(s->filas->changeCount(), 0);
    QPointer<Tfciudades> guard(s);
    QTest::keyClick(s->DBGrid1, Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(ciudades(), before);
}

TEST_F(CodeTables, ADuplicateCodeIsRefusedAndTheWindowStaysOpen) {
    auto* s = abrir<Tfciudades>(QStringLiteral("Fciudades"));
    const QString before = ciudades();
    const int rows = s->filas->recordCount();
    s->navegador->insertar->click();
    teclear(s->DBGrid1, rows, QStringLiteral("CIUD_COD"), QStringLiteral("11001"));
    teclear(s->DBGrid1, rows, QStringLiteral("CIUD_NOM"), QStringLiteral("OTRA BOGOTA"));
    EXPECT_FALSE(s->SBGrabarClick());
    EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("Ya existe el registro en la tabla Ciudades")});
    EXPECT_TRUE(s->isVisible());
    EXPECT_EQ(s->filas->changeCount(), 1); // still pending
    EXPECT_EQ(ciudades(), before);
    // Esc discards it
    QPointer<Tfciudades> guard(s);
    s->SBCancelarClick();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(ciudades(), before);
}

TEST_F(CodeTables, CountriesNeedCodeAndName) {
    auto* s = abrir<Tfpaises>(QStringLiteral("Fpaises"));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->windowTitle(), QStringLiteral("Paises"));
    EXPECT_EQ(s->filas->recordCount(), count(QStringLiteral("select count(*) from paises")));
    QStringList titles;
    for (int col = 0; col < s->DBGrid1->gridModel()->columnCount(); ++col)
        titles << s->DBGrid1->gridModel()->headerData(col, Qt::Horizontal).toString();
    EXPECT_EQ(titles, (QStringList{"Cód.", "Nombre"}));
    EXPECT_EQ(s->servicios->settings().exportFileName, QStringLiteral("Paises"));
    EXPECT_EQ(s->servicios->settings().printTitle, QStringLiteral("Ciudades"));
    // a code without a name: refused by the required-field check
    const int rows = s->filas->recordCount();
    s->navegador->insertar->click();
    teclear(s->DBGrid1, rows, QStringLiteral("PAIS_ID"), QStringLiteral("999"));
    EXPECT_FALSE(s->SBGrabarClick());
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Los campos "))) << dialogs.errors[0].toStdString();
    EXPECT_TRUE(dialogs.errors[0].endsWith(QStringLiteral(" son obligatorios."))) << dialogs.errors[0].toStdString();
    EXPECT_TRUE(s->isVisible());
    // named, it is stored
    teclear(s->DBGrid1, rows, QStringLiteral("PAIS_NOM"), QStringLiteral("ATLANTIDA"));
    QPointer<Tfpaises> guard(s);
    EXPECT_TRUE(s->SBGrabarClick());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(count(QStringLiteral("select count(*) from paises where pais_id = '999' and pais_nom = 'ATLANTIDA'")), 1);
}
