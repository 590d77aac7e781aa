#include "data/Provider.h"

#include "data/DataSetError.h"
#include "data/FbConnection.h"
#include "data/FbStatement.h"
#include "data/FbTransaction.h"

ProviderReader::ProviderReader(FbConnection& connection, const QString& sql, const std::vector<Value>& params)
    : connection_(connection) {
    tx_ = std::make_unique<FbTransaction>(connection, FbTransaction::Mode::ReadOnly);
    stmt_ = std::make_unique<FbStatement>(*tx_, sql);
    cursor_ = stmt_->openCursor(params);
    listener_ = connection.addCloseListener([this] { release(); });
}

ProviderReader::~ProviderReader() {
    release();
}

const RowLayout& ProviderReader::layout() const { return stmt_->output(); }

bool ProviderReader::fetch(int count, std::vector<PackedRow>& rows) {
    if (!cursor_)
        return false;
    PackedRowBuilder builder;
    for (int i = 0; count < 0 || i < count; ++i) {
        if (!cursor_->fetch()) {
            release();
            return false;
        }
        cursor_->pack(builder);
        rows.push_back(builder.finish());
    }
    return true;
}

void ProviderReader::release() {
    if (listener_) {
        connection_.removeCloseListener(listener_);
        listener_ = 0;
    }
    try {
        if (cursor_)
            cursor_->close();
        if (tx_)
            tx_->commit();
    } catch (...) {
    }
    cursor_.reset();
    // the statement stays: its output layout describes the fields
    tx_.reset();
}

Provider::Provider(QString name, QueryObject& query, QObject* parent)
    : QObject(parent), name_(std::move(name)), query_(&query) {
    setObjectName(name_);
}

QString Provider::statementFor(const QString& commandText) const {
    if (allowCommandText && !commandText.trimmed().isEmpty())
        return commandText;
    return query_->sql();
}

std::unique_ptr<ProviderReader> Provider::open(const QString& sql, const std::vector<Value>& params) const {
    return std::make_unique<ProviderReader>(query_->connection(), sql, params);
}

FbStatement& Provider::prepared(FbTransaction& tx, const QString& sql) {
    auto it = cache_.find(sql);
    if (it != cache_.end())
        return **it;
    auto stmt = std::make_shared<FbStatement>(tx, sql);
    cache_.insert(sql, stmt);
    return *stmt;
}

void Provider::endBatch() { cache_.clear(); }

void Provider::apply(FbTransaction& tx, const std::vector<Field>& fields, const QString& table,
                     const PendingChange& change) {
    QString sql;
    std::vector<Value> params;
    auto where = [&](QString& text) {
        QStringList terms;
        for (size_t i = 0; i < fields.size(); ++i) {
            const Field& f = fields[i];
            if (!f.inUpdate || !f.inWhere)
                continue;
            const Value& v = change.original[i];
            if (v.isNull()) {
                terms << f.origin + QStringLiteral(" IS NULL");
            } else {
                terms << f.origin + QStringLiteral(" = ?");
                params.push_back(v);
            }
        }
        if (!terms.isEmpty())
            text += QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "));
    };
    switch (change.kind) {
    case PendingChange::Kind::Insert: {
        QStringList cols, marks;
        for (size_t i = 0; i < fields.size(); ++i) {
            if (!fields[i].inUpdate || change.current[i].isNull())
                continue;
            cols << fields[i].origin;
            marks << QStringLiteral("?");
            params.push_back(change.current[i]);
        }
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(table, cols.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        if (cols.isEmpty())
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table);
        break;
    }
    case PendingChange::Kind::Modify: {
        QStringList sets;
        for (size_t i = 0; i < fields.size(); ++i) {
            if (!fields[i].inUpdate || change.current[i] == change.original[i] ||
                (change.current[i].isNull() && change.original[i].isNull()))
                continue;
            sets << fields[i].origin + QStringLiteral(" = ?");
            params.push_back(change.current[i]);
        }
        if (sets.isEmpty())
            return;
        sql = QStringLiteral("UPDATE %1 SET %2").arg(table, sets.join(QStringLiteral(", ")));
        where(sql);
        break;
    }
    case PendingChange::Kind::Delete:
        sql = QStringLiteral("DELETE FROM %1").arg(table);
        where(sql);
        break;
    }
    FbStatement& stmt = prepared(tx, sql);
    stmt.execute(params);
    if (change.kind != PendingChange::Kind::Insert && stmt.affectedRows() == 0)
        throw DataSetError(DataSetError::Kind::RecordChanged,
                           QStringLiteral("Record not found or changed by another user"));
}
