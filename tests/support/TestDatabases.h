#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

// Databases for tests, made from the project's own scripts. The template and
// general databases are built once per test program and copied for each test,
// so every test starts from the same clean state.
class TestDatabases {
public:
    // A fresh company database (template + demo rows) in a private folder.
    static QString freshCompany(const QTemporaryDir& dir, const QString& name = QStringLiteral("zentavo.fdb"));
    // A fresh general database with the demo users.
    static QString freshGeneral(const QTemporaryDir& dir, const QString& name = QStringLiteral("general.fdb"));
    // A complete installation folder (datos/, sop/, cfg files) under dir.
    static QString freshInstallation(const QTemporaryDir& dir);

    // The Firebird server tests may use, or empty when none is configured.
    static QString serverHost();
    // A folder the server can create files in.
    static QString serverDir();
    static QString sysdbaPassword();
};

#include <ostream>
// Readable QStrings in test failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
