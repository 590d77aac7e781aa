#include "data/PackedRow.h"

#include <cstdlib>

namespace {
constexpr uint32_t kNullBit = 0x80000000u;

// Dates are kept as Julian day numbers, times as milliseconds of the day.
int32_t packDate(const QDate& d) { return int32_t(d.toJulianDay()); }
QDate unpackDate(int32_t v) { return QDate::fromJulianDay(v); }
int32_t packTime(const QTime& t) { return t.msecsSinceStartOfDay(); }
QTime unpackTime(int32_t v) { return QTime::fromMSecsSinceStartOfDay(v); }
} // namespace

// Row layout: uint8 width of the offsets (1, 2 or 4 bytes, the least that
// holds the payload size), uint16 column count, one null bit per column, one
// end offset per column in that width, then the payload.
namespace {
constexpr size_t kFixed = 3;
inline size_t nullBytes(uint32_t n) { return (n + 7) / 8; }
struct RowView {
    uint32_t n;
    unsigned width;
    const uint8_t* nulls;
    const uint8_t* ends;
    const uint8_t* payload;
};
inline RowView viewOf(const uint8_t* p) {
    RowView v;
    v.width = p[0];
    uint16_t n;
    std::memcpy(&n, p + 1, sizeof n);
    v.n = n;
    v.nulls = p + kFixed;
    v.ends = v.nulls + nullBytes(n);
    v.payload = v.ends + size_t(n) * v.width;
    return v;
}
inline uint32_t endAt(const RowView& v, uint32_t c) {
    switch (v.width) {
    case 1: return v.ends[c];
    case 2: {
        uint16_t e;
        std::memcpy(&e, v.ends + 2 * size_t(c), sizeof e);
        return e;
    }
    default: {
        uint32_t e;
        std::memcpy(&e, v.ends + 4 * size_t(c), sizeof e);
        return e;
    }
    }
}
} // namespace

uint32_t PackedRow::columnCount() const {
    if (!data_)
        return 0;
    uint16_t n;
    std::memcpy(&n, data_.get() + 1, sizeof n);
    return n;
}

bool PackedRow::isNull(uint32_t column) const { return (data_.get()[kFixed + column / 8] >> (column % 8)) & 1u; }

const uint8_t* PackedRow::bytes(uint32_t column, uint32_t* length) const {
    const RowView v = viewOf(data_.get());
    const uint32_t end = endAt(v, column);
    const uint32_t start = column == 0 ? 0 : endAt(v, column - 1);
    *length = end - start;
    return v.payload + start;
}

Value PackedRow::value(uint32_t column, const ColumnFormat& format) const {
    if (!data_ || column >= columnCount() || isNull(column))
        return Value();
    uint32_t len = 0;
    const uint8_t* p = bytes(column, &len);
    switch (format.storage) {
    case Storage::Int64: {
        int64_t v;
        std::memcpy(&v, p, sizeof v);
        if (format.scale > 0)
            return Value(Decimal{v, format.scale});
        return Value(qint64(v));
    }
    case Storage::Double: {
        double v;
        std::memcpy(&v, p, sizeof v);
        return Value(v);
    }
    case Storage::Text: return Value(QString::fromUtf8(reinterpret_cast<const char*>(p), int(len)));
    case Storage::Date: {
        int32_t v;
        std::memcpy(&v, p, sizeof v);
        return Value(unpackDate(v));
    }
    case Storage::Time: {
        int32_t v;
        std::memcpy(&v, p, sizeof v);
        return Value(unpackTime(v));
    }
    case Storage::Timestamp: {
        int32_t d, t;
        std::memcpy(&d, p, sizeof d);
        std::memcpy(&t, p + sizeof d, sizeof t);
        return Value(QDateTime(unpackDate(d), unpackTime(t)));
    }
    case Storage::Bytes:
        if (format.blob)
            return Value(QByteArray(reinterpret_cast<const char*>(p), int(len)));
        return Value(QString::fromUtf8(reinterpret_cast<const char*>(p), int(len)));
    }
    return Value();
}

size_t PackedRow::byteSize() const {
    if (!data_)
        return 0;
    const RowView v = viewOf(data_.get());
    return size_t(v.payload - data_.get()) + (v.n ? endAt(v, v.n - 1) : 0);
}

PackedRow PackedRow::clone() const {
    PackedRow copy;
    if (data_) {
        const size_t n = byteSize();
        auto* p = static_cast<uint8_t*>(std::malloc(n));
        std::memcpy(p, data_.get(), n);
        copy.data_.reset(p);
    }
    return copy;
}

PackedRow PackedRow::fromValues(const std::vector<Value>& values, const std::vector<ColumnFormat>& formats) {
    PackedRowBuilder b;
    b.begin(uint32_t(values.size()));
    for (size_t i = 0; i < values.size(); ++i)
        b.addValue(values[i], formats[i]);
    return b.finish();
}

void PackedRowBuilder::begin(uint32_t columns) {
    ends_.clear();
    ends_.reserve(columns);
    payload_.clear();
}

void PackedRowBuilder::addNull() { ends_.push_back(uint32_t(payload_.size()) | kNullBit); }

void PackedRowBuilder::addRaw(const void* data, uint32_t length) {
    const auto* p = static_cast<const uint8_t*>(data);
    payload_.insert(payload_.end(), p, p + length);
    ends_.push_back(uint32_t(payload_.size()));
}

void PackedRowBuilder::addValue(const Value& value, const ColumnFormat& format) {
    if (value.isNull()) {
        addNull();
        return;
    }
    switch (format.storage) {
    case Storage::Int64:
        addInt64(format.scale > 0 ? value.toDecimal(format.scale).units : value.toInt());
        return;
    case Storage::Double: addDouble(value.toDouble()); return;
    case Storage::Date: addInt32(packDate(value.toDate())); return;
    case Storage::Time: addInt32(packTime(value.toTime())); return;
    case Storage::Timestamp: {
        const QDateTime dt = value.toDateTime();
        addInt32Pair(packDate(dt.date()), packTime(dt.time()));
        return;
    }
    case Storage::Text:
    case Storage::Bytes: {
        const QByteArray b = value.toBytes();
        addBytes(b.constData(), uint32_t(b.size()));
        return;
    }
    }
}

PackedRow PackedRowBuilder::finish() {
    const auto n = uint16_t(ends_.size());
    const auto payload = uint32_t(payload_.size());
    const unsigned width = payload < 0x100 ? 1 : payload < 0x10000 ? 2 : 4;
    const size_t head = kFixed + nullBytes(n) + size_t(n) * width;
    auto* p = static_cast<uint8_t*>(std::malloc(head + payload));
    p[0] = uint8_t(width);
    std::memcpy(p + 1, &n, sizeof n);
    uint8_t* nulls = p + kFixed;
    std::memset(nulls, 0, nullBytes(n));
    uint8_t* ends = nulls + nullBytes(n);
    for (uint32_t c = 0; c < n; ++c) {
        const uint32_t e = ends_[c] & ~kNullBit;
        if (ends_[c] & kNullBit)
            nulls[c / 8] |= uint8_t(1u << (c % 8));
        if (width == 1)
            ends[c] = uint8_t(e);
        else if (width == 2) {
            const auto e16 = uint16_t(e);
            std::memcpy(ends + 2 * size_t(c), &e16, sizeof e16);
        } else
            std::memcpy(ends + 4 * size_t(c), &e, sizeof e);
    }
    if (payload)
        std::memcpy(p + head, payload_.data(), payload);
    PackedRow row;
    row.data_.reset(p);
    return row;
}
