// Connection failures reach the user as the four Spanish messages, each with
// one line in ERRORES.TXT; embedded and server paths alike.
#include "common/ScriptedDialogs.h"
#include "data/ClientDataSet.h"
#include "data/DbError.h"
#include "data/FbConnection.h"
#include "data/dm.h"
#include "tests/support/TestDatabases.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
class ConnectionErrors : public ::testing::Test {
protected:
    void SetUp() override {
        dm.diraplicacion = [this] { return dir.path(); };
    }

    // Opens ConGeneral the way the login does, sending any error to the
    // program-wide handler; returns the message shown.
    QString loginMessage(const QString& database, const QString& user, const QString& password) {
        dm.ConGeneral.close();
        dm.ConGeneral.setParam(QStringLiteral("Database"), database);
        dm.ConGeneral.setParam(QStringLiteral("User_Name"), user);
        dm.ConGeneral.setParam(QStringLiteral("password"), password);
        const int before = int(dialogs.errors.size());
        EXPECT_FALSE(dm.protect([&] { dm.ConGeneral.open(); }));
        EXPECT_FALSE(dm.ConGeneral.isOpen());
        return dialogs.errors.size() > before ? dialogs.errors.last() : QString();
    }

    QStringList logLines() const {
        QFile f(dir.filePath(QStringLiteral("ERRORES.TXT")));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        // a log line ends with CR LF; the message itself may span lines
        return QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Tfdm dm;
};
} // namespace

TEST_F(ConnectionErrors, MissingFileNamesThePath) {
    const QString missing = dir.filePath(QStringLiteral("datos/002/zentavo.fdb"));
    EXPECT_EQ(loginMessage(missing, QStringLiteral("ADMIN"), QString()),
              QStringLiteral("No se encontró el archivo o la ruta ") + missing);
    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), 1);
    // date, time, user (empty before login), message
    const QStringList fields = lines.first().split(QLatin1Char(','));
    EXPECT_TRUE(QDate::fromString(fields.value(0), QStringLiteral("MM/dd/yyyy")).isValid()) << lines.first().toStdString();
    EXPECT_TRUE(QTime::fromString(fields.value(1), QStringLiteral("HH:mm:ss")).isValid());
    EXPECT_EQ(fields.value(2), QString());
    EXPECT_EQ(dialogs.beeps, 1);
}

TEST_F(ConnectionErrors, ServerRefusesAWrongPassword) {
    if (TestDatabases::serverHost().isEmpty())
        GTEST_SKIP() << "no Firebird server configured (TM_FB_SERVER)";
    // create a database on the server, then log in with a wrong password and the right one
    const QString path = TestDatabases::serverHost() + QLatin1Char(':') + TestDatabases::serverDir() +
                         QStringLiteral("/login_%1.fdb").arg(QCoreApplication::applicationPid());
    FbConnection::createDatabase(path, QStringLiteral("SYSDBA"), TestDatabases::sysdbaPassword());
    EXPECT_EQ(loginMessage(path, QStringLiteral("SYSDBA"), QStringLiteral("wrong")),
              QStringLiteral("El nombre de Usuario o la clave son incorrectas."));
    EXPECT_EQ(logLines().size(), 1);
    dm.ConGeneral.setParam(QStringLiteral("password"), TestDatabases::sysdbaPassword());
    EXPECT_NO_THROW(dm.ConGeneral.open());
    dm.ConGeneral.close();
    QFile::remove(path.mid(path.indexOf(QLatin1Char(':')) + 1));
}

TEST_F(ConnectionErrors, UnknownHostAndClosedPort) {
    if (TestDatabases::serverHost().isEmpty())
        GTEST_SKIP() << "no Firebird server configured (TM_FB_SERVER)";
    EXPECT_EQ(loginMessage(QStringLiteral("nohost.invalid:/srv/datos/general.fdb"), QStringLiteral("SYSDBA"),
                           QStringLiteral("x")),
              QStringLiteral("No se encontró el equipo servidor con nombre nohost.invalid"));
    EXPECT_EQ(loginMessage(QStringLiteral("localhost/3999:/srv/datos/general.fdb"), QStringLiteral("SYSDBA"),
                           QStringLiteral("x")),
              QStringLiteral("No se encontró el servidor Interbase/Firebird. Verifique Servidor en panel de "
                             "control y puerto TCP 3050."));
    EXPECT_EQ(logLines().size(), 2);
}

TEST_F(ConnectionErrors, UnwritableLogStillShowsTheMessage) {
    // a folder where the log file should be: it cannot be opened for append
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("ERRORES.TXT")));
    EXPECT_EQ(loginMessage(dir.filePath(QStringLiteral("none.fdb")), QString(), QString()),
              QStringLiteral("No se encontró el archivo o la ruta ") + dir.filePath(QStringLiteral("none.fdb")));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("ERRORES.TXT"))).isDir());
}

TEST_F(ConnectionErrors, SaveSurvivesADatabaseThatWentAway) {
    if (TestDatabases::serverHost().isEmpty())
        GTEST_SKIP() << "no Firebird server configured (TM_FB_SERVER)";
    const QString file = TestDatabases::serverDir() + QStringLiteral("/away_%1.fdb").arg(QCoreApplication::applicationPid());
    const QString path = TestDatabases::serverHost() + QLatin1Char(':') + file;
    QFile::remove(file);
    FbConnection::createDatabase(path, QStringLiteral("SYSDBA"), TestDatabases::sysdbaPassword());
    dm.Zentavo.setParam(QStringLiteral("Database"), path);
    dm.Zentavo.setParam(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
    dm.Zentavo.setParam(QStringLiteral("password"), TestDatabases::sysdbaPassword());
    dm.ejecutar(QStringLiteral("CREATE TABLE MUESTRA (ID INTEGER NOT NULL PRIMARY KEY, NOMBRE VARCHAR(20))"));

    QueryObject q(QStringLiteral("TMuestra"), dm.Zentavo, QStringLiteral("SELECT * FROM MUESTRA"));
    Provider p(QStringLiteral("PMuestra"), q);
    ClientDataSet ds(QStringLiteral("CMuestra"));
    ds.setProvider(&p);
    ds.open();
    ds.append();
    ds.setValue(QStringLiteral("ID"), Value(1));
    ds.setValue(QStringLiteral("NOMBRE"), Value(QStringLiteral("ANA")));
    ds.post();

    auto gfix = [&](const QStringList& args) {
        QProcess::execute(QStringLiteral("gfix"), args + QStringList{QStringLiteral("-user"), QStringLiteral("SYSDBA"),
                                                                     QStringLiteral("-password"),
                                                                     TestDatabases::sysdbaPassword(), path});
    };
    gfix({QStringLiteral("-shut"), QStringLiteral("full"), QStringLiteral("-force"), QStringLiteral("0")});
    EXPECT_FALSE(dm.protect([&] { ds.applyUpdates(0); }));
    EXPECT_TRUE(dialogs.errors.last().startsWith(QStringLiteral("Se perdió la conexión con la base de datos")))
        << dialogs.errors.last().toStdString();
    EXPECT_EQ(ds.changeCount(), 1); // nothing lost

    gfix({QStringLiteral("-online")});
    EXPECT_EQ(ds.applyUpdates(0), 0); // the retry attaches again and stores the row once
    EXPECT_EQ(ds.changeCount(), 0);
    EXPECT_EQ(ds.applyUpdates(0), 0);
    EXPECT_EQ(dm.valor(QStringLiteral("SELECT COUNT(*) FROM MUESTRA")).toInt(), 1);
    dm.Zentavo.close();
    QFile::remove(file);
}
