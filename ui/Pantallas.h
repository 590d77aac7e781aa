#pragma once

#include <QString>
#include <functional>

class ScreenBase;

// Screens open each other by name, so a subsystem does not depend on the
// screens of the subsystems that come after it. The program registers every
// screen at start; a name nobody registered opens nothing.
namespace pantallas {

// Opens the screen; `owner` is the screen asking for it (nullptr: the main
// window). Modal screens return when they close.
using Opener = std::function<void(ScreenBase* owner)>;

void registrar(const QString& name, Opener opener);
// False when no screen of that name is registered.
bool abrir(const QString& name, ScreenBase* owner = nullptr);
bool registrada(const QString& name);
void olvidar_todas();

} // namespace pantallas
