#pragma once

#include "patients/tablacodigos.h"

// The cities ("Ciudades"): code, name and whether the third party screens
// offer the city. A new city gets no default: left unticked it is not active.
class Tfciudades : public TfTablaCodigos {
    Q_OBJECT
public:
    explicit Tfciudades(ScreenBase* owner = nullptr);
};
