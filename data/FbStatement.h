#pragma once

#include "data/RowLayout.h"
#include "data/Value.h"

#include <QString>
#include <memory>
#include <vector>

namespace Firebird {
class IStatement;
class IMessageMetadata;
class IResultSet;
} // namespace Firebird
class FbTransaction;
class FbCursor;

// A prepared statement with positional parameters ('?'). Values are bound in
// their own types and converted by the server to the parameters' types.
class FbStatement {
public:
    FbStatement(FbTransaction& tx, const QString& sql);
    ~FbStatement();
    FbStatement(const FbStatement&) = delete;
    FbStatement& operator=(const FbStatement&) = delete;

    unsigned paramCount() const;
    const RowLayout& output() const { return output_; }
    bool isSelect() const;

    // Executes a statement that returns no rows or a single row (procedures);
    // returns the output values (empty when there are none).
    std::vector<Value> execute(const std::vector<Value>& params = {});
    // Rows changed by the last execute().
    qint64 affectedRows() const;

    std::unique_ptr<FbCursor> openCursor(const std::vector<Value>& params = {});

    FbTransaction& transaction() const { return tx_; }

private:
    friend class FbCursor;
    // Fills the input buffer; returns the metadata to pass with it.
    Firebird::IMessageMetadata* bind(const std::vector<Value>& params, std::vector<unsigned char>& buffer);
    void fill(const std::vector<Value>& params, const std::vector<QByteArray>& texts,
              Firebird::IMessageMetadata* meta, std::vector<unsigned char>& buffer);

    FbTransaction& tx_;
    QString sql_;
    Firebird::IStatement* stmt_ = nullptr;
    Firebird::IMessageMetadata* inMeta_ = nullptr;
    Firebird::IMessageMetadata* outMeta_ = nullptr;
    RowLayout output_;
    // The last input message layout built, reused while the values keep their kinds.
    Firebird::IMessageMetadata* boundMeta_ = nullptr;
    std::vector<unsigned> boundKey_;
};

// Rows of an open cursor, fetched one by one into the statement's layout.
class FbCursor {
public:
    ~FbCursor();
    FbCursor(const FbCursor&) = delete;
    FbCursor& operator=(const FbCursor&) = delete;

    const RowLayout& layout() const { return layout_; }
    // False at the end of the rows.
    bool fetch();
    Value value(size_t column) const;
    std::vector<Value> values() const;
    void pack(PackedRowBuilder& builder) const;
    void close();
    bool isOpen() const { return rs_ != nullptr; }

private:
    friend class FbStatement;
    FbCursor(FbStatement& statement, Firebird::IResultSet* rs);
    FbStatement& stmt_;
    Firebird::IResultSet* rs_;
    const RowLayout& layout_;
    std::vector<unsigned char> buffer_;
    bool trim_;
};
