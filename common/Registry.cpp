#include "common/Registry.h"

#include <QSettings>

Registry::Registry() {
    const QByteArray file = qgetenv("TEVANOR_REGISTRY");
    if (!file.isEmpty())
        settings_ = std::make_unique<QSettings>(QString::fromLocal8Bit(file), QSettings::IniFormat);
    else
        settings_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::SystemScope,
                                                QStringLiteral("Quorvel"), QStringLiteral("Tevanor"));
}

Registry::~Registry() = default;

bool Registry::keyExists() const {
    settings_->sync();
    if (settings_->status() != QSettings::NoError)
        return false;
    return !settings_->allKeys().isEmpty();
}

QString Registry::value(const QString& name) const {
    return settings_->value(name).toString();
}

void Registry::setValue(const QString& name, const QString& value) {
    settings_->setValue(name, value);
}

void Registry::sync() { settings_->sync(); }

QString Registry::location() const { return settings_->fileName(); }

#include "common/UserDialogs.h"

QString diraplicacion() {
    Registry registry;
    if (!registry.keyExists()) {
        UserDialogs::current().error(
            QStringLiteral("No se encontró la Clave HKEY_LOCAL_MACHINE\\Software\\Quorvel\\Tevanor\\Directorio"));
        return {};
    }
    return registry.value(QStringLiteral("Directorio"));
}
