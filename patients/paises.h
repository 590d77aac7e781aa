#pragma once

#include "patients/tablacodigos.h"

// The countries ("Paises"): code and name, both required.
class Tfpaises : public TfTablaCodigos {
    Q_OBJECT
public:
    explicit Tfpaises(ScreenBase* owner = nullptr);
};
