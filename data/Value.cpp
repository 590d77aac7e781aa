#include "data/Value.h"

#include <stdexcept>

namespace {
qint64 pow10(int n) {
    qint64 r = 1;
    while (n-- > 0)
        r *= 10;
    return r;
}

[[noreturn]] void fail(const QString& text, const char* kind) {
    throw std::invalid_argument(
        QStringLiteral("'%1' is not a valid %2").arg(text, QLatin1String(kind)).toStdString());
}

QDate parseDate(const QString& text) {
    for (const char* fmt : {"MM/dd/yyyy", "M/d/yyyy", "yyyy-MM-dd", "yyyy/MM/dd"}) {
        const QDate d = QDate::fromString(text.trimmed(), QLatin1String(fmt));
        if (d.isValid())
            return d;
    }
    fail(text, "date");
}

QTime parseTime(const QString& text) {
    for (const char* fmt : {"HH:mm:ss", "H:mm:ss", "HH:mm", "HH:mm:ss.zzz"}) {
        const QTime t = QTime::fromString(text.trimmed(), QLatin1String(fmt));
        if (t.isValid())
            return t;
    }
    fail(text, "time");
}
} // namespace

double Decimal::toDouble() const { return double(units) / double(pow10(scale)); }

QString Decimal::toString() const {
    if (scale <= 0)
        return QString::number(units);
    const qint64 p = pow10(scale);
    const qint64 whole = units / p;
    qint64 frac = units % p;
    if (frac < 0)
        frac = -frac;
    QString s = (units < 0 && whole == 0) ? QStringLiteral("-0") : QString::number(whole);
    return s + QLatin1Char('.') + QString::number(frac).rightJustified(scale, QLatin1Char('0'));
}

Decimal Decimal::parse(const QString& input, int scale) {
    const QString text = input.trimmed();
    if (text.isEmpty())
        fail(input, "number");
    int i = 0;
    bool negative = false;
    if (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+')) {
        negative = text[0] == QLatin1Char('-');
        ++i;
    }
    qint64 units = 0;
    int decimals = -1;
    bool digits = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('.') && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (!c.isDigit())
            fail(input, "number");
        digits = true;
        if (decimals >= 0) {
            if (decimals >= scale) {
                ++decimals;
                continue; // extra decimals are cut
            }
            ++decimals;
        }
        if (units > (INT64_MAX - 9) / 10)
            fail(input, "number");
        units = units * 10 + c.digitValue();
    }
    if (!digits)
        fail(input, "number");
    const int taken = decimals < 0 ? 0 : std::min(decimals, scale);
    units *= pow10(scale - taken);
    return Decimal{negative ? -units : units, scale};
}

Decimal Decimal::rescaled(int newScale) const {
    if (newScale == scale)
        return *this;
    if (newScale > scale)
        return Decimal{units * pow10(newScale - scale), newScale};
    return Decimal{units / pow10(scale - newScale), newScale};
}

bool Decimal::operator==(const Decimal& other) const {
    const int s = std::max(scale, other.scale);
    return rescaled(s).units == other.rescaled(s).units;
}

qint64 Value::toInt() const {
    switch (type()) {
    case ValueType::Null: return 0;
    case ValueType::Integer: return std::get<qint64>(v_);
    case ValueType::Decimal: return std::get<Decimal>(v_).rescaled(0).units;
    case ValueType::Double: return qint64(std::get<double>(v_));
    case ValueType::Text: {
        const QString t = std::get<QString>(v_).trimmed();
        bool ok = false;
        const qint64 r = t.toLongLong(&ok);
        if (!ok)
            fail(t, "integer value");
        return r;
    }
    default: fail(toString(), "integer value");
    }
}

Decimal Value::toDecimal(int scale) const {
    switch (type()) {
    case ValueType::Null: return Decimal{0, scale};
    case ValueType::Integer: return Decimal{std::get<qint64>(v_), 0}.rescaled(scale);
    case ValueType::Decimal: return std::get<Decimal>(v_).rescaled(scale);
    case ValueType::Double: return Decimal::parse(QString::number(std::get<double>(v_), 'f', scale), scale);
    case ValueType::Text: return Decimal::parse(std::get<QString>(v_), scale);
    default: fail(toString(), "number");
    }
}

double Value::toDouble() const {
    switch (type()) {
    case ValueType::Null: return 0;
    case ValueType::Integer: return double(std::get<qint64>(v_));
    case ValueType::Decimal: return std::get<Decimal>(v_).toDouble();
    case ValueType::Double: return std::get<double>(v_);
    case ValueType::Text: {
        bool ok = false;
        const double r = std::get<QString>(v_).trimmed().toDouble(&ok);
        if (!ok)
            fail(std::get<QString>(v_), "number");
        return r;
    }
    default: fail(toString(), "number");
    }
}

QString Value::toString() const {
    switch (type()) {
    case ValueType::Null: return {};
    case ValueType::Integer: return QString::number(std::get<qint64>(v_));
    case ValueType::Decimal: return std::get<Decimal>(v_).toString();
    case ValueType::Double: return QString::number(std::get<double>(v_), 'g', 15);
    case ValueType::Text: return std::get<QString>(v_);
    case ValueType::Date: return std::get<QDate>(v_).toString(QStringLiteral("MM/dd/yyyy"));
    case ValueType::Time: return std::get<QTime>(v_).toString(QStringLiteral("HH:mm:ss"));
    case ValueType::Timestamp:
        return std::get<QDateTime>(v_).toString(QStringLiteral("MM/dd/yyyy HH:mm:ss"));
    case ValueType::Blob: return QString::fromUtf8(std::get<QByteArray>(v_));
    }
    return {};
}

QDate Value::toDate() const {
    switch (type()) {
    case ValueType::Null: return {};
    case ValueType::Date: return std::get<QDate>(v_);
    case ValueType::Timestamp: return std::get<QDateTime>(v_).date();
    case ValueType::Text: return parseDate(std::get<QString>(v_));
    default: fail(toString(), "date");
    }
}

QTime Value::toTime() const {
    switch (type()) {
    case ValueType::Null: return {};
    case ValueType::Time: return std::get<QTime>(v_);
    case ValueType::Timestamp: return std::get<QDateTime>(v_).time();
    case ValueType::Text: return parseTime(std::get<QString>(v_));
    default: fail(toString(), "time");
    }
}

QDateTime Value::toDateTime() const {
    switch (type()) {
    case ValueType::Null: return {};
    case ValueType::Timestamp: return std::get<QDateTime>(v_);
    case ValueType::Date: return QDateTime(std::get<QDate>(v_), QTime(0, 0));
    case ValueType::Text: {
        const QString t = std::get<QString>(v_).trimmed();
        const int space = t.indexOf(QLatin1Char(' '));
        if (space < 0)
            return QDateTime(parseDate(t), QTime(0, 0));
        return QDateTime(parseDate(t.left(space)), parseTime(t.mid(space + 1)));
    }
    default: fail(toString(), "timestamp");
    }
}

QByteArray Value::toBytes() const {
    if (type() == ValueType::Blob)
        return std::get<QByteArray>(v_);
    return toString().toUtf8();
}

bool Value::operator==(const Value& other) const {
    if (type() == other.type())
        return v_ == other.v_;
    if (isNull() || other.isNull())
        return false;
    // Numbers of different representations compare by value.
    auto numeric = [](ValueType t) {
        return t == ValueType::Integer || t == ValueType::Decimal || t == ValueType::Double;
    };
    if (numeric(type()) && numeric(other.type())) {
        if (type() == ValueType::Double || other.type() == ValueType::Double)
            return toDouble() == other.toDouble();
        const int scale = std::max(type() == ValueType::Decimal ? std::get<Decimal>(v_).scale : 0,
                                   other.type() == ValueType::Decimal ? std::get<Decimal>(other.v_).scale : 0);
        return toDecimal(scale) == other.toDecimal(scale);
    }
    return false;
}
