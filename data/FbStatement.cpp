#include "data/FbStatement.h"

#include "data/FbConnection.h"
#include "data/FbStatus.h"
#include "data/FbTransaction.h"

#include <cstring>

using namespace Firebird;

namespace {
constexpr qint64 kJulianOfMjdZero = 2400001;
constexpr unsigned kUtf8 = 4;
constexpr int kMaxVarying = 32765;

ISC_QUAD writeBlob(IAttachment* att, ITransaction* tx, const QByteArray& data) {
    FbStatus status;
    ISC_QUAD id;
    IBlob* blob = att->createBlob(&status, tx, &id, 0, nullptr);
    status.check();
    for (qsizetype pos = 0; pos < data.size(); pos += 32768) {
        const auto len = unsigned(std::min<qsizetype>(32768, data.size() - pos));
        blob->putSegment(&status, len, data.constData() + pos);
        if (status.failed()) {
            FbStatus cancel;
            blob->cancel(&cancel);
            status.check();
        }
    }
    blob->close(&status);
    status.check();
    return id;
}

// The scale a decimal value carries (its own, without rescaling).
int decimalScale(const Value& v) {
    const QString text = v.toString();
    const int dot = text.indexOf(QLatin1Char('.'));
    return dot < 0 ? 0 : int(text.size() - dot - 1);
}

[[noreturn]] void throwTooLong() {
    throw DbError(DbError::Kind::Truncation, {335544321, 335544914}, {},
                  QStringLiteral("arithmetic exception, numeric overflow, or string truncation\n"
                                 "-string right truncation"));
}
} // namespace

FbStatement::FbStatement(FbTransaction& tx, const QString& sql) : tx_(tx), sql_(sql) {
    FbStatus status;
    const QByteArray text = sql.toUtf8();
    stmt_ = tx.connection().attachment()->prepare(&status, tx.handle(), 0, text.constData(), 3,
                                                  IStatement::PREPARE_PREFETCH_METADATA);
    status.check();
    inMeta_ = stmt_->getInputMetadata(&status);
    status.check();
    outMeta_ = stmt_->getOutputMetadata(&status);
    status.check();
    output_ = RowLayout(outMeta_);
}

FbStatement::~FbStatement() {
    FbStatus status;
    if (boundMeta_)
        boundMeta_->release();
    if (inMeta_)
        inMeta_->release();
    if (outMeta_)
        outMeta_->release();
    if (stmt_)
        stmt_->free(&status);
    if (status.failed() && stmt_)
        stmt_->release();
}

unsigned FbStatement::paramCount() const {
    FbStatus status;
    return inMeta_->getCount(&status);
}

bool FbStatement::isSelect() const {
    FbStatus status;
    const unsigned type = stmt_->getType(&status);
    return type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd;
}

IMessageMetadata* FbStatement::bind(const std::vector<Value>& params, std::vector<unsigned char>& buffer) {
    FbStatus status;
    const unsigned n = inMeta_->getCount(&status);
    if (n == 0)
        return nullptr;
    if (params.size() != n)
        throw std::invalid_argument(QStringLiteral("The statement takes %1 parameters, %2 given")
                                        .arg(n)
                                        .arg(params.size())
                                        .toStdString());
    std::vector<QByteArray> texts(n);
    // Text goes as VARCHAR of the declared length when it fits, so rows of
    // the same kinds of values share one message layout.
    std::vector<unsigned> key(2 * size_t(n));
    for (unsigned i = 0; i < n; ++i) {
        const Value& v = params[i];
        const unsigned declared = inMeta_->getType(&status, i) & ~1u;
        unsigned length = 0;
        if (v.type() == ValueType::Text || v.type() == ValueType::Blob) {
            texts[i] = v.toBytes();
            length = unsigned(std::max<qsizetype>(1, texts[i].size()));
            if (declared == SQL_VARYING || declared == SQL_TEXT)
                length = std::max(length, inMeta_->getLength(&status, i));
        } else if (v.type() == ValueType::Decimal) {
            length = unsigned(decimalScale(v));
        }
        key[2 * i] = unsigned(v.type());
        key[2 * i + 1] = length;
    }
    if (boundMeta_ && key == boundKey_) {
        buffer.assign(boundMeta_->getMessageLength(&status), 0);
        fill(params, texts, boundMeta_, buffer);
        boundMeta_->addRef();
        return boundMeta_;
    }
    IMetadataBuilder* builder = inMeta_->getBuilder(&status);
    status.check();
    for (unsigned i = 0; i < n; ++i) {
        const Value& v = params[i];
        const unsigned declared = inMeta_->getType(&status, i) & ~1u;
        switch (v.type()) {
        case ValueType::Null: builder->setType(&status, i, declared | 1u); break;
        case ValueType::Integer:
            builder->setType(&status, i, SQL_INT64 + 1);
            builder->setLength(&status, i, sizeof(ISC_INT64));
            builder->setScale(&status, i, 0);
            break;
        case ValueType::Decimal:
            builder->setType(&status, i, SQL_INT64 + 1);
            builder->setLength(&status, i, sizeof(ISC_INT64));
            builder->setScale(&status, i, -decimalScale(v));
            break;
        case ValueType::Double:
            builder->setType(&status, i, SQL_DOUBLE + 1);
            builder->setLength(&status, i, sizeof(double));
            builder->setScale(&status, i, 0);
            break;
        case ValueType::Date:
            builder->setType(&status, i, SQL_TYPE_DATE + 1);
            builder->setLength(&status, i, sizeof(ISC_DATE));
            builder->setScale(&status, i, 0);
            break;
        case ValueType::Time:
            builder->setType(&status, i, SQL_TYPE_TIME + 1);
            builder->setLength(&status, i, sizeof(ISC_TIME));
            builder->setScale(&status, i, 0);
            break;
        case ValueType::Timestamp:
            builder->setType(&status, i, SQL_TIMESTAMP + 1);
            builder->setLength(&status, i, sizeof(ISC_TIMESTAMP));
            builder->setScale(&status, i, 0);
            break;
        case ValueType::Text:
        case ValueType::Blob:
            if (declared == SQL_BLOB)
                break; // passed as a blob id of the declared type
            if (texts[i].size() > kMaxVarying)
                throwTooLong();
            builder->setType(&status, i, SQL_VARYING + 1);
            builder->setScale(&status, i, 0);
            builder->setLength(&status, i, std::min<unsigned>(kMaxVarying, key[2 * i + 1]));
            builder->setCharSet(&status, i, v.type() == ValueType::Text ? kUtf8 : 1 /* octets */);
            break;
        }
    }
    IMessageMetadata* meta = builder->getMetadata(&status);
    builder->release();
    status.check();
    buffer.assign(meta->getMessageLength(&status), 0);
    fill(params, texts, meta, buffer);
    if (boundMeta_)
        boundMeta_->release();
    boundMeta_ = meta;
    boundKey_ = std::move(key);
    meta->addRef();
    return meta;
}

void FbStatement::fill(const std::vector<Value>& params, const std::vector<QByteArray>& texts,
                       IMessageMetadata* meta, std::vector<unsigned char>& buffer) {
    FbStatus status;
    const unsigned n = unsigned(params.size());
    for (unsigned i = 0; i < n; ++i) {
        const Value& v = params[i];
        unsigned char* p = buffer.data() + meta->getOffset(&status, i);
        auto* null = reinterpret_cast<short*>(buffer.data() + meta->getNullOffset(&status, i));
        *null = v.isNull() ? -1 : 0;
        if (v.isNull())
            continue;
        switch (v.type()) {
        case ValueType::Null: break;
        case ValueType::Integer: {
            const qint64 x = v.toInt();
            std::memcpy(p, &x, sizeof x);
            break;
        }
        case ValueType::Decimal: {
            const Decimal d = v.toDecimal(-meta->getScale(&status, i));
            std::memcpy(p, &d.units, sizeof d.units);
            break;
        }
        case ValueType::Double: {
            const double x = v.toDouble();
            std::memcpy(p, &x, sizeof x);
            break;
        }
        case ValueType::Date: {
            const auto x = ISC_DATE(v.toDate().toJulianDay() - kJulianOfMjdZero);
            std::memcpy(p, &x, sizeof x);
            break;
        }
        case ValueType::Time: {
            const auto x = ISC_TIME(v.toTime().msecsSinceStartOfDay() * 10);
            std::memcpy(p, &x, sizeof x);
            break;
        }
        case ValueType::Timestamp: {
            const QDateTime dt = v.toDateTime();
            ISC_TIMESTAMP ts;
            ts.timestamp_date = ISC_DATE(dt.date().toJulianDay() - kJulianOfMjdZero);
            ts.timestamp_time = ISC_TIME(dt.time().msecsSinceStartOfDay() * 10);
            std::memcpy(p, &ts, sizeof ts);
            break;
        }
        case ValueType::Text:
        case ValueType::Blob:
            if ((meta->getType(&status, i) & ~1u) == SQL_BLOB) {
                const ISC_QUAD id = writeBlob(tx_.connection().attachment(), tx_.handle(), texts[i]);
                std::memcpy(p, &id, sizeof id);
            } else {
                const auto len = static_cast<unsigned short>(texts[i].size());
                std::memcpy(p, &len, sizeof len);
                std::memcpy(p + 2, texts[i].constData(), len);
            }
            break;
        }
    }
    status.check();
}

std::vector<Value> FbStatement::execute(const std::vector<Value>& params) {
    std::vector<unsigned char> in;
    IMessageMetadata* meta = bind(params, in);
    FbStatus status;
    std::vector<unsigned char> out(output_.messageLength());
    stmt_->execute(&status, tx_.handle(), meta, meta ? in.data() : nullptr, output_.columns().empty() ? nullptr : outMeta_,
                   output_.columns().empty() ? nullptr : out.data());
    if (meta)
        meta->release();
    status.check();
    std::vector<Value> result;
    for (size_t i = 0; i < output_.columns().size(); ++i)
        result.push_back(output_.decode(out.data(), i, tx_.connection().attachment(), tx_.handle(),
                                        tx_.connection().trimChar()));
    return result;
}

qint64 FbStatement::affectedRows() const {
    FbStatus status;
    const ISC_UINT64 n = stmt_->getAffectedRecords(&status);
    status.check();
    return qint64(n);
}

std::unique_ptr<FbCursor> FbStatement::openCursor(const std::vector<Value>& params) {
    std::vector<unsigned char> in;
    IMessageMetadata* meta = bind(params, in);
    FbStatus status;
    IResultSet* rs = stmt_->openCursor(&status, tx_.handle(), meta, meta ? in.data() : nullptr, outMeta_, 0);
    if (meta)
        meta->release();
    status.check();
    return std::unique_ptr<FbCursor>(new FbCursor(*this, rs));
}

FbCursor::FbCursor(FbStatement& statement, IResultSet* rs)
    : stmt_(statement), rs_(rs), layout_(statement.output()), buffer_(statement.output().messageLength()),
      trim_(statement.transaction().connection().trimChar()) {}

FbCursor::~FbCursor() { close(); }

bool FbCursor::fetch() {
    if (!rs_)
        return false;
    FbStatus status;
    const int rc = rs_->fetchNext(&status, buffer_.data());
    status.check();
    return rc == IStatus::RESULT_OK;
}

Value FbCursor::value(size_t column) const {
    return layout_.decode(buffer_.data(), column, stmt_.transaction().connection().attachment(),
                          stmt_.transaction().handle(), trim_);
}

std::vector<Value> FbCursor::values() const {
    std::vector<Value> v;
    v.reserve(layout_.columns().size());
    for (size_t i = 0; i < layout_.columns().size(); ++i)
        v.push_back(value(i));
    return v;
}

void FbCursor::pack(PackedRowBuilder& builder) const {
    layout_.pack(buffer_.data(), builder, stmt_.transaction().connection().attachment(),
                 stmt_.transaction().handle(), trim_);
}

void FbCursor::close() {
    if (!rs_)
        return;
    FbStatus status;
    rs_->close(&status);
    if (status.failed())
        rs_->release();
    rs_ = nullptr;
}
