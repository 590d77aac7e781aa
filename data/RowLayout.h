#pragma once

#include "data/PackedRow.h"

#include <QString>
#include <vector>

namespace Firebird {
class IMessageMetadata;
class IAttachment;
class ITransaction;
} // namespace Firebird

// One column of a statement's output as the server describes it.
struct ColumnInfo {
    QString name;     // alias as fetched
    QString origin;   // column name in its table (empty for expressions)
    QString relation; // table name (empty for expressions)
    unsigned sqlType = 0;
    int subType = 0;
    unsigned length = 0; // bytes in the message
    int scale = 0;       // Firebird's scale (negative for decimals)
    unsigned charSet = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
    bool nullable = true;

    ColumnFormat format() const;
    // Size in characters for text columns, digits for numbers.
    int displaySize() const;
};

// The layout of a message buffer read from IMessageMetadata, with decoding of
// rows into values or packed rows. Blobs are read whole.
class RowLayout {
public:
    RowLayout() = default;
    explicit RowLayout(Firebird::IMessageMetadata* metadata);

    const std::vector<ColumnInfo>& columns() const { return columns_; }
    unsigned messageLength() const { return length_; }
    int indexOf(const QString& name) const;

    Value decode(const unsigned char* buffer, size_t column, Firebird::IAttachment* att,
                 Firebird::ITransaction* tx, bool trimChar) const;
    void pack(const unsigned char* buffer, PackedRowBuilder& builder, Firebird::IAttachment* att,
              Firebird::ITransaction* tx, bool trimChar) const;

private:
    std::vector<ColumnInfo> columns_;
    unsigned length_ = 0;
};
