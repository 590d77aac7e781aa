#include "ui/ScreenBase.h"

#include "data/ClientDataSet.h"
#include "data/dm.h"
#include "ui/MdiHost.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>
#include <cmath>

namespace {
constexpr Qt::KeyboardModifiers kHeld = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
}

ScreenBase::ScreenBase(ScreenBase* owner, bool configure) : QWidget(nullptr), owner_(owner), configure_(configure) {
    if (owner)
        owner->owned_.insert(this);
    qApp->installEventFilter(this);
}

ScreenBase::~ScreenBase() {
    if (owner_)
        owner_->owned_.erase(this);
}

void ScreenBase::ready() {
    if (configure_ && fdm)
        fdm->ConfigurarProviders(this);
    created();
}

void ScreenBase::onKey(int key, std::function<void()> action, Qt::KeyboardModifiers modifiers) {
    keys_[{key, int(modifiers & kHeld)}] = std::move(action);
}

bool ScreenBase::isEditControl(QWidget* w) const {
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w) ||
           qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w);
}

bool ScreenBase::handleKey(QObject* target, QKeyEvent* key) {
    int code = key->key();
    if (code == Qt::Key_Enter)
        code = Qt::Key_Return;
    const int mods = int(key->modifiers() & kHeld);
    auto it = keys_.find({code, mods});
    if (it != keys_.end()) {
        auto action = it->second; // the action may close and destroy the screen
        action();
        return true;
    }
    // Enteratab: Enter in an edit control goes on to the next control.
    if (code == Qt::Key_Return && mods == 0) {
        auto* w = qobject_cast<QWidget*>(target);
        // an editable combo's line edit stands for the combo itself
        if (w && qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parentWidget()))
            w = w->parentWidget();
        if (w && isEditControl(w) && !enterExempt_.count(w)) {
            // The control's value is taken first, as leaving it would.
            keepFocus_ = false;
            QPointer<ScreenBase> self(this);
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w))
                QMetaObject::invokeMethod(w, "editingFinished");
            else if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit())
                QMetaObject::invokeMethod(combo->lineEdit(), "editingFinished");
            if (self && !keepFocus_)
                focusNextChild();
            return true;
        }
    }
    return false;
}

bool ScreenBase::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && !closing_) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && (w == this || isAncestorOf(w)) && w->isEnabled()) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (handleKey(watched, key))
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool ScreenBase::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !sub_) {
        FormActivate();
        emit activated();
    }
    return QWidget::event(event);
}

QMdiSubWindow* ScreenBase::showAsChild() {
    MdiHost* host = MdiHost::instance();
    if (!host || !host->mdiArea()) {
        show();
        return nullptr;
    }
    sub_ = host->mdiArea()->addSubWindow(this);
    sub_->setAttribute(Qt::WA_DeleteOnClose);
    sub_->setWindowTitle(windowTitle());
    const QRect wanted = geometry();
    sub_->setGeometry(wanted);
    connect(host->mdiArea(), &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
        if (w && w == sub_ && !closing_) {
            FormActivate();
            emit activated();
        }
    });
    sub_->show();
    sub_->setGeometry(wanted);
    return sub_;
}

void ScreenBase::execModal() {
    modal_ = true;
    setWindowFlag(Qt::Dialog, true);
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose, false);
    QPointer<ScreenBase> self(this);
    QEventLoop loop;
    loop_ = &loop;
    show();
    raise();
    activateWindow();
    loop.exec(QEventLoop::DialogExec);
    if (self)
        loop_ = nullptr;
}

void ScreenBase::placeCentered(int width, int height) {
    MdiHost* host = MdiHost::instance();
    resize(width, height);
    if (!host)
        return;
    const QSize c = host->clientSize();
    move(int(std::ceil((c.width() - width - 125) / 2.0)), int(std::ceil((c.height() - height - 120) / 2.0)));
}

void ScreenBase::placeCascaded(int a, int b) {
    MdiHost* host = MdiHost::instance();
    if (!host)
        return;
    const QSize c = host->clientSize();
    const int n = host->childCount();
    setGeometry(b * n, a * n, c.width() - b * n - 130, c.height() - a * n - 120);
}

void ScreenBase::placeDialog(int width, int height) {
    resize(width, height);
    QRect area;
    if (auto* host = MdiHost::instance(); host && host->mdiArea())
        area = QRect(host->mdiArea()->mapToGlobal(QPoint(0, 0)), host->clientSize());
    else if (QScreen* s = QGuiApplication::primaryScreen())
        area = s->availableGeometry();
    move(area.x() + (area.width() - 125 - width) / 2, area.y() + (area.height() - 120 - height) / 2);
}

void ScreenBase::FormClose() {
    for (ClientDataSet* ds : findChildren<ClientDataSet*>())
        if (ds->state() == ClientDataSet::State::Edit || ds->state() == ClientDataSet::State::Insert)
            ds->cancel();
}

void ScreenBase::closeOwned() {
    auto owned = owned_;
    for (const QPointer<ScreenBase>& s : owned) {
        if (!s)
            continue;
        s->quietClose_ = true;
        s->closeScreen();
    }
}

void ScreenBase::closeScreen() {
    if (sub_)
        sub_->close();
    else
        close();
}

void ScreenBase::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    if (!quietClose_ && !FormCloseQuery()) {
        event->ignore();
        return;
    }
    closing_ = true;
    closeOwned();
    if (!quietClose_)
        FormClose();
    for (ClientDataSet* ds : findChildren<ClientDataSet*>())
        ds->close();
    emit closed();
    event->accept();
    if (loop_)
        loop_->exit(0);
    if (!sub_ && !modal_)
        deleteLater(); // a modal dialog belongs to whoever ran it
}
