#pragma once

#include "data/DbError.h"
#include "data/FbEnvironment.h"

#include <firebird/Interface.h>

// A status object for one client library call sequence; check() turns a
// recorded failure into DbError.
class FbStatus {
public:
    FbStatus() : st_(FbEnvironment::instance().master()->getStatus()), wrapper_(st_) {}
    ~FbStatus() { st_->dispose(); }
    FbStatus(const FbStatus&) = delete;
    FbStatus& operator=(const FbStatus&) = delete;

    Firebird::CheckStatusWrapper* operator&() { return &wrapper_; }
    bool failed() const { return wrapper_.getState() & Firebird::IStatus::STATE_ERRORS; }
    void check() {
        if (failed())
            throw DbError::fromStatus(st_);
    }

private:
    Firebird::IStatus* st_;
    Firebird::CheckStatusWrapper wrapper_;
};
