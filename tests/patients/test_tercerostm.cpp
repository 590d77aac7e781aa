// The patient search on real widgets against a real company database: both
// modes, the search statement, the keys, the hand-over and the delete with
// its access right.
#include "common/ScriptedDialogs.h"
#include "data/ClientDataSet.h"
#include "data/dm.h"
#include "patients/dmter.h"
#include "patients/registro_busqueda.h"
#include "patients/tercerostm.h"
#include "tests/support/TestDatabases.h"
#include "ui/DataGrid.h"
#include "ui/GridFilterSwitch.h"
#include "ui/GridModel.h"
#include "ui/MdiHost.h"
#include "ui/Pantallas.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kBase = QStringLiteral(
    "select T.TERC_NIT, TERC_NOM, TERC_CONTACTO, TERC_TEL, TERC_CIU, TERC_CLIE, TERC_PROV, TERC_EMPL, TERC_ESTADO, "
    "HICL_ID from terceros T left OUTER JOIN REGISTRO R ON (R.terc_nit = T.terc_nit)");

class Host : public QMainWindow, public MdiHost {
public:
    Host() {
        setCentralWidget(area = new QMdiArea);
        resize(1100, 800);
        show();
        MdiHost::setInstance(this);
    }
    ~Host() override { MdiHost::setInstance(nullptr); }
    QMdiArea* mdiArea() const override { return area; }
    QSize clientSize() const override { return area->viewport()->size(); }
    int childCount() const override { return int(area->subWindowList().size()); }
    QMdiArea* area;
};

class PatientSearch : public ::testing::Test {
protected:
    void SetUp() override {
        pantallas::olvidar_todas();
        registrar_busqueda_pacientes();
        pantallas::registrar(QStringLiteral("Fnvotercerotm"), [this](ScreenBase* owner) { nuevos << owner; });
        pantallas::registrar(QStringLiteral("Fmodtercerotm"),
                             [this](ScreenBase* owner) { modificados << fdmter->nit_modificar; duenos << owner; });
        dm.diraplicacion = [this] { return dir.path(); };
        dm.Zentavo.setParam(QStringLiteral("Database"), TestDatabases::freshCompany(dir));
        usuario(QStringLiteral("RECEPCION"), false);
        dm.Zentavo.open();
        dm.cargue_configuracion();
    }
    void TearDown() override {
        for (QMdiSubWindow* w : host.area->subWindowList())
            w->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        pantallas::olvidar_todas();
    }
    void usuario(const QString& codigo, bool administrador) {
        dm.cod_usuario = codigo;
        dm.es_administrador = [administrador] { return administrador; };
        dm.Zentavo.setParam(QStringLiteral("User_Name"), codigo);
    }
    // Opens the search the way its openers do: the main window sets the
    // flag, the other screens clear it.
    Tftercerostm* abrir(bool mantenimiento) {
        dm.solo_consulta = mantenimiento;
        EXPECT_TRUE(pantallas::abrir(QStringLiteral("Ftercerostm")));
        QApplication::processEvents();
        auto* s = qobject_cast<Tftercerostm*>(host.area->activeSubWindow() ? host.area->activeSubWindow()->widget()
                                                                            : nullptr);
        EXPECT_NE(s, nullptr);
        return s;
    }
    static QStringList column(ClientDataSet* ds, const QString& field) {
        QStringList out;
        const int f = ds->fieldIndex(field);
        for (int r = 0; r < ds->recordCount(); ++r)
            out << ds->valueAt(r, f).toString();
        return out;
    }
    qint64 count(const QString& sql) { return dm.valor(sql).toInt(); }
    void buscar(Tftercerostm* s, int columna, const QString& texto, bool cualquierPosicion = true) {
        s->RGBuscar->button(columna)->setChecked(true);
        s->CkDesorden->setChecked(cualquierPosicion);
        s->EBuscar->setText(texto);
        s->sbBuscarClick();
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Host host;
    Tfdm dm;
    Tfdmter ter;
    QList<ScreenBase*> nuevos, duenos;
    QStringList modificados;
};
} // namespace

TEST(PatientSearchStatement, WordsClausesAndOrder) {
    using S = Tftercerostm;
    EXPECT_EQ(S::kSentenciaBase, kBase);
    // the example of the search help: any position, by name
    EXPECT_EQ(S::sentencia_busqueda(kBase, S::Nombre, QStringLiteral("garcia lu"), true),
              kBase + QStringLiteral(" where upper(terc_nom) like upper('%garcia%') and upper(terc_nom) like "
                                     "upper('%lu%') order by terc_nom"));
    // empty text: every row, ordered by the column, with no blank after the base
    EXPECT_EQ(S::sentencia_busqueda(kBase, S::Contacto, QString(), true), kBase + QStringLiteral("order by terc_contacto"));
    // from a value on
    EXPECT_EQ(S::sentencia_busqueda(kBase, S::Historia, QStringLiteral("12 3"), false),
              kBase + QStringLiteral(" where upper(hicl_id) >= upper('12') and upper(hicl_id) >= upper('3') order by hicl_id"));
    // the identification exists in both tables: the third party's is meant
    EXPECT_EQ(S::sentencia_busqueda(kBase, S::Identificacion, QStringLiteral("52"), true),
              kBase + QStringLiteral(" where upper(T.terc_nit) like upper('%52%') order by terc_nit"));
    EXPECT_EQ(S::sentencia_busqueda(kBase, S::Identificacion, QString(), true), kBase + QStringLiteral("order by terc_nit"));
    // five words: the fifth gives no clause
    const QString five = S::sentencia_busqueda(kBase, S::Nombre, QStringLiteral("a b c d e"), true);
    EXPECT_EQ(five, kBase + QStringLiteral(" where upper(terc_nom) like upper('%a%') and upper(terc_nom) like upper('%b%') "
                                           "and upper(terc_nom) like upper('%c%') and upper(terc_nom) like upper('%d%') "
                                           "order by terc_nom"));
    // two leading blanks: an empty first word keeps its clause, the empty
    // second gives none, the text is the third word
    EXPECT_EQ(S::sentencia_busqueda(kBase, S::Nombre, QStringLiteral("  ana"), true),
              kBase + QStringLiteral(" where upper(terc_nom) like upper('%%') and upper(terc_nom) like upper('%ana%') "
                                     "order by terc_nom"));
    // a quote goes in doubled
    EXPECT_EQ(S::sentencia_busqueda(kBase, S::Nombre, QStringLiteral("o'neill"), false),
              kBase + QStringLiteral(" where upper(terc_nom) >= upper('o''neill') order by terc_nom"));
}

TEST_F(PatientSearch, SelectionModePicksAnActivePatientAndHandsItBack) {
    Tftercerostm* s = abrir(false);
    ASSERT_NE(s, nullptr);
    EXPECT_FALSE(s->modoMantenimiento());
    EXPECT_EQ(s->windowTitle(), QStringLiteral("Busqueda de Terceros"));
    EXPECT_EQ(s->CTerceros->commandText(), kBase + QStringLiteral("order by terc_nom"));
    // only active third parties, ordered by name
    const QStringList estados = column(s->CTerceros, QStringLiteral("TERC_ESTADO"));
    EXPECT_EQ(estados.size(), count(QStringLiteral("select count(*) from terceros where terc_estado = 'S'")));
    EXPECT_FALSE(estados.contains(QStringLiteral("N")));
    EXPECT_EQ(s->DBGridEh1->gridModel()->rowCount(), estados.size());
    EXPECT_TRUE(s->SBSelec->isVisibleTo(s));
    EXPECT_TRUE(s->DBGridEh1->isColumnHidden(s->DBGridEh1->columnOf(QStringLiteral("TERC_ESTADO"))));
    // placed as the first cascaded list window
    EXPECT_EQ(s->subWindow()->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(s->subWindow()->size(), QSize(host.clientSize().width() - 130, host.clientSize().height() - 120));
    // activation: the grid has the focus, in the "ID" column
    EXPECT_EQ(s->DBGridEh1->currentIndex().column(), 1);

    // an inactive patient is not found, whatever is searched
    buscar(s, Tftercerostm::Nombre, QStringLiteral("LOPEZ DE MESA"));
    EXPECT_EQ(s->CTerceros->recordCount(), 0);
    buscar(s, Tftercerostm::Nombre, QStringLiteral("RODRIGUEZ ana"));
    ASSERT_EQ(s->CTerceros->recordCount(), 1);
    QPointer<Tftercerostm> guard(s);
    s->DBGridEh1->setFocus();
    QTest::keyClick(s->DBGridEh1, Qt::Key_Return);
    EXPECT_EQ(fdmter->nit_pendiente, QStringLiteral("52345678"));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull()); // closed and freed
}

TEST_F(PatientSearch, DoubleClickSelectsInSelectionModeAndModifiesInMaintenanceMode) {
    Tftercerostm* s = abrir(false);
    buscar(s, Tftercerostm::Identificacion, QStringLiteral("79456123"));
    ASSERT_EQ(s->CTerceros->recordCount(), 1);
    QPointer<Tftercerostm> guard(s);
    emit s->DBGridEh1->doubleClicked(s->DBGridEh1->gridModel()->index(0, 2));
    EXPECT_EQ(fdmter->nit_pendiente, QStringLiteral("79456123"));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());

    fdmter->nit_pendiente.clear();
    s = abrir(true);
    buscar(s, Tftercerostm::Nombre, QStringLiteral("CASTILLO"));
    ASSERT_EQ(s->CTerceros->recordCount(), 1);
    emit s->DBGridEh1->doubleClicked(s->DBGridEh1->gridModel()->index(0, 2));
    EXPECT_EQ(modificados, QStringList{QStringLiteral("52987654")});
    EXPECT_EQ(duenos, QList<ScreenBase*>{s}); // owned by the search
    EXPECT_TRUE(fdmter->nit_pendiente.isEmpty());
    // F4 on an empty list hands an empty identification
    buscar(s, Tftercerostm::Nombre, QStringLiteral("NADIE SE LLAMA ASI"));
    s->DBGridEh1->setFocus();
    QTest::keyClick(s->DBGridEh1, Qt::Key_F4);
    EXPECT_EQ(modificados.last(), QString());
    // with Shift held F4 does nothing
    QTest::keyClick(s->DBGridEh1, Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_EQ(modificados.size(), 2);
}

TEST_F(PatientSearch, MaintenanceModeListsInactivePatientsInRed) {
    Tftercerostm* s = abrir(true);
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->modoMantenimiento());
    EXPECT_EQ(s->CTerceros->recordCount(), count(QStringLiteral("select count(*) from terceros")));
    EXPECT_FALSE(s->SBSelec->isVisibleTo(s));
    const int activo = s->DBGridEh1->columnOf(QStringLiteral("TERC_ESTADO"));
    EXPECT_FALSE(s->DBGridEh1->isColumnHidden(activo));
    EXPECT_EQ(s->DBGridEh1->gridModel()->headerData(activo, Qt::Horizontal).toString(), QStringLiteral("Activo"));
    const QStringList nits = column(s->CTerceros, QStringLiteral("TERC_NIT"));
    const int inactivo = int(nits.indexOf(QStringLiteral("51876234")));
    const int activoRow = int(nits.indexOf(QStringLiteral("52345678")));
    ASSERT_GE(inactivo, 0);
    for (int c : s->DBGridEh1->visibleColumns()) {
        EXPECT_EQ(s->DBGridEh1->cellStyle(inactivo, c).text, QColor(Qt::red)) << c;
        EXPECT_NE(s->DBGridEh1->cellStyle(activoRow, c).text, QColor(Qt::red)) << c;
    }
    EXPECT_EQ(s->DBGridEh1->gridModel()->index(inactivo, activo).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(s->DBGridEh1->gridModel()->index(activoRow, activo).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    // the column titles, in order
    QStringList titles;
    for (int c = 0; c < s->DBGridEh1->gridModel()->columnCount(); ++c)
        titles << s->DBGridEh1->gridModel()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, (QStringList{"CC/Historia", "ID", "Nombre", "Contacto", "Ciudad", "Teléfonos", "Activo"}));

    // Enter in the grid still picks the row in maintenance mode
    buscar(s, Tftercerostm::Nombre, QStringLiteral("AGUDELO"));
    ASSERT_EQ(s->CTerceros->recordCount(), 1);
    EXPECT_EQ(s->DBGridEh1->cellStyle(0, 0).text, QColor(Qt::red));
    s->DBGridEh1->setFocus();
    QTest::keyClick(s->DBGridEh1, Qt::Key_Return);
    EXPECT_EQ(fdmter->nit_pendiente, QStringLiteral("19876543"));
}

TEST_F(PatientSearch, SearchUsesFourWordsAndQuotesTheText) {
    Tftercerostm* s = abrir(true);
    // typed in the search box, Enter searches
    s->EBuscar->setFocus();
    QTest::keyClicks(s->EBuscar, QStringLiteral("a a a maria zzzz"));
    QTest::keyClick(s->EBuscar, Qt::Key_Return);
    EXPECT_EQ(s->CTerceros->commandText(),
              kBase + QStringLiteral(" where upper(terc_nom) like upper('%a%') and upper(terc_nom) like upper('%a%') "
                                     "and upper(terc_nom) like upper('%a%') and upper(terc_nom) like upper('%maria%') "
                                     "order by terc_nom"));
    EXPECT_TRUE(s->isVisible()); // Enter in the box searched, it did not pick
    const QStringList names = column(s->CTerceros, QStringLiteral("TERC_NOM"));
    EXPECT_EQ(names.size(), count(QStringLiteral("select count(*) from terceros where upper(terc_nom) like '%MARIA%'")));
    EXPECT_GE(names.size(), 3);
    for (const QString& n : names)
        EXPECT_TRUE(n.contains(QStringLiteral("MARIA"))) << n.toStdString();
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end())); // by name, in code-point order

    // a quote in the text: no error, no row
    buscar(s, Tftercerostm::Nombre, QStringLiteral("O'NEILL"));
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(s->CTerceros->active());
    EXPECT_EQ(s->CTerceros->recordCount(), 0);
    // ... and it finds a patient whose name has one
    dm.ejecutar(QStringLiteral("update terceros set terc_nom = 'O''NEILL PEREZ JOHN' where terc_nit = '80234567'"));
    buscar(s, Tftercerostm::Nombre, QStringLiteral("o'neill"));
    EXPECT_EQ(column(s->CTerceros, QStringLiteral("TERC_NIT")), QStringList{QStringLiteral("80234567")});
    buscar(s, Tftercerostm::Nombre, QStringLiteral("o'neill"), false); // from that name on
    EXPECT_EQ(column(s->CTerceros, QStringLiteral("TERC_NOM")).value(0), QStringLiteral("O'NEILL PEREZ JOHN"));

    // by record number and by identification (present in both tables)
    const QString hicl = dm.valor(QStringLiteral("select hicl_id from registro where terc_nit = '41567890'")).toString();
    buscar(s, Tftercerostm::Historia, hicl);
    EXPECT_TRUE(column(s->CTerceros, QStringLiteral("TERC_NIT")).contains(QStringLiteral("41567890")));
    buscar(s, Tftercerostm::Identificacion, QStringLiteral("4156789"));
    EXPECT_EQ(column(s->CTerceros, QStringLiteral("TERC_NIT")), QStringList{QStringLiteral("41567890")});
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
    // by contact: third parties without one are left out
    buscar(s, Tftercerostm::Contacto, QString());
    EXPECT_EQ(s->CTerceros->commandText(), kBase + QStringLiteral("order by terc_contacto"));
    buscar(s, Tftercerostm::Contacto, QStringLiteral("  "));
    EXPECT_EQ(s->CTerceros->recordCount(), count(QStringLiteral("select count(*) from terceros where terc_contacto <> ''")));
    // an empty search text lists every row
    buscar(s, Tftercerostm::Nombre, QString());
    EXPECT_EQ(s->CTerceros->recordCount(), count(QStringLiteral("select count(*) from terceros")));
}

TEST_F(PatientSearch, FilterRowTakesEnterAndShiftF12GoesToTheSearchBox) {
    Tftercerostm* s = abrir(false);
    s->ckfiltro->setChecked(true);
    ASSERT_TRUE(s->DBGridEh1->isFilterRowVisible());
    QPointer<Tftercerostm> guard(s);
    s->DBGridEh1->setFocus();
    QTest::keyClick(s->DBGridEh1, Qt::Key_Return);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(guard.isNull()); // no pick while the filter row shows
    EXPECT_TRUE(fdmter->nit_pendiente.isEmpty());
    QTest::keyClick(s->DBGridEh1, Qt::Key_F12, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), s->EBuscar);
    QTest::keyClick(s->EBuscar, Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}

TEST_F(PatientSearch, NewNeedsOptionTen) {
    dm.ejecutar(QStringLiteral("update acceso_usuario set acus_si = 'N' where user_cod = 'RECEPCION' and acus_opcion = 10"));
    Tftercerostm* s = abrir(true);
    s->DBGridEh1->setFocus();
    QTest::keyClick(s->DBGridEh1, Qt::Key_F5);
    EXPECT_EQ(dialogs.informations,
              QStringList{QStringLiteral("Acceso no permitido. Comuníquese con el administrador del sistema.")});
    EXPECT_TRUE(nuevos.isEmpty());
    EXPECT_TRUE(s->isVisible()); // stays open

    dm.ejecutar(QStringLiteral("update acceso_usuario set acus_si = 'S' where user_cod = 'RECEPCION' and acus_opcion = 10"));
    QTest::keyClick(s->DBGridEh1, Qt::Key_F5);
    EXPECT_EQ(nuevos, QList<ScreenBase*>{s}); // opened, owned by the search
    EXPECT_EQ(dialogs.informations.size(), 1);
}

TEST_F(PatientSearch, DeleteRefusedWithoutOptionTwelveClosesTheSearch) {
    Tftercerostm* s = abrir(true);
    QPointer<Tftercerostm> guard(s);
    const qint64 before = count(QStringLiteral("select count(*) from terceros"));
    s->DBGridEh1->setFocus();
    QTest::keyClick(s->DBGridEh1, Qt::Key_F3);
    EXPECT_EQ(dialogs.informations,
              QStringList{QStringLiteral("Acceso no permitido. comuníquese con el administrador del sistema.")});
    EXPECT_TRUE(dialogs.questions.isEmpty());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(count(QStringLiteral("select count(*) from terceros")), before);
}

TEST_F(PatientSearch, AdministratorDeletesAPatientWithoutSamplesButNotOneWithSamples) {
    usuario(QStringLiteral("ADMIN"), true);
    Tftercerostm* s = abrir(true);
    const qint64 before = count(QStringLiteral("select count(*) from terceros"));

    // No changes nothing
    buscar(s, Tftercerostm::Identificacion, QStringLiteral("80234567"));
    ASSERT_EQ(s->CTerceros->recordCount(), 1);
    dialogs.answers = {false};
    s->SBBorrarClick();
    EXPECT_EQ(dialogs.questions,
              QStringList{QStringLiteral("Desea borrar definitivamente el tercero con NIT 80234567 ?")});
    EXPECT_EQ(count(QStringLiteral("select count(*) from terceros")), before);

    // Yes deletes it (its clinical record goes with it) and reads the list again
    dialogs.answers = {true};
    s->DBGridEh1->setFocus();
    QTest::keyClick(s->DBGridEh1, Qt::Key_F3);
    EXPECT_EQ(count(QStringLiteral("select count(*) from terceros where terc_nit = '80234567'")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from registro where terc_nit = '80234567'")), 0);
    EXPECT_EQ(s->CTerceros->recordCount(), 0);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();

    // a patient with samples: the database refuses, the message says why, the list stays
    buscar(s, Tftercerostm::Nombre, QString());
    const QStringList nits = column(s->CTerceros, QStringLiteral("TERC_NIT"));
    ASSERT_TRUE(s->CTerceros->locate({QStringLiteral("TERC_NIT")}, {Value(QStringLiteral("52345678"))}));
    const int row = s->CTerceros->recNo();
    dialogs.answers = {true};
    s->SBBorrarClick();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Se presento el siguiente error: "))) << dialogs.errors[0].toStdString();
    EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("FOREIGN KEY"))) << dialogs.errors[0].toStdString();
    EXPECT_EQ(count(QStringLiteral("select count(*) from terceros where terc_nit = '52345678'")), 1);
    EXPECT_EQ(column(s->CTerceros, QStringLiteral("TERC_NIT")), nits);
    EXPECT_EQ(s->CTerceros->recNo(), row);
    EXPECT_TRUE(s->isVisible());
    // logged
    QFile log(dir.filePath(QStringLiteral("ERRORES.TXT")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("FOREIGN KEY"));
}

TEST_F(PatientSearch, ActivationReadsTheListAgainWithItsStatement) {
    Tftercerostm* s = abrir(true);
    buscar(s, Tftercerostm::Nombre, QStringLiteral("GOMEZ"));
    const QString sql = s->CTerceros->commandText();
    const int before = s->CTerceros->recordCount();
    dm.ejecutar(QStringLiteral("insert into terceros (terc_nit, terc_nom) values ('777', 'GOMEZ NUEVO')"));
    // another window takes the focus, then the search is active again
    auto* other = new ScreenBase;
    other->showAsChild();
    QApplication::processEvents();
    host.area->setActiveSubWindow(s->subWindow());
    QApplication::processEvents();
    EXPECT_EQ(s->CTerceros->commandText(), sql);
    EXPECT_EQ(s->CTerceros->recordCount(), before + 1);
    EXPECT_EQ(s->DBGridEh1->currentIndex().column(), 1);
}
