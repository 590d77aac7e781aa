// The conventions every screen shares: Enter moves on, function keys only
// without modifiers, cascaded placement, owned screens closing with their
// owner, pending records cancelled on close.
#include "ui/MdiHost.h"
#include "ui/ScreenBase.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {
class Host : public QMainWindow, public MdiHost {
public:
    Host() {
        setCentralWidget(area = new QMdiArea);
        resize(1024, 768);
        show();
        MdiHost::setInstance(this);
    }
    ~Host() override { MdiHost::setInstance(nullptr); }
    QMdiArea* mdiArea() const override { return area; }
    QSize clientSize() const override { return area->size(); }
    int childCount() const override { return int(area->subWindowList().size()); }
    QMdiArea* area;
};

class Form : public ScreenBase {
public:
    explicit Form(ScreenBase* owner = nullptr) : ScreenBase(owner, false) {
        auto* l = new QVBoxLayout(this);
        l->addWidget(first = new QLineEdit);
        l->addWidget(second = new QLineEdit);
        l->addWidget(notes = new QPlainTextEdit);
        l->addWidget(button = new QPushButton(QStringLiteral("F2: Grabar")));
        onKey(Qt::Key_F2, [this] { ++saves; });
        onKey(Qt::Key_Escape, [this] { closeScreen(); });
        ready();
    }
    QLineEdit *first, *second;
    QPlainTextEdit* notes;
    QPushButton* button;
    int saves = 0;
};
} // namespace

TEST(ScreenBase, KeysFollowTheCommonRules) {
    Host host;
    auto* f = new Form;
    f->placeCascaded(8, 6);
    f->showAsChild();
    QApplication::processEvents();
    f->first->setFocus();
    QTest::keyClick(f->first, Qt::Key_Return);
    EXPECT_TRUE(f->second->hasFocus());
    QTest::keyClick(f->second, Qt::Key_Return);
    EXPECT_TRUE(f->notes->hasFocus());
    QTest::keyClick(f->notes, Qt::Key_Return); // never a new line, never a submit
    EXPECT_TRUE(f->notes->toPlainText().isEmpty());
    EXPECT_TRUE(f->button->hasFocus());
    QTest::keyClick(f->first, Qt::Key_F2, Qt::ControlModifier);
    QTest::keyClick(f->first, Qt::Key_F2, Qt::ShiftModifier);
    EXPECT_EQ(f->saves, 0);
    QTest::keyClick(f->first, Qt::Key_F2);
    EXPECT_EQ(f->saves, 1);
    QTest::keyClick(f->first, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(host.area->subWindowList().isEmpty());
}

TEST(ScreenBase, CascadedWindowsStepDownAndShrink) {
    Host host;
    auto* a = new Form;
    a->placeCascaded(8, 6);
    a->showAsChild();
    auto* b = new Form;
    b->placeCascaded(8, 6);
    b->showAsChild();
    const QSize c = host.clientSize();
    EXPECT_EQ(b->subWindow()->geometry(), QRect(6, 8, c.width() - 6 - 130, c.height() - 8 - 120));
    EXPECT_EQ(a->subWindow()->geometry(), QRect(0, 0, c.width() - 130, c.height() - 120));
    host.area->closeAllSubWindows();
}

TEST(ScreenBase, OwnedScreensCloseWithTheirOwner) {
    Host host;
    auto* owner = new Form;
    owner->showAsChild();
    QPointer<Form> child = new Form(owner);
    child->showAsChild();
    EXPECT_EQ(host.childCount(), 2);
    owner->closeScreen();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(child.isNull());
    EXPECT_EQ(host.childCount(), 0);
}
