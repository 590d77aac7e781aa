#pragma once

// Pieces every benchmark shares: the raw client's status and transaction
// parameters, and a stopwatch of elapsed and thread CPU time.

#include "data/FbEnvironment.h"

#include <QElapsedTimer>
#include <firebird/Interface.h>
#include <time.h>

namespace bench {

// Firebird dates count days from 17 Nov 1858.
constexpr qint64 kJulianOfMjdZero = 2400001;
inline const unsigned char kReadTpb[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed,
                                         isc_tpb_rec_version, isc_tpb_wait};
inline const unsigned char kWriteTpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                          isc_tpb_rec_version, isc_tpb_wait};

inline Firebird::IMaster* master() { return FbEnvironment::instance().master(); }

// A throwing status for one raw sequence of calls.
class RawStatus {
public:
    RawStatus() : st_(master()->getStatus()), wrapper_(st_) {}
    ~RawStatus() { st_->dispose(); }
    RawStatus(const RawStatus&) = delete;
    RawStatus& operator=(const RawStatus&) = delete;
    Firebird::ThrowStatusWrapper* operator&() { return &wrapper_; }

private:
    Firebird::IStatus* st_;
    Firebird::ThrowStatusWrapper wrapper_;
};

// Elapsed and CPU time of one side of a round, in nanoseconds.
struct Cost {
    qint64 wall = 0, cpu = 0;
};

class Stopwatch {
public:
    Stopwatch() {
        wall_.start();
        cpu0_ = cpuNow();
    }
    Cost elapsed() const { return {wall_.nsecsElapsed(), cpuNow() - cpu0_}; }

private:
    static qint64 cpuNow() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
    }
    QElapsedTimer wall_;
    qint64 cpu0_;
};

} // namespace bench
