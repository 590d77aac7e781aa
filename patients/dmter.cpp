#include "patients/dmter.h"

Tfdmter* fdmter = nullptr;

Tfdmter::Tfdmter(QObject* parent) : QObject(parent) { fdmter = this; }

Tfdmter::~Tfdmter() {
    if (fdmter == this)
        fdmter = nullptr;
}
