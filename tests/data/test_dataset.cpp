// The dataset layer against a real embedded database: packets, the change
// log, batch apply with its error limit, conflicts with other connections,
// locked rows, nested details, local filters and order.
#include "data/ClientDataSet.h"
#include "data/DataSetError.h"
#include "data/DataSetModel.h"
#include "data/DbError.h"
#include "data/FbConnection.h"
#include "data/FbStatement.h"
#include "data/FbTransaction.h"
#include "tests/support/TestDatabases.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>

namespace {
void connect(FbConnection& c, const QString& path, const QString& user = QStringLiteral("SYSDBA")) {
    c.setParam(QStringLiteral("Database"), path);
    c.setParam(QStringLiteral("User_Name"), user);
    c.setParam(QStringLiteral("password"), QStringLiteral("x"));
    c.open();
}

void exec(FbConnection& c, const QString& sql) {
    FbTransaction tx(c);
    FbStatement(tx, sql).execute();
    tx.commit();
}

Value scalar(FbConnection& c, const QString& sql) {
    FbTransaction tx(c, FbTransaction::Mode::ReadOnly);
    FbStatement st(tx, sql);
    auto cur = st.openCursor();
    return cur->fetch() ? cur->value(0) : Value();
}

class DataSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = TestDatabases::freshCompany(dir);
        connect(conn, path);
        connect(other, path);
        exec(conn, QStringLiteral("DELETE FROM TOMA_MUESTRA"));
        exec(conn, QStringLiteral("DELETE FROM TIPO_EXAMEN"));
        exec(conn, QStringLiteral("EXECUTE BLOCK AS DECLARE i INT = 1; BEGIN WHILE (i <= 2500) DO BEGIN "
                                  "INSERT INTO TIPO_EXAMEN (TIEX_COD, TIEX_NOM) VALUES (:i, 'EXAMEN ' || :i); "
                                  "i = i + 1; END END"));
    }

    // A dataset over the whole exam type table, ordered by code.
    std::unique_ptr<ClientDataSet> examTypes(int packet = -1) {
        if (getenv("TM_DEBUG_APPLY"))
            provider.onUpdateError = [](Provider&, ClientDataSet&, const std::exception& e) {
                fprintf(stderr, "apply error: %s\n", e.what());
                return UpdateAction::Skip;
            };
        auto ds = std::make_unique<ClientDataSet>(QStringLiteral("CTipoexamen"));
        ds->setProvider(&provider);
        ds->setCommandText(QStringLiteral("SELECT * FROM TIPO_EXAMEN ORDER BY TIEX_COD"));
        ds->packetRecords = packet;
        ds->open();
        return ds;
    }

    QTemporaryDir dir;
    QString path;
    FbConnection conn{QStringLiteral("Zentavo")}, other;
    QueryObject query{QStringLiteral("TTipoexamen"), conn};
    Provider provider{QStringLiteral("PTipoexamen"), query};
};
} // namespace

TEST_F(DataSetTest, FetchesInPacketsAsTheViewScrolls) {
    auto ds = examTypes(1000);
    EXPECT_EQ(ds->recordCount(), 1000);
    EXPECT_FALSE(ds->allFetched());
    ds->moveTo(999);
    ds->next(); // crossing the end of the packet fetches the next one
    EXPECT_EQ(ds->recordCount(), 2000);
    EXPECT_EQ(ds->value(QStringLiteral("TIEX_COD")).toInt(), 1001);

    DataSetModel model(ds.get());
    EXPECT_EQ(model.rowCount(), 2000);
    EXPECT_TRUE(model.canFetchMore({}));
    model.fetchMore({});
    EXPECT_EQ(model.rowCount(), 2500);
    EXPECT_FALSE(model.canFetchMore({}));
    EXPECT_EQ(model.data(model.index(2499, 1)).toString(), QStringLiteral("EXAMEN 2500"));
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("TIEX_COD"));
}

TEST_F(DataSetTest, AppliesInsertsEditsAndDeletesInOneBatch) {
    auto ds = examTypes();
    ds->locate({QStringLiteral("TIEX_COD")}, {Value(5)});
    ds->edit();
    ds->setValue(QStringLiteral("TIEX_NOM"), Value(QStringLiteral("GLICEMIA")));
    ds->post();
    ds->locate({QStringLiteral("TIEX_COD")}, {Value(6)});
    ds->remove();
    ds->append();
    ds->setValue(QStringLiteral("TIEX_COD"), Value(9000));
    ds->setValue(QStringLiteral("TIEX_NOM"), Value(QStringLiteral("HEMOGRAMA")));
    ds->post();
    EXPECT_EQ(ds->changeCount(), 3);
    EXPECT_EQ(ds->applyUpdates(0), 0);
    EXPECT_EQ(ds->changeCount(), 0);

    EXPECT_EQ(scalar(other, QStringLiteral("SELECT TIEX_NOM FROM TIPO_EXAMEN WHERE TIEX_COD = 5")).toString(),
              QStringLiteral("GLICEMIA"));
    EXPECT_TRUE(scalar(other, QStringLiteral("SELECT TIEX_NOM FROM TIPO_EXAMEN WHERE TIEX_COD = 6")).isNull());
    EXPECT_EQ(scalar(other, QStringLiteral("SELECT TIEX_NOM FROM TIPO_EXAMEN WHERE TIEX_COD = 9000")).toString(),
              QStringLiteral("HEMOGRAMA"));
    // a second edit of the same row goes through: the row is now known as saved
    ds->locate({QStringLiteral("TIEX_COD")}, {Value(5)});
    ds->edit();
    ds->setValue(QStringLiteral("TIEX_NOM"), Value(QStringLiteral("GLUCOSA")));
    EXPECT_EQ(ds->applyUpdates(0), 0);
}

TEST_F(DataSetTest, RowChangedByAnotherUserFailsAndStaysPending) {
    auto ds = examTypes();
    int reported = 0;
    provider.onUpdateError = [&](Provider&, ClientDataSet&, const std::exception& e) {
        ++reported;
        auto* de = dynamic_cast<const DataSetError*>(&e);
        EXPECT_TRUE(de && de->kind() == DataSetError::Kind::RecordChanged);
        return UpdateAction::Skip;
    };
    exec(other, QStringLiteral("UPDATE TIPO_EXAMEN SET TIEX_NOM = 'CAMBIADO' WHERE TIEX_COD = 1"));
    ds->first();
    ds->edit();
    ds->setValue(QStringLiteral("TIEX_NOM"), Value(QStringLiteral("MIO")));
    ds->post();
    EXPECT_EQ(ds->applyUpdates(0), 1);
    EXPECT_EQ(reported, 1);
    EXPECT_EQ(ds->changeCount(), 1);
    EXPECT_EQ(ds->text(QStringLiteral("TIEX_NOM")), QStringLiteral("MIO"));
    EXPECT_EQ(scalar(other, QStringLiteral("SELECT TIEX_NOM FROM TIPO_EXAMEN WHERE TIEX_COD = 1")).toString(),
              QStringLiteral("CAMBIADO"));
}

TEST_F(DataSetTest, ErrorLimitDecidesWhatIsStored) {
    for (int limit : {0, -1}) {
        SCOPED_TRACE(limit);
        exec(conn, QStringLiteral("DELETE FROM TIPO_EXAMEN WHERE TIEX_COD > 5000"));
        auto ds = examTypes();
        for (int code : {7001, 3 /* exists */, 7002}) {
            ds->append();
            ds->setValue(QStringLiteral("TIEX_COD"), Value(code));
            ds->setValue(QStringLiteral("TIEX_NOM"), Value(QStringLiteral("NUEVO")));
            ds->post();
        }
        const int errors = ds->applyUpdates(limit);
        const qint64 stored = scalar(other, QStringLiteral("SELECT COUNT(*) FROM TIPO_EXAMEN WHERE TIEX_COD > 7000")).toInt();
        if (limit == 0) {
            EXPECT_EQ(errors, 1);
            EXPECT_EQ(stored, 0);            // nothing applied on the first failure
            EXPECT_EQ(ds->changeCount(), 3); // everything still pending
        } else {
            EXPECT_EQ(errors, 1);
            EXPECT_EQ(stored, 2);            // the good rows went in
            EXPECT_EQ(ds->changeCount(), 1); // the bad one waits for a correction
        }
        ds->cancelUpdates();
        EXPECT_EQ(ds->changeCount(), 0);
    }
}

TEST_F(DataSetTest, LockedRowWaitsForTheOtherTransaction) {
    auto ds = examTypes();
    ds->first();
    ds->edit();
    ds->setValue(QStringLiteral("TIEX_NOM"), Value(QStringLiteral("ESPERA")));
    ds->post();

    for (bool otherCommits : {false, true}) {
        SCOPED_TRACE(otherCommits);
        auto blocker = std::make_unique<FbTransaction>(other);
        FbStatement(*blocker, QStringLiteral("UPDATE TIPO_EXAMEN SET TIEX_COD = TIEX_COD WHERE TIEX_COD = 1")).execute();
        int errors = -1;
        QElapsedTimer timer;
        timer.start();
        std::thread saver([&] { errors = ds->applyUpdates(0); });
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        otherCommits ? blocker->commit() : blocker->rollback();
        saver.join();
        EXPECT_GE(timer.elapsed(), 350); // it waited instead of failing at once
        if (!otherCommits) {
            EXPECT_EQ(errors, 0);
            EXPECT_EQ(ds->changeCount(), 0);
        }
    }
}

TEST_F(DataSetTest, DetailsGoInTheSameBatchAsTheirHeader) {
    ClientDataSet header(QStringLiteral("CFormatos"));
    QueryObject hq(QStringLiteral("Tformatos"), conn, QStringLiteral("SELECT * FROM FORMATOS"));
    Provider hp(QStringLiteral("PFormatos"), hq);
    header.setProvider(&hp);
    QueryObject dq(QStringLiteral("TFormato_datos"), conn, QStringLiteral("SELECT * FROM FORMATO_DATOS"));
    Provider dp(QStringLiteral("PFormato_datos"), dq);
    ClientDataSet detail(QStringLiteral("CFormato_datos"));
    detail.setProvider(&dp);
    header.addDetail(&detail, {QStringLiteral("TIDO_COD"), QStringLiteral("PREF_PRE")},
                     {QStringLiteral("TIDO_COD"), QStringLiteral("PREF_PRE")});
    header.open();
    const qint64 before = scalar(other, QStringLiteral("SELECT COUNT(*) FROM FORMATO_DATOS")).toInt();

    header.append();
    header.setValue(QStringLiteral("TIDO_COD"), Value(99));
    header.setValue(QStringLiteral("PREF_PRE"), Value(QStringLiteral("0001")));
    header.post();
    for (int item : {1, 2}) {
        detail.append();
        EXPECT_EQ(detail.value(QStringLiteral("PREF_PRE")).toString(), QStringLiteral("0001")); // link taken
        detail.setValue(QStringLiteral("DAFO_ITEM"), Value(item));
        detail.setValue(QStringLiteral("DAFO_DATO"), Value(QStringLiteral("NOMBRE")));
        detail.post();
    }
    EXPECT_EQ(detail.recordCount(), 2);
    EXPECT_EQ(header.changeCount(), 3);
    EXPECT_EQ(header.applyUpdates(0), 0);
    EXPECT_EQ(scalar(other, QStringLiteral("SELECT COUNT(*) FROM FORMATO_DATOS")).toInt(), before + 2);
    EXPECT_EQ(scalar(other, QStringLiteral("SELECT COUNT(*) FROM FORMATOS WHERE PREF_PRE = '0001'")).toInt(), 1);

    // moving to another header shows its own elements only
    header.locate({QStringLiteral("PREF_PRE")}, {Value(QStringLiteral("0000"))});
    EXPECT_EQ(detail.recordCount(),
              scalar(other, QStringLiteral("SELECT COUNT(*) FROM FORMATO_DATOS WHERE PREF_PRE = '0000'")).toInt());
    // a header with elements cannot be deleted in memory
    EXPECT_THROW(header.remove(), DataSetError);
}

TEST_F(DataSetTest, FiltersAndOrdersLocally) {
    auto ds = examTypes();
    ds->setFilter([](const ClientDataSet& d, int row) { return d.rowValue(row, 0).toInt() % 500 == 0; });
    EXPECT_EQ(ds->recordCount(), 5);
    ds->setIndexFieldNames(QStringLiteral("TIEX_COD DESC"));
    ds->first();
    EXPECT_EQ(ds->value(QStringLiteral("TIEX_COD")).toInt(), 2500);
    ds->clearFilter();
    ds->setIndexFieldNames(QStringLiteral("TIEX_NOM"));
    ds->first();
    EXPECT_EQ(ds->text(QStringLiteral("TIEX_NOM")), QStringLiteral("EXAMEN 1"));
    ds->next();
    EXPECT_EQ(ds->text(QStringLiteral("TIEX_NOM")), QStringLiteral("EXAMEN 10"));
}

TEST_F(DataSetTest, RequiredFieldsAreCheckedOnPostAndCancelKeepsNothing) {
    auto ds = examTypes();
    const int count = ds->recordCount();
    ds->append();
    ds->setValue(QStringLiteral("TIEX_NOM"), Value(QStringLiteral("SIN CODIGO")));
    EXPECT_THROW(ds->post(), DataSetError); // TIEX_COD is required
    EXPECT_EQ(ds->state(), ClientDataSet::State::Insert);
    ds->cancel();
    EXPECT_EQ(ds->recordCount(), count);
    EXPECT_EQ(ds->changeCount(), 0);
    EXPECT_THROW(ds->setValue(QStringLiteral("TIEX_NOM"), Value(QStringLiteral("x"))), DataSetError);
}

TEST_F(DataSetTest, ConversionErrorsStopAtTheEdit) {
    auto ds = examTypes();
    ds->append();
    EXPECT_THROW(ds->setValue(QStringLiteral("TIEX_COD"), Value(QStringLiteral("doce"))), std::invalid_argument);
    EXPECT_TRUE(ds->value(QStringLiteral("TIEX_COD")).isNull());
}

TEST_F(DataSetTest, ClosedConnectionReopensWhenADatasetOpens) {
    conn.close();
    auto ds = examTypes();
    EXPECT_TRUE(conn.isOpen());
    EXPECT_EQ(ds->recordCount(), 2500);
}
