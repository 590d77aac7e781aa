#pragma once

#include "common/UserDialogs.h"
#include "data/DataSetError.h"
#include "data/ErrorTranslator.h"
#include "data/dm.h"

#include <functional>

// Errors raised by grid actions (an edit the dataset refuses, an export file
// that cannot be created) go to the program's error handling when the shared
// data module exists, and straight to an error dialog otherwise.
inline void reportGridError(const std::exception& e, QObject* sender = nullptr) {
    if (dynamic_cast<const OperationAborted*>(&e))
        return; // already reported by the dataset's own handler
    if (fdm)
        fdm->ENoManejada(sender, e);
    else
        UserDialogs::current().error(ErrorTranslator::unhandledMessage(e));
}

// Runs f; an error it raises is reported as above. False when it failed.
inline bool runGridAction(const std::function<void()>& f, QObject* sender = nullptr) {
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        reportGridError(e, sender);
        return false;
    }
}
