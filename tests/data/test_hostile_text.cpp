// Hostile text through quoting and through the dataset layer: whatever the
// user types is stored as typed or refused whole with a clear message.
#include "common/ScriptedDialogs.h"
#include "common/SqlText.h"
#include "data/dm.h"
#include "tests/support/TestDatabases.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QStringList& corpus() {
    static const QStringList texts = {
        QStringLiteral("O'Brien"),
        QStringLiteral("'; delete from terceros; --"),
        QStringLiteral("''''"),
        QStringLiteral("\" or 1=1 --"),
        QStringLiteral("Peña Muñoz Ángela Ü"),
        QStringLiteral("emoji 😀🧪 tubo"),
        QStringLiteral("back\\slash % _ ?"),
        QStringLiteral(":ID :param"),
        QStringLiteral("line\nbreak\ttab"),
        QStringLiteral("   "),
    };
    return texts;
}

class HostileText : public ::testing::Test {
protected:
    void SetUp() override {
        dm.diraplicacion = [this] { return dir.path(); };
        dm.Zentavo.setParam(QStringLiteral("Database"), TestDatabases::freshCompany(dir));
        dm.Zentavo.setParam(QStringLiteral("User_Name"), QStringLiteral("ADMIN"));
        dm.Zentavo.open();
        dm.cod_usuario = QStringLiteral("ADMIN");
        count = dm.valor(QStringLiteral("SELECT COUNT(*) FROM TERCEROS")).toInt();
    }
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Tfdm dm;
    qint64 count = 0;
};
} // namespace

TEST_F(HostileText, QuotedIntoStatementsItIsStoredAsTyped) {
    int n = 0;
    for (const QString& text : corpus()) {
        SCOPED_TRACE(text.toStdString());
        const QString nit = QStringLiteral("H%1").arg(++n);
        ASSERT_TRUE(dm.protect([&] {
            dm.ejecutar(QStringLiteral("INSERT INTO TERCEROS (TERC_NIT, TERC_NOM) VALUES (") + sqltext::quoted(nit) +
                        QStringLiteral(", ") + sqltext::quoted(text) + QStringLiteral(")"));
        }));
        EXPECT_EQ(dm.valor(QStringLiteral("SELECT TERC_NOM FROM TERCEROS WHERE TERC_NOM = ") + sqltext::quoted(text))
                      .toString(),
                  text);
    }
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(dm.valor(QStringLiteral("SELECT COUNT(*) FROM TERCEROS")).toInt(), count + n);
}

TEST_F(HostileText, ThroughTheDatasetLayer) {
    QObject screen;
    QueryObject q(QStringLiteral("TTerceros"), dm.Zentavo, QStringLiteral("SELECT * FROM TERCEROS"));
    auto* p = new Provider(QStringLiteral("PTerceros"), q, &screen);
    auto* ds = new ClientDataSet(QStringLiteral("CTerceros"), &screen);
    ds->setProvider(p);
    dm.ConfigurarProviders(&screen);
    ds->open();
    int n = 0;
    for (const QString& text : corpus()) {
        ds->append();
        ds->setValue(QStringLiteral("TERC_NIT"), Value(QStringLiteral("D%1").arg(++n)));
        ds->setValue(QStringLiteral("TERC_NOM"), Value(text));
        ds->setValue(QStringLiteral("TERC_DIR"), Value(text));
        ds->post();
    }
    EXPECT_EQ(ds->applyUpdates(0), 0);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
    for (int i = 1; i <= n; ++i)
        EXPECT_EQ(dm.valor(QStringLiteral("SELECT TERC_NOM FROM TERCEROS WHERE TERC_NIT = 'D%1'").arg(i)).toString(),
                  corpus().at(i - 1));
    // editing a row found by its hostile values works too
    ds->close();
    ds->open();
    ASSERT_TRUE(ds->locate({QStringLiteral("TERC_NIT")}, {Value(QStringLiteral("D2"))}));
    ds->edit();
    ds->setValue(QStringLiteral("TERC_DIR"), Value(QStringLiteral("Calle 1")));
    EXPECT_EQ(ds->applyUpdates(0), 0);
}

TEST_F(HostileText, OverlongTextIsRefusedWholeWithAMessage) {
    QObject screen;
    QueryObject q(QStringLiteral("TTerceros"), dm.Zentavo, QStringLiteral("SELECT * FROM TERCEROS"));
    auto* p = new Provider(QStringLiteral("PTerceros"), q, &screen);
    auto* ds = new ClientDataSet(QStringLiteral("CTerceros"), &screen);
    ds->setProvider(p);
    dm.ConfigurarProviders(&screen);
    ds->open();
    for (int length : {61, 10000, 40000}) {
        SCOPED_TRACE(length);
        ds->append();
        ds->setValue(QStringLiteral("TERC_NIT"), Value(QStringLiteral("L%1").arg(length)));
        ds->setValue(QStringLiteral("TERC_NOM"), Value(QString(length, QLatin1Char('x'))));
        ds->post();
        EXPECT_EQ(ds->applyUpdates(0), 1);
        EXPECT_EQ(dialogs.errors.last(), QStringLiteral("Un texto es más largo de lo que admite su campo en la tabla "
                                                        "Terceros. Acórtelo y grabe de nuevo."));
        EXPECT_EQ(ds->changeCount(), 1); // the typed record is kept for a correction
        ds->cancelUpdates();
    }
    // a sixty-character name with accents fits exactly
    ds->append();
    ds->setValue(QStringLiteral("TERC_NIT"), Value(QStringLiteral("L60")));
    ds->setValue(QStringLiteral("TERC_NOM"), Value(QString(60, QChar(0x00D1))));
    EXPECT_EQ(ds->applyUpdates(0), 0);
    EXPECT_EQ(dm.valor(QStringLiteral("SELECT COUNT(*) FROM TERCEROS")).toInt(), count + 1);
}
