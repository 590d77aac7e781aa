#pragma once

namespace Firebird {
class ITransaction;
}
class FbConnection;

// A transaction on one connection: read committed with record versions,
// waiting on locked rows. Rolled back when destroyed unless committed.
class FbTransaction {
public:
    enum class Mode { ReadWrite, ReadOnly };
    explicit FbTransaction(FbConnection& connection, Mode mode = Mode::ReadWrite);
    ~FbTransaction();
    FbTransaction(const FbTransaction&) = delete;
    FbTransaction& operator=(const FbTransaction&) = delete;

    void commit();
    void rollback();
    bool active() const { return tx_ != nullptr; }

    FbConnection& connection() const { return connection_; }
    Firebird::ITransaction* handle() const { return tx_; }

private:
    FbConnection& connection_;
    Firebird::ITransaction* tx_ = nullptr;
};
