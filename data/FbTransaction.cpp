#include "data/FbTransaction.h"

#include "data/DbError.h"
#include "data/FbConnection.h"
#include "data/FbEnvironment.h"
#include "data/FbStatus.h"

#include <firebird/Interface.h>

using namespace Firebird;


FbTransaction::FbTransaction(FbConnection& connection, Mode mode) : connection_(connection) {
    if (!connection.isOpen())
        connection.open();
    const unsigned char readWrite[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                       isc_tpb_rec_version, isc_tpb_wait};
    const unsigned char readOnly[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed,
                                      isc_tpb_rec_version, isc_tpb_wait};
    const unsigned char* tpb = mode == Mode::ReadOnly ? readOnly : readWrite;
    try {
        FbStatus status;
        tx_ = connection.attachment()->startTransaction(&status, sizeof readWrite, tpb);
        status.check();
    } catch (const DbError& e) {
        if (e.kind() != DbError::Kind::ConnectionLost)
            throw;
        // The database went away since the last statement: attach again once,
        // so work resumes as soon as it is back.
        connection.discard();
        connection.open();
        FbStatus status;
        tx_ = connection.attachment()->startTransaction(&status, sizeof readWrite, tpb);
        status.check();
    }
}

FbTransaction::~FbTransaction() {
    try {
        rollback();
    } catch (...) {
    }
}

void FbTransaction::commit() {
    if (!tx_)
        return;
    FbStatus status;
    tx_->commit(&status);
    status.check();
    tx_ = nullptr;
}

void FbTransaction::rollback() {
    if (!tx_)
        return;
    FbStatus status;
    tx_->rollback(&status);
    if (status.failed()) {
        tx_->release();
        tx_ = nullptr;
        status.check();
    }
    tx_ = nullptr;
}
