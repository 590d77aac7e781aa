#pragma once

#include <QMap>
#include <QString>
#include <functional>
#include <vector>

namespace Firebird {
class IAttachment;
}

// One attachment to a database. Parameters are set by name on the closed
// connection ("Database", "User_Name", "password"); open() attaches with the
// values held at that moment. A plain file path goes to the embedded engine,
// "host:path" and "host/port:path" to a server. Text travels as UTF-8.
class FbConnection {
public:
    explicit FbConnection(QString name = {});
    ~FbConnection();
    FbConnection(const FbConnection&) = delete;
    FbConnection& operator=(const FbConnection&) = delete;

    const QString& name() const { return name_; }

    void setParam(const QString& name, const QString& value);
    QString param(const QString& name) const;

    // Fixed-length text keeps its trailing blanks unless trimming is on.
    void setTrimChar(bool trim) { trimChar_ = trim; }
    bool trimChar() const { return trimChar_; }

    void open();
    void close();
    // Drops an attachment whose server side is gone (no detach is sent).
    void discard();
    bool isOpen() const { return attachment_ != nullptr; }
    void setConnected(bool connected) { connected ? open() : close(); }

    Firebird::IAttachment* attachment() const { return attachment_; }

    // Runs when the connection is about to close, so open cursors and
    // transactions on it are released first.
    int addCloseListener(std::function<void()> listener);
    void removeCloseListener(int id);

    // Creates a new database file (dialect 3, UTF8) at the location, with
    // the given user. Throws DbError.
    static void createDatabase(const QString& database, const QString& user, const QString& password,
                               int pageSize = 8192);

private:
    QString name_;
    QMap<QString, QString> params_;
    bool trimChar_ = false;
    Firebird::IAttachment* attachment_ = nullptr;
    std::vector<std::pair<int, std::function<void()>>> closeListeners_;
    int nextListener_ = 1;
};
