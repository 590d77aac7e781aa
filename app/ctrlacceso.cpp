#include "app/ctrlacceso.h"

// Placeholder until the login dialog lands.
Tfacceso::Tfacceso(QWidget*) : ScreenBase(nullptr, false) {}
Tfacceso::~Tfacceso() = default;
