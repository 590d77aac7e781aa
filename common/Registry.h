#pragma once

#include <QString>
#include <memory>

class QSettings;

// Stand-in for the machine-wide registry key that locates the installation:
// organisation "Quorvel", application "Tevanor", values "Directorio" and
// "Compania". Read through QSettings in system scope (on Windows the real
// HKLM key). When the environment variable TEVANOR_REGISTRY names a file,
// that INI file is used instead.
class Registry {
public:
    Registry();
    ~Registry();

    // False when the key does not exist at all.
    bool keyExists() const;
    QString value(const QString& name) const;
    void setValue(const QString& name, const QString& value);
    void sync();

    QString location() const;

private:
    std::unique_ptr<QSettings> settings_;
};

// The installation folder: the registry's "Directorio". When the key does
// not exist it says so ("No se encontró la Clave HKEY_LOCAL_MACHINE\...")
// and returns the empty text; a missing value is the empty text too.
QString diraplicacion();
