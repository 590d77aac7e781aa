#pragma once

#include <QString>
#include <QStringList>

class FbConnection;

// Runs an SQL script of the kind isql reads: statements ended by the current
// terminator, "SET TERM" to change it, "COMMIT", -- and /* */ comments.
// Definitions are committed one by one; data statements run together until
// the next definition or COMMIT.
class ScriptRunner {
public:
    explicit ScriptRunner(FbConnection& connection) : connection_(connection) {}

    // Splits a script into statements (SET TERM handled, comments kept out).
    static QStringList split(const QString& script);
    // Runs every statement; throws DbError with the failing statement's error.
    void run(const QString& script);
    // Runs a script from a file or a Qt resource path.
    void runFile(const QString& path);

private:
    FbConnection& connection_;
};
