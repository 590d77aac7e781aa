#include "data/FbConnection.h"

#include "data/DbError.h"
#include "data/FbEnvironment.h"

#include <firebird/Interface.h>

using namespace Firebird;

namespace {
// Builds the parameter block and runs f(status, path, block) turning a
// failure into DbError.
template <typename F>
void withDpb(const QString& database, const QString& user, const QString& password, bool create, int pageSize,
             F f) {
    FbEnvironment& env = FbEnvironment::instance();
    IStatus* st = env.master()->getStatus();
    CheckStatusWrapper status(st);
    IXpbBuilder* dpb = env.util()->getXpbBuilder(&status, IXpbBuilder::DPB, nullptr, 0);
    const QByteArray u = user.toUtf8();
    const QByteArray p = password.toUtf8();
    if (!u.isEmpty())
        dpb->insertString(&status, isc_dpb_user_name, u.constData());
    if (!p.isEmpty())
        dpb->insertString(&status, isc_dpb_password, p.constData());
    dpb->insertString(&status, isc_dpb_lc_ctype, "UTF8");
    if (FbEnvironment::isLocalPath(database))
        dpb->insertString(&status, isc_dpb_config, "Providers=Engine12");
    if (create) {
        dpb->insertInt(&status, isc_dpb_sql_dialect, 3);
        dpb->insertInt(&status, isc_dpb_page_size, pageSize);
        dpb->insertString(&status, isc_dpb_set_db_charset, "UTF8");
    }
    const QByteArray path = database.toUtf8();
    f(&status, path.constData(), dpb);
    dpb->dispose();
    if (status.getState() & IStatus::STATE_ERRORS) {
        DbError e = DbError::fromStatus(st);
        st->dispose();
        throw e;
    }
    st->dispose();
}
} // namespace

FbConnection::FbConnection(QString name) : name_(std::move(name)) {}

FbConnection::~FbConnection() {
    try {
        close();
    } catch (...) {
    }
}

void FbConnection::setParam(const QString& name, const QString& value) { params_[name.toLower()] = value; }

QString FbConnection::param(const QString& name) const { return params_.value(name.toLower()); }

void FbConnection::open() {
    if (attachment_)
        return;
    const QString database = param(QStringLiteral("Database"));
    withDpb(database, param(QStringLiteral("User_Name")), param(QStringLiteral("password")), false, 0,
            [&](CheckStatusWrapper* status, const char* path, IXpbBuilder* dpb) {
                IAttachment* att = FbEnvironment::instance().provider()->attachDatabase(
                    status, path, dpb->getBufferLength(status), dpb->getBuffer(status));
                if (!(status->getState() & IStatus::STATE_ERRORS))
                    attachment_ = att;
            });
}

void FbConnection::close() {
    if (!attachment_)
        return;
    auto listeners = closeListeners_;
    for (auto& [id, listener] : listeners)
        listener();
    FbEnvironment& env = FbEnvironment::instance();
    IStatus* st = env.master()->getStatus();
    CheckStatusWrapper status(st);
    attachment_->detach(&status);
    if (status.getState() & IStatus::STATE_ERRORS)
        attachment_->release(); // the connection is gone; drop our handle anyway
    attachment_ = nullptr;
    st->dispose();
}

void FbConnection::discard() {
    if (!attachment_)
        return;
    auto listeners = closeListeners_;
    for (auto& [id, listener] : listeners)
        listener();
    attachment_->release();
    attachment_ = nullptr;
}

int FbConnection::addCloseListener(std::function<void()> listener) {
    closeListeners_.emplace_back(nextListener_, std::move(listener));
    return nextListener_++;
}

void FbConnection::removeCloseListener(int id) {
    std::erase_if(closeListeners_, [id](const auto& p) { return p.first == id; });
}

void FbConnection::createDatabase(const QString& database, const QString& user, const QString& password,
                                  int pageSize) {
    withDpb(database, user, password, true, pageSize,
            [&](CheckStatusWrapper* status, const char* path, IXpbBuilder* dpb) {
                IAttachment* att = FbEnvironment::instance().provider()->createDatabase(
                    status, path, dpb->getBufferLength(status), dpb->getBuffer(status));
                if (!(status->getState() & IStatus::STATE_ERRORS))
                    att->detach(status);
            });
}
