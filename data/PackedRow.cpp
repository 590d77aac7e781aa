#include "data/PackedRow.h"

#include <cstdlib>

namespace {
constexpr uint32_t kNullBit = 0x80000000u;
constexpr size_t kHeader = sizeof(uint32_t) + sizeof(uint16_t);

// Dates are kept as Julian day numbers, times as milliseconds of the day.
int32_t packDate(const QDate& d) { return int32_t(d.toJulianDay()); }
QDate unpackDate(int32_t v) { return QDate::fromJulianDay(v); }
int32_t packTime(const QTime& t) { return t.msecsSinceStartOfDay(); }
QTime unpackTime(int32_t v) { return QTime::fromMSecsSinceStartOfDay(v); }
} // namespace

uint32_t PackedRow::columnCount() const {
    if (!data_)
        return 0;
    uint16_t n;
    std::memcpy(&n, data_.get() + sizeof(uint32_t), sizeof n);
    return n;
}

static inline uint32_t endAt(const uint8_t* base, uint32_t column) {
    uint32_t e;
    std::memcpy(&e, base + kHeader + column * sizeof(uint32_t), sizeof e);
    return e;
}

bool PackedRow::isNull(uint32_t column) const { return endAt(data_.get(), column) & kNullBit; }

const uint8_t* PackedRow::bytes(uint32_t column, uint32_t* length) const {
    const uint8_t* base = data_.get();
    const uint32_t end = endAt(base, column) & ~kNullBit;
    const uint32_t start = column == 0 ? 0 : (endAt(base, column - 1) & ~kNullBit);
    *length = end - start;
    return base + kHeader + columnCount() * sizeof(uint32_t) + start;
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
    uint32_t payload;
    std::memcpy(&payload, data_.get(), sizeof payload);
    return kHeader + columnCount() * sizeof(uint32_t) + payload;
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
    const size_t size = kHeader + n * sizeof(uint32_t) + payload;
    auto* p = static_cast<uint8_t*>(std::malloc(size));
    std::memcpy(p, &payload, sizeof payload);
    std::memcpy(p + sizeof payload, &n, sizeof n);
    std::memcpy(p + kHeader, ends_.data(), n * sizeof(uint32_t));
    if (payload)
        std::memcpy(p + kHeader + n * sizeof(uint32_t), payload_.data(), payload);
    PackedRow row;
    row.data_.reset(p);
    return row;
}
