#include "data/RowLayout.h"

#include "data/FbStatus.h"

#include <QDate>
#include <cstring>

using namespace Firebird;

namespace {
constexpr unsigned kUtf8 = 4;

// Firebird dates count days from 17 Nov 1858 (MJD); times in 1/10000 s.
constexpr qint64 kJulianOfMjdZero = 2400001;

QByteArray readBlob(IAttachment* att, ITransaction* tx, const unsigned char* id) {
    FbStatus status;
    ISC_QUAD quad;
    std::memcpy(&quad, id, sizeof quad);
    IBlob* blob = att->openBlob(&status, tx, &quad, 0, nullptr);
    status.check();
    QByteArray data;
    char chunk[32768];
    for (;;) {
        unsigned got = 0;
        const int rc = blob->getSegment(&status, sizeof chunk, chunk, &got);
        if (rc == IStatus::RESULT_OK || rc == IStatus::RESULT_SEGMENT) {
            data.append(chunk, int(got));
            continue;
        }
        break;
    }
    const bool failed = status.failed();
    FbStatus closeStatus;
    blob->close(&closeStatus);
    if (failed)
        status.check();
    return data;
}

// A fixed-length UTF-8 value arrives padded to four bytes per character; cut
// it back to its declared length in characters (or all blanks when trimming).
QByteArray fixedText(const char* p, unsigned bytes, unsigned charSet, bool trim) {
    int len = int(bytes);
    if (trim) {
        while (len > 0 && p[len - 1] == ' ')
            --len;
        return QByteArray(p, len);
    }
    if ((charSet & 0xff) == kUtf8) {
        const unsigned chars = bytes / 4;
        // walk the UTF-8 sequence to find the byte length of `chars` characters
        unsigned count = 0;
        int i = 0;
        while (i < len && count < chars) {
            const auto c = static_cast<unsigned char>(p[i]);
            i += c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
            ++count;
        }
        return QByteArray(p, std::min(i, len));
    }
    return QByteArray(p, len);
}
} // namespace

ColumnFormat ColumnInfo::format() const {
    ColumnFormat f;
    switch (sqlType & ~1u) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        f.storage = Storage::Int64;
        f.scale = -scale;
        break;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT: f.storage = Storage::Double; break;
    case SQL_TYPE_DATE: f.storage = Storage::Date; break;
    case SQL_TYPE_TIME: f.storage = Storage::Time; break;
    case SQL_TIMESTAMP: f.storage = Storage::Timestamp; break;
    case SQL_BLOB:
        f.storage = Storage::Bytes;
        f.blob = subType != 1;
        break;
    case SQL_BOOLEAN: f.storage = Storage::Int64; break;
    default: f.storage = Storage::Text; break;
    }
    return f;
}

int ColumnInfo::displaySize() const {
    switch (sqlType & ~1u) {
    case SQL_TEXT:
    case SQL_VARYING: return (charSet & 0xff) == kUtf8 ? int(length / 4) : int(length);
    case SQL_SHORT: return 6;
    case SQL_LONG: return 11;
    case SQL_INT64: return 20;
    default: return 0;
    }
}

RowLayout::RowLayout(IMessageMetadata* meta) {
    FbStatus status;
    const unsigned n = meta->getCount(&status);
    columns_.reserve(n);
    for (unsigned i = 0; i < n; ++i) {
        ColumnInfo c;
        c.name = QString::fromUtf8(meta->getAlias(&status, i));
        c.origin = QString::fromUtf8(meta->getField(&status, i));
        c.relation = QString::fromUtf8(meta->getRelation(&status, i));
        c.sqlType = meta->getType(&status, i);
        c.subType = meta->getSubType(&status, i);
        c.length = meta->getLength(&status, i);
        c.scale = meta->getScale(&status, i);
        c.charSet = meta->getCharSet(&status, i);
        c.offset = meta->getOffset(&status, i);
        c.nullOffset = meta->getNullOffset(&status, i);
        c.nullable = meta->isNullable(&status, i);
        if (c.name.isEmpty())
            c.name = c.origin;
        columns_.push_back(c);
    }
    length_ = meta->getMessageLength(&status);
    status.check();
}

int RowLayout::indexOf(const QString& name) const {
    for (size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

void RowLayout::pack(const unsigned char* buf, PackedRowBuilder& b, IAttachment* att, ITransaction* tx,
                     bool trimChar) const {
    b.begin(unsigned(columns_.size()));
    for (const ColumnInfo& c : columns_) {
        if (*reinterpret_cast<const short*>(buf + c.nullOffset)) {
            b.addNull();
            continue;
        }
        const unsigned char* p = buf + c.offset;
        switch (c.sqlType & ~1u) {
        case SQL_VARYING: {
            unsigned short len;
            std::memcpy(&len, p, sizeof len);
            b.addBytes(p + 2, len);
            break;
        }
        case SQL_TEXT: {
            const QByteArray t = fixedText(reinterpret_cast<const char*>(p), c.length, c.charSet, trimChar);
            b.addBytes(t.constData(), unsigned(t.size()));
            break;
        }
        case SQL_SHORT: b.addInt64(*reinterpret_cast<const int16_t*>(p)); break;
        case SQL_LONG: b.addInt64(*reinterpret_cast<const int32_t*>(p)); break;
        case SQL_INT64: b.addInt64(*reinterpret_cast<const int64_t*>(p)); break;
        case SQL_BOOLEAN: b.addInt64(*p ? 1 : 0); break;
        case SQL_FLOAT: b.addDouble(*reinterpret_cast<const float*>(p)); break;
        case SQL_DOUBLE:
        case SQL_D_FLOAT: b.addDouble(*reinterpret_cast<const double*>(p)); break;
        case SQL_TYPE_DATE: b.addInt32(int32_t(*reinterpret_cast<const ISC_DATE*>(p) + kJulianOfMjdZero)); break;
        case SQL_TYPE_TIME: b.addInt32(int32_t(*reinterpret_cast<const ISC_TIME*>(p) / 10)); break;
        case SQL_TIMESTAMP: {
            const auto* ts = reinterpret_cast<const ISC_TIMESTAMP*>(p);
            b.addInt32Pair(int32_t(ts->timestamp_date + kJulianOfMjdZero), int32_t(ts->timestamp_time / 10));
            break;
        }
        case SQL_BLOB: {
            const QByteArray data = readBlob(att, tx, p);
            b.addBytes(data.constData(), unsigned(data.size()));
            break;
        }
        default: b.addNull(); break;
        }
    }
}

Value RowLayout::decode(const unsigned char* buf, size_t column, IAttachment* att, ITransaction* tx,
                        bool trimChar) const {
    // Decoding goes through the packed form of a one-column row so both paths
    // agree on every type.
    const ColumnInfo& c = columns_[column];
    RowLayout single;
    single.columns_.push_back(c);
    single.length_ = length_;
    PackedRowBuilder b;
    single.pack(buf, b, att, tx, trimChar);
    return b.finish().value(0, c.format());
}
