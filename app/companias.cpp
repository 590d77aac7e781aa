#include "app/companias.h"

// Placeholder until the company dialogs land.
Tfcompanias::Tfcompanias(QWidget*) : ScreenBase(nullptr, false) {}
Tfcompanias::~Tfcompanias() = default;
