// The sample-taking screen against a real company database: defaults, rows
// shown by the number of samples, the identification lookup, saving under
// fresh numbers, and a save that survives a database that went away.
#include "agenda/dmcrm.h"
#include "common/ScriptedDialogs.h"
#include "data/ClientDataSet.h"
#include "data/FbConnection.h"
#include "data/Installation.h"
#include "data/dm.h"
#include "masters/dmcnt.h"
#include "patients/dmter.h"
#include "samples/dmips.h"
#include "samples/tomamuest.h"
#include "tests/support/TestDatabases.h"
#include "ui/Pantallas.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
class SampleDesk : public ::testing::Test {
protected:
    void SetUp() override {
        pantallas::olvidar_todas();
        pantallas::registrar(QStringLiteral("Fimprmuestra"), [this](ScreenBase*) { printed << Fdmips->id_muestra; });
        pantallas::registrar(QStringLiteral("Fnvotercerotm"), [this](ScreenBase*) { newPatientFor << fdmter->nit_pendiente; });
        dm.diraplicacion = [this] { return dir.path(); };
        dm.cod_usuario = QStringLiteral("RECEPCION");
    }
    void open(const QString& database) {
        dm.Zentavo.setParam(QStringLiteral("Database"), database);
        dm.Zentavo.setParam(QStringLiteral("User_Name"), dm.cod_usuario);
        dm.Zentavo.open();
        dm.cargue_configuracion();
        screen = new Tftomamuest;
        screen->show();
    }
    void TearDown() override {
        if (screen)
            screen->closeScreen();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        pantallas::olvidar_todas();
    }
    void typeNit(const QString& nit) {
        screen->DBEditNit->setFocus();
        screen->DBEditNit->clear();
        QTest::keyClicks(screen->DBEditNit, nit);
        QTest::keyClick(screen->DBEditNit, Qt::Key_Return);
    }
    void chooseExam(int row, int code) {
        QComboBox* c = screen->CBExamen[row];
        c->setCurrentIndex(c->findData(QString::number(code)));
        emit c->activated(c->currentIndex());
    }
    qint64 count(const QString& where = QString()) {
        return dm.valor(QStringLiteral("select count(*) from toma_muestra ") + where).toInt();
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Tfdm dm;
    Tfdmcrm crm;
    Tfdmter ter;
    TFdmips ips;
    Tfdmcnt cnt;
    QPointer<Tftomamuest> screen;
    QStringList printed, newPatientFor;
};
} // namespace

TEST_F(SampleDesk, NewRecordAndRowsShownByTheNumberOfSamples) {
    open(TestDatabases::freshCompany(dir));
    EXPECT_EQ(screen->CTomamuest->state(), ClientDataSet::State::Insert);
    EXPECT_EQ(screen->CTomamuest->value(QStringLiteral("TOMA_FECHA")).toDate(), QDate::currentDate());
    EXPECT_EQ(screen->CBNromues->currentText(), QStringLiteral("1"));
    EXPECT_TRUE(screen->CBExamen[0]->isVisible());
    EXPECT_FALSE(screen->CBExamen[1]->isVisible());

    screen->CBNromues->setCurrentText(QStringLiteral("5"));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(screen->CBExamen[i]->isVisible(), i < 5) << i;
    chooseExam(3, 2);
    screen->CBNromues->setCurrentText(QStringLiteral("2"));
    EXPECT_FALSE(screen->CBExamen[3]->isVisible());
    EXPECT_EQ(screen->CTomamuest->value(QStringLiteral("TOMA_EXAMEN4")).toInt(), 2); // kept in the record
    screen->CBNromues->setCurrentText(QString());
    EXPECT_TRUE(screen->CBExamen[1]->isVisible()); // an empty text changes nothing
}

TEST_F(SampleDesk, IdentificationLookup) {
    open(TestDatabases::freshCompany(dir));
    const QString nit = dm.valor(QStringLiteral(
        "select first 1 t.terc_nit from terceros t join registro r on r.terc_nit = t.terc_nit where t.terc_estado = 'S'")).toString();
    typeNit(nit);
    EXPECT_EQ(screen->DBEditNom->text(), dm.valor(QStringLiteral("select terc_nom from terceros where terc_nit = '%1'").arg(nit)).toString());
    EXPECT_EQ(screen->DBEditIdhis->text(), dm.valor(QStringLiteral("select hicl_id from registro where terc_nit = '%1'").arg(nit)).toString());
    EXPECT_TRUE(dialogs.questions.isEmpty());

    // unknown: asked once; No clears the identification without asking again
    dialogs.answers = {false};
    typeNit(QStringLiteral("9988776655"));
    EXPECT_EQ(dialogs.questions, QStringList{QStringLiteral("Identificación no encontrada. Crear paciente?")});
    EXPECT_TRUE(screen->CTomamuest->value(QStringLiteral("TOMA_NIT")).isNull());
    EXPECT_TRUE(screen->DBEditNit->text().isEmpty());

    // Yes hands the identification to the new-patient screen and keeps it
    dialogs.answers = {true};
    typeNit(QStringLiteral("O'Neill-1"));
    EXPECT_EQ(newPatientFor, QStringList{QStringLiteral("O'Neill-1")});
    EXPECT_EQ(screen->DBEditNit->text(), QStringLiteral("O'Neill-1"));
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
}

TEST_F(SampleDesk, RefusedSavesConsumeNumbersAndTheLastOneIsStored) {
    open(TestDatabases::freshCompany(dir));
    const qint64 before = count();
    const qint64 first = dm.valor(QStringLiteral("select gen_id(gen_toma_muestra, 0) from rdb$database")).toInt();
    // no patient: the database refuses, twice
    EXPECT_FALSE(screen->SBGrabarClick());
    EXPECT_FALSE(screen->SBGrabarClick());
    EXPECT_EQ(dialogs.errors.size(), 2);
    EXPECT_NE(screen->CTomamuest->state(), ClientDataSet::State::Browse); // still editing, values kept
    const QString nit = dm.valor(QStringLiteral("select first 1 terc_nit from terceros where terc_estado = 'S'")).toString();
    typeNit(nit);
    chooseExam(0, 1);
    EXPECT_TRUE(screen->SBGrabarClick());
    EXPECT_EQ(count(), before + 1);
    EXPECT_EQ(printed, QStringList{QString::number(first + 3)});
    EXPECT_EQ(count(QStringLiteral("where toma_id = %1 and toma_examen = 1").arg(first + 3)), 1);
    EXPECT_EQ(dm.valor(QStringLiteral("select count(*) from auditoria where tido_cod = 99 and audi_oper = 'I' and audi_iddoc = %1")
                           .arg(first + 3)).toInt(), 1);
    // a new record is ready
    EXPECT_EQ(screen->CTomamuest->state(), ClientDataSet::State::Insert);
    EXPECT_TRUE(screen->DBEditNit->text().isEmpty());
    EXPECT_EQ(screen->CBNromues->currentText(), QStringLiteral("1"));
}

TEST_F(SampleDesk, SaveIsKeptWhenTheDatabaseWentAwayAndStoredOnceOnRetry) {
    if (TestDatabases::serverHost().isEmpty())
        GTEST_SKIP() << "no Firebird server configured (TM_FB_SERVER)";
    const QString file = TestDatabases::serverDir() + QStringLiteral("/desk_%1.fdb").arg(QCoreApplication::applicationPid());
    const QString path = TestDatabases::serverHost() + QLatin1Char(':') + file;
    QFile::remove(file);
    FbConnection::createDatabase(path, QStringLiteral("SYSDBA"), TestDatabases::sysdbaPassword());
    for (const char* script : {"zentavo.sql", "zentavo_seed.sql", "demo_zentavo.sql"})
        Installation::runBundledScript(path, QLatin1String(script));
    dm.Zentavo.setParam(QStringLiteral("password"), TestDatabases::sysdbaPassword());
    dm.cod_usuario = QStringLiteral("SYSDBA");
    open(path);
    const qint64 before = count();
    typeNit(dm.valor(QStringLiteral("select first 1 terc_nit from terceros where terc_estado = 'S'")).toString());
    chooseExam(0, 1);
    auto gfix = [&](const QStringList& args) {
        QProcess::execute(QStringLiteral("gfix"), args + QStringList{QStringLiteral("-user"), QStringLiteral("SYSDBA"),
                                                                     QStringLiteral("-password"),
                                                                     TestDatabases::sysdbaPassword(), path});
    };
    gfix({QStringLiteral("-shut"), QStringLiteral("full"), QStringLiteral("-force"), QStringLiteral("0")});
    EXPECT_FALSE(screen->SBGrabarClick());
    EXPECT_FALSE(dialogs.errors.isEmpty());
    EXPECT_FALSE(screen->DBEditNom->text().isEmpty()); // nothing typed is lost
    gfix({QStringLiteral("-online")});
    EXPECT_TRUE(screen->SBGrabarClick());
    EXPECT_EQ(count(), before + 1);
    EXPECT_EQ(printed.size(), 1);
    screen->closeScreen();
    dm.Zentavo.close();
    QFile::remove(file);
}
