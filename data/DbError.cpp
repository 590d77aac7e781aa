#include "data/DbError.h"

#include "data/FbEnvironment.h"

#include <algorithm>
#include <firebird/Interface.h>

namespace {
// Error codes of the status vector (first element classifies the failure).
constexpr long kLoginRefused = 335544472;
constexpr long kIoError = 335544344;
constexpr long kNetworkRequest = 335544721;
constexpr long kNetConnectFailed = 335544722;
constexpr long kNetLookupFailed = 335544704;
constexpr long kNetLookupFailed2 = 335544706;
constexpr long kUniqueKey = 335544665;
constexpr long kForeignKey = 335544466;
constexpr long kNotNull = 335544347;
constexpr long kArithmetic = 335544321;
constexpr long kStringTruncation = 335544914;
constexpr long kUpdateConflict = 335544336;
constexpr long kLockConflict = 335544345;
constexpr long kConnectionShutdown = 335544856;
constexpr long kNetWrite = 335544726;
constexpr long kNetRead = 335544727;
constexpr long kConnectionLost = 335544741;
constexpr long kShutdown = 335544528;

DbError::Kind classify(const std::vector<long>& codes) {
    auto has = [&](long c) { return std::find(codes.begin(), codes.end(), c) != codes.end(); };
    const long first = codes.empty() ? 0 : codes.front();
    switch (first) {
    case kLoginRefused: return DbError::Kind::LoginRefused;
    case kIoError: return DbError::Kind::FileNotFound;
    case kNetworkRequest:
        if (has(kNetLookupFailed) || has(kNetLookupFailed2))
            return DbError::Kind::HostNotFound;
        return DbError::Kind::ServerUnreachable;
    case kUniqueKey: return DbError::Kind::PrimaryKey;
    case kForeignKey: return DbError::Kind::ForeignKey;
    case kNotNull: return DbError::Kind::NotNull;
    case kUpdateConflict: return DbError::Kind::UpdateConflict;
    case kConnectionShutdown:
    case kNetWrite:
    case kNetRead:
    case kConnectionLost:
    case kShutdown: return DbError::Kind::ConnectionLost;
    default: break;
    }
    if (has(kArithmetic) && has(kStringTruncation))
        return DbError::Kind::Truncation;
    if (has(kLockConflict) && has(kUpdateConflict))
        return DbError::Kind::UpdateConflict;
    if (has(kLockConflict))
        return DbError::Kind::LockConflict;
    if (has(kNetConnectFailed))
        return DbError::Kind::ServerUnreachable;
    return DbError::Kind::Other;
}
} // namespace

DbError::DbError(Kind kind, std::vector<long> codes, QStringList args, const QString& message)
    : std::runtime_error(message.toStdString()), kind_(kind), codes_(std::move(codes)), args_(std::move(args)),
      message_(message) {}

DbError DbError::fromStatus(Firebird::IStatus* status) {
    std::vector<long> codes;
    QStringList args;
    for (const intptr_t* p = status->getErrors(); p && *p != isc_arg_end;) {
        const intptr_t tag = *p++;
        switch (tag) {
        case isc_arg_gds: codes.push_back(long(*p++)); break;
        case isc_arg_string:
        case isc_arg_interpreted:
        case isc_arg_sql_state: args << QString::fromUtf8(reinterpret_cast<const char*>(*p++)); break;
        case isc_arg_cstring: {
            const auto len = int(*p++);
            args << QString::fromUtf8(reinterpret_cast<const char*>(*p++), len);
            break;
        }
        case isc_arg_number: args << QString::number(long(*p++)); break;
        default: ++p; break;
        }
    }
    char buffer[2048];
    FbEnvironment::instance().util()->formatStatus(buffer, sizeof buffer, status);
    const QString message = QString::fromUtf8(buffer).trimmed();
    const Kind kind = classify(codes);
    return DbError(kind, std::move(codes), std::move(args), message);
}

bool DbError::hasCode(long code) const { return std::find(codes_.begin(), codes_.end(), code) != codes_.end(); }

QString DbError::path() const {
    // I/O error: "I/O error during "open" operation for file "/x/y.fdb"": the
    // path is the argument after the operation word.
    if (kind_ == Kind::FileNotFound)
        return args_.size() >= 2 ? args_.at(1) : args_.value(0);
    return {};
}

QString DbError::host() const {
    if (kind_ == Kind::HostNotFound || kind_ == Kind::ServerUnreachable)
        return args_.value(0);
    return {};
}
