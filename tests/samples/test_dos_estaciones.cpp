// Two workstations saving samples at once against the same server database:
// every record is stored once and every sample number is distinct.
#include "data/FbConnection.h"
#include "data/Installation.h"
#include "data/dm.h"
#include "tests/support/TestDatabases.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

TEST(DosEstaciones, EveryRecordStoredOnceWithDistinctNumbers) {
    if (TestDatabases::serverHost().isEmpty())
        GTEST_SKIP() << "no Firebird server configured (TM_FB_SERVER)";
    const QString file = TestDatabases::serverDir() + QStringLiteral("/estaciones_%1.fdb").arg(QCoreApplication::applicationPid());
    const QString path = TestDatabases::serverHost() + QLatin1Char(':') + file;
    QFile::remove(file);
    FbConnection::createDatabase(path, QStringLiteral("SYSDBA"), TestDatabases::sysdbaPassword());
    for (const char* script : {"zentavo.sql", "zentavo_seed.sql", "demo_zentavo.sql"})
        Installation::runBundledScript(path, QLatin1String(script));

    const int perStation = 500;
    QProcess a, b;
    const QStringList args{path, QStringLiteral("SYSDBA"), TestDatabases::sysdbaPassword(), QString::number(perStation)};
    a.start(QStringLiteral(TM_ESTACION), args);
    b.start(QStringLiteral(TM_ESTACION), args);
    ASSERT_TRUE(a.waitForFinished(600000));
    ASSERT_TRUE(b.waitForFinished(600000));
    EXPECT_EQ(a.exitCode(), 0) << a.readAllStandardError().toStdString();
    EXPECT_EQ(b.exitCode(), 0) << b.readAllStandardError().toStdString();
    QSet<QString> numbers;
    int reported = 0;
    for (QProcess* p : {&a, &b})
        for (const QByteArray& line : p->readAllStandardOutput().split('\n'))
            if (!line.trimmed().isEmpty()) {
                numbers.insert(QString::fromLatin1(line.trimmed()));
                ++reported;
            }
    EXPECT_EQ(reported, 2 * perStation);
    EXPECT_EQ(numbers.size(), 2 * perStation); // no number handed out twice

    Tfdm dm;
    dm.Zentavo.setParam(QStringLiteral("Database"), path);
    dm.Zentavo.setParam(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
    dm.Zentavo.setParam(QStringLiteral("password"), TestDatabases::sysdbaPassword());
    const qint64 demo = 3; // samples of the demo data
    EXPECT_EQ(dm.valor(QStringLiteral("select count(*) from toma_muestra")).toInt(), demo + 2 * perStation);
    EXPECT_EQ(dm.valor(QStringLiteral("select count(distinct toma_id) from toma_muestra")).toInt(), demo + 2 * perStation);
    for (const QString& n : numbers)
        if (dm.valor(QStringLiteral("select count(*) from toma_muestra where toma_id = ") + n).toInt() != 1) {
            ADD_FAILURE() << "sample " << n.toStdString() << " not stored exactly once";
            break;
        }
    dm.Zentavo.close();
    QFile::remove(file);
}
