#include "ui/Pantallas.h"

#include <QHash>

namespace pantallas {
namespace {
QHash<QString, Opener>& table() {
    static QHash<QString, Opener> t;
    return t;
}
} // namespace

void registrar(const QString& name, Opener opener) { table().insert(name, std::move(opener)); }

bool abrir(const QString& name, ScreenBase* owner) {
    auto it = table().constFind(name);
    if (it == table().constEnd() || !*it)
        return false;
    Opener opener = *it; // the opener may register others meanwhile
    opener(owner);
    return true;
}

bool registrada(const QString& name) { return table().contains(name); }

void olvidar_todas() { table().clear(); }

} // namespace pantallas
