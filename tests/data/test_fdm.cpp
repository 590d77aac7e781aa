// The shared data module's services on a real company database: settings,
// access rights, status-bar notices, printer mapping, column names and the
// translation of save errors.
#include "common/ScriptedDialogs.h"
#include "common/SqlText.h"
#include "data/DataSetError.h"
#include "data/StatusBarHost.h"
#include "data/dm.h"
#include "tests/support/TestDatabases.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
class FakeStatusBar : public StatusBarHost {
public:
    void setNoticeText(const QString& t) override { text = t; }
    QString noticeText() const override { return text; }
    void setBarColor(const QColor& c) override { color = c; }
    QColor barColor() const override { return color; }
    QColor buttonFaceColor() const override { return QColor(240, 240, 240); }
    QColor skinGlobalColor() const override { return QColor(200, 220, 255); }
    void repaintMain() override { ++repaints; }
    void restartMessagePoll(int ms) override { poll = ms; }
    QString text;
    QColor color{240, 240, 240};
    int repaints = 0;
    int poll = 10000;
};

class FdmTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString root = TestDatabases::freshInstallation(dir);
        dm.diraplicacion = [root] { return root; };
        dm.setStatusBar(&bar);
        dm.cod_usuario = QStringLiteral("RECEPCION");
        dm.Zentavo.setParam(QStringLiteral("Database"), root + QStringLiteral("/datos/001/zentavo.fdb"));
        dm.Zentavo.setParam(QStringLiteral("User_Name"), dm.cod_usuario);
        dm.Zentavo.open();
        dm.cargue_configuracion();
    }
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    FakeStatusBar bar;
    Tfdm dm;
};
} // namespace

TEST_F(FdmTest, SettingsAreReadExactly) {
    EXPECT_FALSE(dm.configuracion(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"),
                                  QStringLiteral("NOMBRE COMPAÑIA")).isEmpty());
    EXPECT_TRUE(dialogs.errors.isEmpty());
    // a property that differs only in letter case is missing
    EXPECT_EQ(dm.configuracion(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"),
                               QStringLiteral("Nombre Compañia")), QString());
    EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("No se encontró la configuración Nombre Compañia")});
    // every setting the program reads is present and converts
    bool ok = false;
    dm.configuracion(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"), QStringLiteral("DURACION DE LAS BUSQUEDAS")).toInt(&ok);
    EXPECT_TRUE(ok);
    for (const char* prop : {"COLOR COMPROMISOS DE PRIORIDAD NORMAL", "COLOR COMPROMISOS DE PRIORIDAD MEDIA",
                             "COLOR COMPROMISOS DE PRIORIDAD ALTA"})
        EXPECT_TRUE(QColor::isValidColorName(dm.configuracion(QStringLiteral("CRM"), QStringLiteral("COMPROMISOS"),
                                                              QString::fromUtf8(prop))))
            << prop;
    EXPECT_EQ(dialogs.errors.size(), 1);
}

TEST_F(FdmTest, AccessRights) {
    bool admin = false;
    dm.es_administrador = [&] { return admin; };
    EXPECT_TRUE(dm.valide_acceso(dm.modulo, 10));
    EXPECT_FALSE(dm.valide_acceso(dm.modulo, 12));
    EXPECT_FALSE(dm.valide_acceso(QStringLiteral("O'HARA"), 10)); // quoted, no row
    dm.cod_usuario = QStringLiteral("NADIE");
    EXPECT_FALSE(dm.valide_acceso(dm.modulo, 10));
    admin = true;
    dm.Zentavo.close(); // an administrator needs no query
    EXPECT_TRUE(dm.valide_acceso(QStringLiteral("CONTABILIDAD"), 0));
    EXPECT_FALSE(dm.Zentavo.isOpen());
}

TEST_F(FdmTest, FetchNoticesAndWarnings) {
    QObject screen;
    QueryObject q(QStringLiteral("TTerceros"), dm.Zentavo, QStringLiteral("SELECT * FROM TERCEROS"));
    auto* p = new Provider(QStringLiteral("PTerceros"), q, &screen);
    auto& ds = *new ClientDataSet(QStringLiteral("CTerceros"), &screen);
    ds.setProvider(p);
    dm.ConfigurarProviders(&screen);
    QStringList seen;
    auto before = ds.beforeFetch;
    ds.beforeFetch = [&](ClientDataSet& d) {
        before(d);
        seen << bar.text;
    };
    ds.open();
    EXPECT_EQ(seen, QStringList{QStringLiteral("Solicitando información. Espere un momento...")});
    EXPECT_EQ(bar.color, bar.buttonFaceColor()); // back to normal after the fetch
    EXPECT_EQ(bar.text, QString());

    dm.mostrar_advertencia(QStringLiteral("cuidado"));
    EXPECT_EQ(bar.text, QStringLiteral("Advertencia: cuidado"));
    EXPECT_EQ(bar.color, QColor(Qt::red));
    const int configured = dm.configuracion(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"),
                                            QStringLiteral("DURACION DE LAS ADVERTENCIAS")).toInt();
    EXPECT_EQ(bar.poll, configured * 100);
    ds.close();
    ds.open(); // a fetch while the warning shows leaves it alone
    EXPECT_EQ(bar.text, QStringLiteral("Advertencia: cuidado"));
    EXPECT_EQ(bar.color, QColor(Qt::red));
    EXPECT_TRUE(dm.fin_advertencia()); // the poll ends it and goes back to 10 s
    EXPECT_EQ(bar.color, bar.buttonFaceColor());
    EXPECT_EQ(bar.poll, 10000);
    EXPECT_FALSE(dm.fin_advertencia());
}

TEST_F(FdmTest, PrinterMapping) {
    QFile cfg(dm.diraplicacion() + QStringLiteral("/impresoras.cfg"));
    ASSERT_TRUE(cfg.open(QIODevice::WriteOnly | QIODevice::Truncate));
    cfg.write("OTRAETIQUETAS,Lejana\r\nETIQUETAS,LabelPDF\r\nFACTURAS,Laser 1\r\n");
    cfg.close();
    QString result = QStringLiteral("default");
    dm.nombre_impresora(QStringLiteral("FACTURAS"), result);
    EXPECT_EQ(result, QStringLiteral("Laser 1"));
    // found anywhere in the line: the longer name that ends with it matches first
    dm.nombre_impresora(QStringLiteral("ETIQUETAS"), result);
    EXPECT_EQ(result, QStringLiteral("Lejana"));
    dm.nombre_impresora(QStringLiteral("NINGUNA"), result);
    EXPECT_EQ(result, QString());
    cfg.remove();
    result = QStringLiteral("kept");
    dm.nombre_impresora(QStringLiteral("ETIQUETAS"), result);
    EXPECT_EQ(result, QStringLiteral("kept"));
    EXPECT_EQ(dialogs.errors.last(), QStringLiteral("Error abriendo el archivo") + cfg.fileName());
}

TEST_F(FdmTest, SaveErrorsAreTranslated) {
    QObject screen;
    QueryObject q(QStringLiteral("TTerceros"), dm.Zentavo, QStringLiteral("SELECT * FROM TERCEROS"));
    auto* p = new Provider(QStringLiteral("PTerceros"), q, &screen);
    auto* ds = new ClientDataSet(QStringLiteral("CTerceros"), &screen);
    ds->setProvider(p);
    dm.ConfigurarProviders(&screen);
    ds->open();
    const QString existing = ds->text(QStringLiteral("TERC_NIT"));

    // required fields, named by their display names or column names
    ds->append();
    EXPECT_THROW(ds->post(), OperationAborted);
    ASSERT_FALSE(dialogs.errors.isEmpty());
    EXPECT_TRUE(dialogs.errors.last().startsWith(QStringLiteral("Los campos ")));
    EXPECT_TRUE(dialogs.errors.last().endsWith(QStringLiteral(",  son obligatorios.")));
    EXPECT_TRUE(bar.text.startsWith(QStringLiteral("Advertencia: CTerceros: ")));

    // a duplicate key refused by the server while saving
    ds->setValue(QStringLiteral("TERC_NIT"), Value(existing));
    ds->setValue(QStringLiteral("TERC_NOM"), Value(QStringLiteral("DUPLICADO")));
    ds->post();
    EXPECT_EQ(ds->applyUpdates(0), 1);
    EXPECT_EQ(dialogs.errors.last(), QStringLiteral("Ya existe el registro en la tabla Terceros"));
    EXPECT_EQ(ds->changeCount(), 1);

    // a referenced row cannot go: a sample points at the patient
    ds->cancelUpdates();
    dm.ejecutar(QStringLiteral("INSERT INTO TOMA_MUESTRA (TOMA_ID, TOMA_NIT, TOMA_NOM) VALUES (-5, ") +
                sqltext::quoted(existing) + QStringLiteral(", 'X')"));
    ASSERT_TRUE(ds->locate({QStringLiteral("TERC_NIT")}, {Value(existing)}));
    ds->remove();
    EXPECT_EQ(ds->applyUpdates(0), 1);
    EXPECT_EQ(dialogs.errors.last(), QStringLiteral("Está borrando o insertando un registro en la tabla Terceros que "
                                                    "tiene una relación con otra tabla."));
}

TEST_F(FdmTest, ColumnDisplayNames) {
    dm.ejecutar(QStringLiteral("UPDATE OR INSERT INTO NOMBRES_CAMPOS (NOMBRE, DESCRIPCION) VALUES ('TERC_NOM', 'Nombre') MATCHING (NOMBRE)"));
    EXPECT_EQ(dm.nombre_campo(QStringLiteral("TERC_NOM")), QStringLiteral("Nombre"));
    EXPECT_EQ(dm.nombre_campo(QStringLiteral("terc_nom")), QStringLiteral("terc_nom"));
    EXPECT_EQ(dm.nombre_campo(QStringLiteral("NO_EXISTE")), QStringLiteral("NO_EXISTE"));
}

TEST_F(FdmTest, NonDatabaseErrorsAndAbortsOutsideDatasets) {
    EXPECT_FALSE(dm.protect([] { (void)Value(QStringLiteral("abc")).toInt(); }));
    EXPECT_EQ(dialogs.errors.last(), QStringLiteral("Se presento el siguiente error: 'abc' is not a valid integer value"));
    const int shown = int(dialogs.errors.size());
    EXPECT_FALSE(dm.protect([] { throw OperationAborted(); }));
    EXPECT_EQ(dialogs.errors.size(), shown); // silent
}

TEST_F(FdmTest, FreeStatementPairRunsLookupsAndCommands) {
    QObject screen;
    auto* pb = new Provider(QStringLiteral("PBorrar"), dm.QBorrar, &screen);
    auto* cb = new ClientDataSet(QStringLiteral("CBorrar"), &screen);
    cb->setProvider(pb);
    dm.ConfigurarProviders(&screen);
    cb->setCommandText(QStringLiteral("select count(*) from tipo_examen"));
    cb->open();
    const qint64 before = cb->value(0).toInt();
    cb->close();
    cb->setCommandText(QStringLiteral("delete from tipo_examen where tiex_cod = (select max(tiex_cod) from tipo_examen)"));
    cb->execute();
    cb->setCommandText(QStringLiteral("select count(*) from tipo_examen"));
    cb->open();
    EXPECT_EQ(cb->value(0).toInt(), before - 1);
    cb->close();
    // a failing command reaches the program-wide handler
    cb->setCommandText(QStringLiteral("delete from tabla_que_no_existe"));
    EXPECT_FALSE(dm.protect([&] { cb->execute(); }));
    EXPECT_TRUE(dialogs.errors.last().startsWith(QStringLiteral("Se presento el siguiente error: ")));
}
