// Pure building blocks: values, packed rows, SQL text helpers, script
// splitting and the translation of errors into the user's messages.
#include "common/SqlText.h"
#include "data/DataSetError.h"
#include "data/DbError.h"
#include "data/ErrorTranslator.h"
#include "data/PackedRow.h"
#include "data/QueryObject.h"
#include "data/ScriptRunner.h"

#include <gtest/gtest.h>

TEST(Decimal, ParsesAndPrintsExactly) {
    struct Case {
        const char* text;
        int scale;
        qint64 units;
        const char* printed;
    } cases[] = {
        {"123.45", 2, 12345, "123.45"}, {"-0.5", 2, -50, "-0.50"},   {"7", 3, 7000, "7.000"},
        {"1.239", 2, 123, "1.23"},      {"+10.1", 1, 101, "10.1"},   {"0", 0, 0, "0"},
    };
    for (const Case& c : cases) {
        const Decimal d = Decimal::parse(QString::fromLatin1(c.text), c.scale);
        EXPECT_EQ(d.units, c.units) << c.text;
        EXPECT_EQ(d.toString(), QString::fromLatin1(c.printed)) << c.text;
    }
    for (const char* bad : {"", "abc", "1.2.3", "12a", "-", "99999999999999999999"})
        EXPECT_THROW(Decimal::parse(QString::fromLatin1(bad), 2), std::invalid_argument) << bad;
}

TEST(Value, ConvertsBetweenKinds) {
    EXPECT_EQ(Value(QStringLiteral(" 42 ")).toInt(), 42);
    EXPECT_THROW(Value(QStringLiteral("4x")).toInt(), std::invalid_argument);
    EXPECT_EQ(Value(QStringLiteral("12/31/2026")).toDate(), QDate(2026, 12, 31));
    EXPECT_EQ(Value(QStringLiteral("2026-12-31")).toDate(), QDate(2026, 12, 31));
    EXPECT_THROW(Value(QStringLiteral("31/12/2026")).toDate(), std::invalid_argument);
    EXPECT_EQ(Value(QDate(2026, 1, 5)).toString(), QStringLiteral("01/05/2026"));
    EXPECT_EQ(Value(QTime(9, 7, 3)).toString(), QStringLiteral("09:07:03"));
    EXPECT_EQ(Value(qint64(5)), Value(Decimal{500, 2}));
    EXPECT_NE(Value(), Value(QString()));
    EXPECT_TRUE(Value().isNull());
}

TEST(PackedRow, RoundTripsEveryStorage) {
    const std::vector<ColumnFormat> formats = {
        {Storage::Int64, 0, false}, {Storage::Int64, 2, false}, {Storage::Double, 0, false},
        {Storage::Text, 0, false},  {Storage::Date, 0, false},  {Storage::Time, 0, false},
        {Storage::Timestamp, 0, false}, {Storage::Bytes, 0, true}, {Storage::Text, 0, false}};
    const std::vector<Value> values = {Value(qint64(-7)),
                                       Value(Decimal{12345, 2}),
                                       Value(2.5),
                                       Value(QStringLiteral("Ñandú 😀 'x'")),
                                       Value(QDate(1999, 2, 28)),
                                       Value(QTime(23, 59, 58)),
                                       Value(QDateTime(QDate(2026, 12, 11), QTime(8, 30, 0))),
                                       Value(QByteArray("\x00\x01\xff", 3)),
                                       Value()};
    const PackedRow row = PackedRow::fromValues(values, formats);
    ASSERT_EQ(row.columnCount(), values.size());
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(row.value(uint32_t(i), formats[i]), values[i]) << i;
    EXPECT_TRUE(row.isNull(8));
    const PackedRow copy = row.clone();
    EXPECT_EQ(copy.value(3, formats[3]).toString(), QStringLiteral("Ñandú 😀 'x'"));
}

TEST(SqlText, QuotesEveryInnerQuote) {
    EXPECT_EQ(sqltext::quoted(QStringLiteral("O'Brien")), QStringLiteral("'O''Brien'"));
    EXPECT_EQ(sqltext::quoted(QStringLiteral("''")), QStringLiteral("''''''"));
    EXPECT_EQ(sqltext::quoted(QString()), QStringLiteral("''"));
    EXPECT_EQ(sqltext::quotedDate(QDate(2026, 3, 4)), QStringLiteral("'03/04/2026'"));
}

TEST(QueryObject, NamedParametersBecomePositional) {
    QStringList names;
    const QString sql = QueryObject::positional(
        QStringLiteral("SELECT ':NO' FROM T WHERE A = :ID AND B = :b_2 -- :C\n AND /* :D */ C='x'':y'"), &names);
    EXPECT_EQ(names, (QStringList{QStringLiteral("ID"), QStringLiteral("b_2")}));
    EXPECT_EQ(sql, QStringLiteral("SELECT ':NO' FROM T WHERE A = ? AND B = ? -- :C\n AND /* :D */ C='x'':y'"));
    EXPECT_EQ(QueryObject::mainTable(QStringLiteral("select * from terceros t where x=1")), QStringLiteral("TERCEROS"));
    EXPECT_EQ(QueryObject::mainTable(QStringLiteral("execute procedure p")), QString());
}

TEST(ScriptRunner, SplitsOnTheCurrentTerminator) {
    const QString script = QStringLiteral(
        "create table a (x int); -- a comment; with a semicolon\n"
        "insert into a values (1);/* block ; comment */\n"
        "SET TERM ^ ;\n"
        "create procedure p as begin insert into a values (2); end^\n"
        "SET TERM ; ^\n"
        "insert into a values ('it''s; fine');\n"
        "commit;");
    const QStringList s = ScriptRunner::split(script);
    ASSERT_EQ(s.size(), 5);
    EXPECT_EQ(s[0], QStringLiteral("create table a (x int)"));
    EXPECT_EQ(s[2], QStringLiteral("create procedure p as begin insert into a values (2); end"));
    EXPECT_EQ(s[3], QStringLiteral("insert into a values ('it''s; fine')"));
    EXPECT_EQ(s[4], QStringLiteral("commit"));
}

namespace {
DbError dbError(std::vector<long> codes, QStringList args = {}, const QString& text = QStringLiteral("raw text")) {
    const long first = codes.front();
    DbError::Kind kind = DbError::Kind::Other;
    switch (first) {
    case 335544472: kind = DbError::Kind::LoginRefused; break;
    case 335544344: kind = DbError::Kind::FileNotFound; break;
    case 335544665: kind = DbError::Kind::PrimaryKey; break;
    case 335544466: kind = DbError::Kind::ForeignKey; break;
    default: break;
    }
    return DbError(kind, std::move(codes), std::move(args), text);
}
} // namespace

TEST(ErrorTranslator, MapsUnhandledDatabaseErrors) {
    EXPECT_EQ(ErrorTranslator::unhandledMessage(dbError({335544472})),
              QStringLiteral("El nombre de Usuario o la clave son incorrectas."));
    EXPECT_EQ(ErrorTranslator::unhandledMessage(
                  dbError({335544344, 335544734}, {QStringLiteral("open"), QStringLiteral("/x/datos/general.fdb")})),
              QStringLiteral("No se encontró el archivo o la ruta /x/datos/general.fdb"));
    EXPECT_EQ(ErrorTranslator::unhandledMessage(std::runtime_error("boom")),
              QStringLiteral("Se presento el siguiente error: boom"));
    EXPECT_EQ(ErrorTranslator::unhandledMessage(std::invalid_argument("'abc' is not a valid integer value")),
              QStringLiteral("Se presento el siguiente error: 'abc' is not a valid integer value"));
}

TEST(ErrorTranslator, MapsKeyViolationsWhileSaving) {
    const auto namer = [](const QString& c) { return c; };
    EXPECT_EQ(ErrorTranslator::providerMessage(dbError({335544665}), QStringLiteral("Terceros"), namer),
              QStringLiteral("Ya existe el registro en la tabla Terceros"));
    EXPECT_EQ(ErrorTranslator::providerMessage(dbError({335544466}), QStringLiteral("Terceros"), namer),
              QStringLiteral("Está borrando o insertando un registro en la tabla Terceros que tiene una relación "
                             "con otra tabla."));
    EXPECT_EQ(ErrorTranslator::providerMessage(dbError({335544999}, {}, QStringLiteral("other")),
                                               QStringLiteral("Terceros"), namer),
              QStringLiteral("other"));
}
