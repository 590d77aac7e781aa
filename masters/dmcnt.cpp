#include "masters/dmcnt.h"

Tfdmcnt* fdmcnt = nullptr;

Tfdmcnt::Tfdmcnt(QObject* parent) : QObject(parent) { fdmcnt = this; }

Tfdmcnt::~Tfdmcnt() {
    if (fdmcnt == this)
        fdmcnt = nullptr;
}
