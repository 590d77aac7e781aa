// The sample search against a real company database: what opening lists,
// searching anywhere or from a text onwards, title clicks that keep the
// search, quotes in the search text, a statement the database refuses, and
// reprinting; then the sample screens opened by name and placed in the main
// window.
#include "common/SqlText.h"
#include "samples/buscmuestra.h"
#include "samples/registro_muestras.h"
#include "samples/tipoexamen.h"
#include "samples/tomamuest.h"
#include "tests/samples/muestras_fixture.h"
#include "ui/DataGrid.h"
#include "ui/GridModel.h"
#include "ui/MdiHost.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <cmath>

namespace {
class SampleSearch : public MuestrasTest {
protected:
    Tfbuscmuestra* open() {
        screen = new Tfbuscmuestra;
        screen->show();
        settle();
        return screen;
    }
    // A patient and one sample of theirs with the given exam type for tube 1
    // (0: none); returns the sample number.
    qint64 addSample(const QString& nit, const QString& name, int exam) {
        if (dm.valor(QStringLiteral("select count(*) from terceros where terc_nit = '%1'").arg(nit)).toInt() == 0)
            dm.ejecutar(QStringLiteral("insert into terceros (terc_nit, terc_nom) values ('%1', %2)")
                            .arg(nit, sqltext::quoted(name)));
        const qint64 id = dm.valor(QStringLiteral("execute procedure cambie_id_tomamues")).toInt();
        dm.ejecutar(QStringLiteral("insert into toma_muestra (toma_id, toma_nit, toma_nom, toma_examen, toma_nromues) "
                                   "values (%1, '%2', %3, %4, 1)")
                        .arg(id)
                        .arg(nit, sqltext::quoted(name))
                        .arg(exam));
        return id;
    }
    void addSearchPatients() {
        addSample(QStringLiteral("900001"), QStringLiteral("JULIANA PEREZ"), 1);
        addSample(QStringLiteral("900002"), QStringLiteral("ANA GOMEZ"), 2);
        addSample(QStringLiteral("900003"), QStringLiteral("ALBERTO RUIZ"), 1);
    }
    void search(const QString& text, bool anywhere) {
        screen->TxBuscar->setText(text);
        screen->ckPosicion->setChecked(anywhere);
        QTest::mouseClick(screen->SBBuscar, Qt::LeftButton);
    }
    // A column of the list, every row.
    QStringList listed(const QString& field) {
        QStringList out;
        ClientDataSet* ds = screen->CMuestras;
        if (!ds->active())
            return out;
        ds->fetchAll();
        for (int r = 0; r < ds->recordCount(); ++r)
            out << ds->valueAt(r, ds->fieldIndex(field)).toString();
        return out;
    }
    void clickTitle(int column) {
        QHeaderView* h = screen->DBGrid->horizontalHeader();
        const QPoint at(h->sectionViewportPosition(column) + h->sectionSize(column) / 2, h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
    static bool descending(const QStringList& v, bool numeric = false) {
        for (int i = 1; i < v.size(); ++i)
            if (numeric ? v[i - 1].toLongLong() < v[i].toLongLong() : v[i - 1] < v[i])
                return false;
        return true;
    }

    QPointer<Tfbuscmuestra> screen;
};
} // namespace

TEST_F(SampleSearch, OpeningListsEverySampleWithATubeOneExamNewestFirst) {
    const qint64 withoutExam = addSample(QStringLiteral("52345678"), QStringLiteral("SIN EXAMEN"), 0);
    open();
    EXPECT_TRUE(screen->RBPaciente->isChecked());
    EXPECT_TRUE(screen->ckPosicion->isChecked());
    const QStringList expected =
        rows(QStringLiteral("select toma_id from toma_muestra where toma_examen is not null order by toma_id desc"));
    ASSERT_EQ(expected.size(), 3);
    EXPECT_EQ(listed(QStringLiteral("TOMA_ID")), expected);
    EXPECT_FALSE(listed(QStringLiteral("TOMA_ID")).contains(QString::number(withoutExam)));
    EXPECT_EQ(screen->DBGrid->model()->headerData(5, Qt::Horizontal).toString(), QStringLiteral("Exámen"));
}

// The statement as composed from the criteria on the screen.
TEST_F(SampleSearch, ComposedStatement) {
    const QString base = QStringLiteral(
        "select toma_id, toma_fecha, toma_nom, toma_nit, toma_idhis, tiex_nom from toma_muestra m, tipo_examen e "
        "where m.toma_examen = e.tiex_cod ");
    struct Case {
        int choice; // 0 Número, 1 Fecha, 2 Paciente
        QString text;
        bool anywhere;
        QString order;
        QString tail;
    } cases[] = {
        {2, {}, true, QStringLiteral("toma_id"), QStringLiteral(" order by toma_id desc, toma_id desc")},
        {0, QStringLiteral("5234"), true, {},
         QStringLiteral(" and upper(toma_nit) like upper('%5234%') order by toma_nit desc, toma_id desc")},
        {1, QStringLiteral("2024-"), false, {},
         QStringLiteral(" and upper(toma_fecha) >= upper('2024-') order by toma_fecha desc, toma_id desc")},
        {2, QStringLiteral("O'B"), false, QStringLiteral("TIEX_NOM"),
         QStringLiteral(" and upper(toma_nom) >= upper('O''B') order by TIEX_NOM desc, toma_id desc")},
        {2, QStringLiteral("d'a%"), true, {},
         QStringLiteral(" and upper(toma_nom) like upper('%d''a%%') order by toma_nom desc, toma_id desc")},
    };
    open();
    EXPECT_EQ(screen->query(), base + cases[0].tail); // the opening statement
    for (const Case& c : cases) {
        QRadioButton* choice[] = {screen->RBNumero, screen->RBFecha, screen->RBPaciente};
        choice[c.choice]->setChecked(true);
        screen->TxBuscar->setText(c.text);
        screen->ckPosicion->setChecked(c.anywhere);
        screen->compone_query(c.order);
        EXPECT_EQ(screen->query(), base + c.tail) << c.text.toStdString();
    }
}

TEST_F(SampleSearch, PatientAnywhereOrFromTheTextOnwards) {
    addSearchPatients();
    open();

    search(QStringLiteral("ana"), true);
    QStringList names = listed(QStringLiteral("TOMA_NOM"));
    EXPECT_TRUE(names.contains(QStringLiteral("JULIANA PEREZ")));
    EXPECT_TRUE(names.contains(QStringLiteral("ANA GOMEZ")));
    EXPECT_FALSE(names.contains(QStringLiteral("ALBERTO RUIZ")));
    for (const QString& n : names)
        EXPECT_TRUE(n.contains(QStringLiteral("ana"), Qt::CaseInsensitive)) << n.toStdString();
    EXPECT_TRUE(descending(names));

    // unchecked: every name from ANA onwards, from the highest down
    search(QStringLiteral("ana"), false);
    names = listed(QStringLiteral("TOMA_NOM"));
    QStringList expected;
    for (const QString& n : rows(QStringLiteral("select toma_nom from toma_muestra where toma_examen is not null")))
        if (n.toUpper() >= QStringLiteral("ANA"))
            expected << n;
    std::sort(expected.begin(), expected.end(), std::greater<>());
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(names.contains(QStringLiteral("JULIANA PEREZ")));
    EXPECT_TRUE(names.contains(QStringLiteral("ANA GOMEZ")));
    EXPECT_FALSE(names.contains(QStringLiteral("ALBERTO RUIZ")));
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
}

// Identification and date searches; dates are compared in the database's
// own text form, year-month-day.
TEST_F(SampleSearch, ByNumberAndByDate) {
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    const QString yesterday = QDate::currentDate().addDays(-1).toString(QStringLiteral("yyyy-MM-dd"));
    open();
    const struct {
        QRadioButton* choice;
        QString text;
        bool anywhere;
        QString where; // the samples expected, by the database
    } cases[] = {
        {screen->RBNumero, QStringLiteral("2345"), true, QStringLiteral("toma_nit like '%2345%'")},
        {screen->RBNumero, QStringLiteral("79"), false, QStringLiteral("toma_nit >= '79'")},
        {screen->RBFecha, today, true, QStringLiteral("toma_fecha = current_date")},
        {screen->RBFecha, yesterday, false, QStringLiteral("toma_fecha >= current_date - 1")},
    };
    for (const auto& c : cases) {
        c.choice->setChecked(true);
        search(c.text, c.anywhere);
        QStringList ids = listed(QStringLiteral("TOMA_ID"));
        ids.sort();
        QStringList expected =
            rows(QStringLiteral("select toma_id from toma_muestra where toma_examen is not null and ") + c.where);
        expected.sort();
        EXPECT_FALSE(expected.isEmpty()) << c.where.toStdString();
        EXPECT_EQ(ids, expected) << c.text.toStdString();
    }
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
}

TEST_F(SampleSearch, TitleClickKeepsTheSearchAndOnlyChangesTheOrder) {
    addSearchPatients();
    addSample(QStringLiteral("900004"), QStringLiteral("MARIANA DIAZ"), 3);
    open();
    search(QStringLiteral("ana"), true);
    QStringList ids = listed(QStringLiteral("TOMA_ID"));
    ids.sort();
    ASSERT_GE(ids.size(), 3);

    const struct {
        int column;
        QString field;
        bool numeric;
    } titles[] = {{0, QStringLiteral("TOMA_ID"), true},
                  {5, QStringLiteral("TIEX_NOM"), false},
                  {2, QStringLiteral("TOMA_NIT"), false}};
    for (const auto& t : titles) {
        clickTitle(t.column);
        QStringList now = listed(QStringLiteral("TOMA_ID"));
        EXPECT_TRUE(descending(listed(t.field), t.numeric)) << t.field.toStdString();
        now.sort();
        EXPECT_EQ(now, ids) << t.field.toStdString(); // the same samples
        EXPECT_TRUE(screen->query().contains(QStringLiteral("like upper('%ana%')")));
        EXPECT_TRUE(screen->query().endsWith(QStringLiteral(" order by %1 desc, toma_id desc").arg(t.field)));
    }
}

TEST_F(SampleSearch, QuoteInTheSearchTextIsJustACharacter) {
    addSample(QStringLiteral("900005"), QStringLiteral("O'BRIEN LUZ"), 1);
    open();
    search(QStringLiteral("o'bri"), true);
    EXPECT_EQ(listed(QStringLiteral("TOMA_NOM")), QStringList{QStringLiteral("O'BRIEN LUZ")});
    search(QStringLiteral("O'B"), false);
    EXPECT_TRUE(listed(QStringLiteral("TOMA_NOM")).contains(QStringLiteral("O'BRIEN LUZ")));
    search(QStringLiteral("x' or 1=1 --"), true);
    EXPECT_TRUE(screen->CMuestras->active());
    EXPECT_TRUE(listed(QStringLiteral("TOMA_NOM")).isEmpty());
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
}

TEST_F(SampleSearch, RefusedStatementIsReportedAndTheListStaysClosedUntilTheNextSearch) {
    open();
    // longer than any text literal the database takes
    search(QString(20000, QLatin1Char('A')), true);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Se presento el siguiente error: "))) << dialogs.errors[0].toStdString();
    EXPECT_FALSE(screen->CMuestras->active());
    EXPECT_EQ(screen->DBGrid->model()->rowCount(), 0);
    QTest::keyClick(screen->DBGrid, Qt::Key_F2);
    EXPECT_TRUE(printed.isEmpty());

    search(QStringLiteral("a"), true);
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(screen->CMuestras->active());
    EXPECT_GT(screen->DBGrid->model()->rowCount(), 0);
}

TEST_F(SampleSearch, ReprintKeysAndClosing) {
    open();
    const QStringList ids = listed(QStringLiteral("TOMA_ID"));
    ASSERT_GE(ids.size(), 2);
    screen->CMuestras->first();
    screen->DBGrid->setFocus();

    QTest::keyClick(screen->DBGrid, Qt::Key_F2);
    EXPECT_EQ(printed, QStringList{ids[0]});
    EXPECT_EQ(Fdmips->id_muestra, ids[0]);
    QTest::keyClick(screen->DBGrid, Qt::Key_F2, Qt::ControlModifier); // not with Ctrl
    EXPECT_EQ(printed.size(), 1);

    const QRect cell = screen->DBGrid->visualRect(screen->DBGrid->model()->index(1, 4));
    // a double click as the window system delivers it: press, release, double click
    QTest::mouseClick(screen->DBGrid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(screen->DBGrid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_EQ(printed, (QStringList{ids[0], ids[1]}));

    // Shift+F12, with Ctrl held too, goes to the search text
    QTest::keyClick(screen->DBGrid, Qt::Key_F12, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(screen->focusWidget(), screen->TxBuscar);
    // Enter there searches; with nothing found F2 prints nothing
    QTest::keyClicks(screen->TxBuscar, QStringLiteral("NADIE SE LLAMA ASI"));
    QTest::keyClick(screen->TxBuscar, Qt::Key_Return);
    EXPECT_EQ(screen->DBGrid->model()->rowCount(), 0);
    QTest::keyClick(screen->TxBuscar, Qt::Key_F2);
    EXPECT_EQ(printed.size(), 2);

    QTest::keyClick(screen->TxBuscar, Qt::Key_Escape);
    settle();
    EXPECT_TRUE(screen.isNull());
}

namespace {
class Host : public QMainWindow, public MdiHost {
public:
    Host() {
        setCentralWidget(area = new QMdiArea);
        resize(1024, 768);
        show();
        MdiHost::setInstance(this);
    }
    ~Host() override { MdiHost::setInstance(nullptr); }
    QMdiArea* mdiArea() const override { return area; }
    QSize clientSize() const override { return area->size(); }
    int childCount() const override { return int(area->subWindowList().size()); }
    template <typename T>
    T* child(int i) const {
        return qobject_cast<T*>(area->subWindowList().value(i) ? area->subWindowList().value(i)->widget() : nullptr);
    }
    QMdiArea* area;
};
} // namespace

TEST_F(SampleSearch, OpenedByNameFromSampleTakingAndPlaced) {
    registrar_pantallas_muestras();
    Host host;
    settle();
    const QSize c = host.clientSize();
    ASSERT_TRUE(pantallas::abrir(QStringLiteral("Ftomamuest")));
    auto* desk = host.child<Tftomamuest>(0);
    ASSERT_NE(desk, nullptr);

    desk->SBMuestras->click(); // one child open: 8 down, 6 across
    auto* first = host.child<Tfbuscmuestra>(1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->objectName(), QStringLiteral("Fbuscmuestra"));
    EXPECT_EQ(first->subWindow()->geometry(), QRect(6, 8, c.width() - 6 - 130, c.height() - 8 - 120));
    desk->SBMuestras->click();
    auto* second = host.child<Tfbuscmuestra>(2);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->subWindow()->geometry(), QRect(12, 16, c.width() - 12 - 130, c.height() - 16 - 120));

    desk->SBTipoexamen->click();
    auto* types = host.child<Tftipoexamen>(3);
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(types->subWindow()->geometry(),
              QRect(int(std::ceil((c.width() - 125 - 380) / 2.0)), int(std::ceil((c.height() - 120 - 350) / 2.0)), 380, 350));
    // the sample taking screen takes the search's windows with it
    desk->closeScreen();
    settle();
    EXPECT_TRUE(host.area->subWindowList().isEmpty());
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
}
