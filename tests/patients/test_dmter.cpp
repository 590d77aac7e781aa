// Identification services of the third party module.
#include "common/ScriptedDialogs.h"
#include "data/UserError.h"
#include "data/dm.h"
#include "patients/dmter.h"
#include "tests/support/TestDatabases.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(CheckDigit, ModulusElevenOverFifteenWeights) {
    struct Case {
        const char* nit;
        int dv;
    } cases[] = {
        {"12345", 8}, {"4", 1}, {"0", 0}, {"11", 1}, {"", 0},
        // identifications of real companies with their published check digits
        {"890903938", 8}, {"890900608", 9}, {"899999068", 1}, {"800197268", 4}, {"860034313", 7},
        // fifteen digits: the leftmost one weighs 71
        {"100000000000000", 6}, {"999999999999999", 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Tfdmter::dv(QString::fromLatin1(c.nit)), c.dv) << c.nit;
    for (const char* bad : {"1234567890123456", "12A45", "12 45", "١٢٣"})
        EXPECT_THROW(Tfdmter::dv(QString::fromUtf8(bad)), UserError) << bad;
}

TEST(ThirdPartyServices, ExistenceAndActiveName) {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Tfdm dm;
    dm.Zentavo.setParam(QStringLiteral("Database"), TestDatabases::freshCompany(dir));
    dm.Zentavo.setParam(QStringLiteral("User_Name"), QStringLiteral("RECEPCION"));
    Tfdmter ter;
    const QString inactive = dm.valor(QStringLiteral("select first 1 terc_nit from terceros where terc_estado = 'N'")).toString();
    const QString active = dm.valor(QStringLiteral("select first 1 terc_nit from terceros where terc_estado = 'S'")).toString();
    ASSERT_FALSE(inactive.isEmpty());
    EXPECT_TRUE(ter.existe_nit(inactive));
    EXPECT_EQ(ter.nom_tercero(inactive), QString());
    EXPECT_TRUE(ter.existe_nit(active));
    EXPECT_FALSE(ter.nom_tercero(active).isEmpty());
    EXPECT_FALSE(ter.existe_nit(QStringLiteral("O'Brien")));
    EXPECT_EQ(ter.nom_tercero(QStringLiteral("x' or '1'='1")), QString());
    EXPECT_TRUE(dialogs.errors.isEmpty());
}
