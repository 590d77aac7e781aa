#include "agenda/dmcrm.h"

Tfdmcrm* fdmcrm = nullptr;

Tfdmcrm::Tfdmcrm(QObject* parent) : QObject(parent) { fdmcrm = this; }

Tfdmcrm::~Tfdmcrm() {
    if (fdmcrm == this)
        fdmcrm = nullptr;
}
