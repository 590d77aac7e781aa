#pragma once

#include "data/Value.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

// How a column's values are stored inside a packed row.
enum class Storage : uint8_t { Int64, Double, Text, Date, Time, Timestamp, Bytes };

// What a stored column turns into when read back.
struct ColumnFormat {
    Storage storage = Storage::Text;
    int scale = 0;       // > 0: Int64 holds a decimal with this many decimals
    bool blob = false;   // Bytes kept as blob bytes rather than text
};

// One row in a single heap block: a small header, one offset per column and
// the values' bytes (text as UTF-8, numbers in 8 bytes, dates and times in 4).
// Rows are the bulk of a dataset's memory, so they are kept this compact and
// decoded on access.
class PackedRow {
public:
    PackedRow() = default;
    PackedRow(PackedRow&&) noexcept = default;
    PackedRow& operator=(PackedRow&&) noexcept = default;
    PackedRow clone() const;

    bool valid() const { return bool(data_); }
    uint32_t columnCount() const;
    bool isNull(uint32_t column) const;
    Value value(uint32_t column, const ColumnFormat& format) const;
    // Raw bytes of a non-null column.
    const uint8_t* bytes(uint32_t column, uint32_t* length) const;
    // Heap bytes the row occupies.
    size_t byteSize() const;

    static PackedRow fromValues(const std::vector<Value>& values, const std::vector<ColumnFormat>& formats);

private:
    friend class PackedRowBuilder;
    struct Free {
        void operator()(uint8_t* p) const { std::free(p); }
    };
    std::unique_ptr<uint8_t, Free> data_;
};

// Builds a packed row column by column. The header is one byte giving the
// width of the offsets (1, 2 or 4 bytes, the least that holds the payload),
// the uint16 column count, one null bit per column, then one end offset per
// column in that width.
class PackedRowBuilder {
public:
    void begin(uint32_t columns);
    void addNull();
    void addInt64(int64_t v) { addRaw(&v, sizeof v); }
    void addDouble(double v) { addRaw(&v, sizeof v); }
    void addInt32(int32_t v) { addRaw(&v, sizeof v); }
    void addInt32Pair(int32_t a, int32_t b) {
        const int32_t both[2] = {a, b};
        addRaw(both, sizeof both);
    }
    void addBytes(const void* data, uint32_t length) { addRaw(data, length); }
    void addValue(const Value& value, const ColumnFormat& format);
    PackedRow finish();

private:
    void addRaw(const void* data, uint32_t length);
    std::vector<uint32_t> ends_;
    std::vector<uint8_t> payload_;
};
