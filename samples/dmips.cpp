#include "samples/dmips.h"

TFdmips* Fdmips = nullptr;

TFdmips::TFdmips(QObject* parent) : QObject(parent) { Fdmips = this; }

TFdmips::~TFdmips() {
    if (Fdmips == this)
        Fdmips = nullptr;
}
