#pragma once

#include <QString>

// Creates an installation folder: the general database, the company
// template, a demo company with its users, patients and exam types, the
// SERVIDORES.cfg and impresoras.cfg files, and the registry entries that
// point at it.
class Installation {
public:
    // Throws std::runtime_error with a Spanish text when the folder already
    // holds an installation or something cannot be created.
    static void create(const QString& dir, const QString& printer = QString());

    // Creates an empty company template database from the scripts.
    static void createTemplate(const QString& file);
    // Creates the general database (without demo rows).
    static void createGeneral(const QString& file);
    // Runs one of the bundled scripts ("zentavo.sql", ...) on a database.
    static void runBundledScript(const QString& database, const QString& script);

    // Text of a bundled script.
    static QByteArray scriptText(const QString& script);

    // The database user scripts run as when creating files.
    static QString adminUser();
    static QString adminPassword();
};
