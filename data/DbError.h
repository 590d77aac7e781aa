#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

namespace Firebird {
class IStatus;
}

// An error reported by the database client library, kept with its status
// vector so callers classify it by error code rather than by its text.
class DbError : public std::runtime_error {
public:
    enum class Kind {
        LoginRefused,      // user name or password not accepted
        FileNotFound,      // I/O error opening the database file
        HostNotFound,      // network request to an unknown host
        ServerUnreachable, // host known, nothing listening on the port
        PrimaryKey,        // primary or unique key violation
        ForeignKey,        // foreign key violation
        NotNull,           // a required column got null
        Truncation,        // text longer than its column
        UpdateConflict,    // row changed by a concurrent transaction
        LockConflict,      // row locked and no wait
        ConnectionLost,    // the connection went away while in use
        Other
    };

    DbError(Kind kind, std::vector<long> codes, QStringList args, const QString& message);

    // Builds the error from a failed call's status.
    static DbError fromStatus(Firebird::IStatus* status);

    Kind kind() const { return kind_; }
    const std::vector<long>& codes() const { return codes_; }
    // String arguments of the status vector, in order.
    const QStringList& args() const { return args_; }
    QString message() const { return message_; }
    bool hasCode(long code) const;

    // The file path of an I/O error; the host of a network error.
    QString path() const;
    QString host() const;

private:
    Kind kind_;
    std::vector<long> codes_;
    QStringList args_;
    QString message_;
};
