// A new installation folder: databases from the scripts, demo users in both
// databases, configuration files, and the registry stand-in pointing at it.
#include "common/Registry.h"
#include "data/FbConnection.h"
#include "data/Installation.h"
#include "data/dm.h"
#include "tests/support/TestDatabases.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
} // namespace

TEST(Installation, CreatesAWorkingInstallationOnceAndPointsTheRegistryAtIt) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("registry.ini"));
    qputenv("TEVANOR_REGISTRY", ini.toLocal8Bit());
    const QString root = dir.filePath(QStringLiteral("lab"));

    // through the program itself, as scripts/run does
    QProcess program;
    program.start(QStringLiteral(TM_PROGRAM), {QStringLiteral("--init-installation"), root});
    ASSERT_TRUE(program.waitForFinished(300000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();

    for (const char* file : {"SERVIDORES.cfg", "impresoras.cfg", "sop/zentavo.fdb", "datos/general.fdb",
                             "datos/001/zentavo.fdb"})
        EXPECT_TRUE(QFileInfo::exists(root + QLatin1Char('/') + QLatin1String(file))) << file;
    EXPECT_TRUE(readAll(root + QStringLiteral("/SERVIDORES.cfg")).startsWith(root + QStringLiteral("\r\n")));

    Registry registry;
    EXPECT_EQ(registry.value(QStringLiteral("Directorio")), root);
    EXPECT_EQ(registry.value(QStringLiteral("Compania")), QStringLiteral("001"));

    // the demo users can work: general profile, company link and company profile
    Tfdm dm;
    dm.ConGeneral.setParam(QStringLiteral("Database"), root + QStringLiteral("/datos/general.fdb"));
    dm.ConGeneral.setParam(QStringLiteral("User_Name"), QStringLiteral("RECEPCION"));
    dm.ConGeneral.open();
    dm.Zentavo.setParam(QStringLiteral("Database"), root + QStringLiteral("/datos/001/zentavo.fdb"));
    dm.Zentavo.setParam(QStringLiteral("User_Name"), QStringLiteral("RECEPCION"));
    dm.Zentavo.open();
    EXPECT_EQ(dm.valor(QStringLiteral("select usua_admin from usuario where usua_cod = 'ADMIN'"), &dm.ConGeneral)
                  .toString(),
              QStringLiteral("S"));
    EXPECT_EQ(dm.valor(QStringLiteral("select usua_admin from usuario where usua_cod = 'RECEPCION'"), &dm.ConGeneral)
                  .toString(),
              QStringLiteral("N"));
    EXPECT_EQ(dm.valor(QStringLiteral("select count(*) from compania_usuario where comp_cod = '001'"), &dm.ConGeneral)
                  .toInt(),
              2);
    EXPECT_EQ(dm.valor(QStringLiteral("select count(*) from usuario where user_cod in ('ADMIN', 'RECEPCION')")).toInt(), 2);
    EXPECT_GT(dm.valor(QStringLiteral("select count(*) from terceros")).toInt(), 0);
    EXPECT_GT(dm.valor(QStringLiteral("select count(*) from tipo_examen")).toInt(), 0);
    EXPECT_GT(dm.valor(QStringLiteral("select count(*) from crm_asesor")).toInt(), 0);
    // the template carries the seed (settings, the sample label format) but no demo patients
    FbConnection templ;
    templ.setParam(QStringLiteral("Database"), root + QStringLiteral("/sop/zentavo.fdb"));
    templ.setParam(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
    EXPECT_LT(dm.valor(QStringLiteral("select count(*) from terceros"), &templ).toInt(),
              dm.valor(QStringLiteral("select count(*) from terceros")).toInt());
    EXPECT_EQ(dm.valor(QStringLiteral("select count(*) from formatos where tido_cod = 99 and pref_pre = '0000'"),
                       &templ).toInt(), 1);
    EXPECT_GT(dm.valor(QStringLiteral("select count(*) from configuracion"), &templ).toInt(), 10);
    templ.close();
    dm.Zentavo.close();
    dm.ConGeneral.close();

    // a second run refuses and leaves everything as it was
    const qint64 size = QFileInfo(root + QStringLiteral("/datos/general.fdb")).size();
    EXPECT_THROW(Installation::create(root), std::runtime_error);
    EXPECT_EQ(QFileInfo(root + QStringLiteral("/datos/general.fdb")).size(), size);
    qunsetenv("TEVANOR_REGISTRY");
}

TEST(Registry, MissingKeyReadsEmpty) {
    QTemporaryDir dir;
    qputenv("TEVANOR_REGISTRY", dir.filePath(QStringLiteral("none.ini")).toLocal8Bit());
    Registry registry;
    EXPECT_FALSE(registry.keyExists());
    EXPECT_EQ(registry.value(QStringLiteral("Directorio")), QString());
    qunsetenv("TEVANOR_REGISTRY");
}
