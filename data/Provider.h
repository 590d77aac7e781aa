#pragma once

#include "data/Field.h"
#include "data/QueryObject.h"

#include <QHash>
#include <QObject>
#include <functional>
#include <memory>

class ClientDataSet;
class FbTransaction;
class FbStatement;
class FbCursor;
class RowLayout;

// What an update-error handler wants done with a change the database refused.
enum class UpdateAction {
    Skip, // leave this change pending; the batch goes on as far as its error limit allows
    Abort // stop the whole batch: roll back, every change stays pending
};

// One change of a dataset's change log as the provider writes it.
struct PendingChange {
    enum class Kind { Insert, Modify, Delete };
    Kind kind;
    std::vector<Value> current;  // Insert/Modify
    std::vector<Value> original; // Modify/Delete
};

// An open read of a provider: its own read-only transaction and cursor, kept
// open between packets so further rows can be fetched as the user scrolls.
class ProviderReader {
public:
    ProviderReader(FbConnection& connection, const QString& sql, const std::vector<Value>& params);
    ~ProviderReader();
    const RowLayout& layout() const;
    // Appends up to `count` rows (all when count < 0); false when the rows ended.
    bool fetch(int count, std::vector<PackedRow>& rows);
    bool alive() const { return cursor_ != nullptr; }
    void release();

private:
    FbConnection& connection_;
    std::unique_ptr<FbTransaction> tx_;
    std::unique_ptr<FbStatement> stmt_;
    std::unique_ptr<FbCursor> cursor_;
    int listener_ = 0;
};

// Feeds a client dataset from a query object and writes its change log back.
// Statements are generated from the change log: inserts carry the columns
// with a value, updates set the changed columns, and updates and deletes find
// their row by every column value as it was fetched.
class Provider : public QObject {
    Q_OBJECT
public:
    Provider(QString name, QueryObject& query, QObject* parent = nullptr);

    const QString& name() const { return name_; }
    QueryObject& query() const { return *query_; }
    bool allowCommandText = true;
    // Table that inserts, updates and deletes go to; taken from the statement
    // when empty.
    QString updateTable;

    // Called for every change the database refuses while applying.
    std::function<UpdateAction(Provider&, ClientDataSet&, const std::exception&)> onUpdateError;

    // The statement to run: the client's text when allowed and given, the
    // query object's otherwise.
    QString statementFor(const QString& commandText) const;
    std::unique_ptr<ProviderReader> open(const QString& sql, const std::vector<Value>& params) const;

    // Writes one change inside the caller's transaction. Throws DbError, or
    // DataSetError(RecordChanged) when the row is no longer as fetched.
    void apply(FbTransaction& tx, const std::vector<Field>& fields, const QString& table,
               const PendingChange& change);
    // Forgets prepared statements (end of a batch).
    void endBatch();

private:
    FbStatement& prepared(FbTransaction& tx, const QString& sql);
    QString name_;
    QueryObject* query_;
    QHash<QString, std::shared_ptr<FbStatement>> cache_;
};
