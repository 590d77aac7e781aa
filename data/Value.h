#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <cstdint>
#include <variant>

// A decimal number kept exactly as a scaled integer: value = units / 10^scale.
struct Decimal {
    qint64 units = 0;
    int scale = 0;

    double toDouble() const;
    QString toString() const;
    // Parses "-123.45"; throws std::invalid_argument on anything else.
    static Decimal parse(const QString& text, int scale);
    Decimal rescaled(int newScale) const;
    bool operator==(const Decimal& other) const;
};

enum class ValueType { Null, Integer, Decimal, Double, Text, Date, Time, Timestamp, Blob };

// One database value: null, integer, exact decimal, double, text, date, time,
// timestamp or blob bytes. Conversions throw std::invalid_argument with a
// readable text when a value cannot be taken as the requested kind.
class Value {
public:
    Value() = default;
    Value(int v) : v_(qint64(v)) {}
    Value(qint64 v) : v_(v) {}
    Value(Decimal v) : v_(v) {}
    Value(double v) : v_(v) {}
    Value(const QString& v) : v_(v) {}
    Value(const char* v) : v_(QString::fromUtf8(v)) {}
    Value(const QDate& v) : v_(v) {}
    Value(const QTime& v) : v_(v) {}
    Value(const QDateTime& v) : v_(v) {}
    Value(const QByteArray& v) : v_(v) {}

    static Value null() { return Value(); }

    ValueType type() const { return static_cast<ValueType>(v_.index()); }
    bool isNull() const { return v_.index() == 0; }

    qint64 toInt() const;
    Decimal toDecimal(int scale) const;
    double toDouble() const;
    // Plain text of the value: numbers as digits with '.', dates mm/dd/yyyy,
    // times HH:mm:ss; empty for null.
    QString toString() const;
    QDate toDate() const;
    QTime toTime() const;
    QDateTime toDateTime() const;
    QByteArray toBytes() const;

    bool operator==(const Value& other) const;
    bool operator!=(const Value& other) const { return !(*this == other); }

private:
    std::variant<std::monostate, qint64, Decimal, double, QString, QDate, QTime, QDateTime, QByteArray> v_;
};
