#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <set>

class QMdiSubWindow;
class ClientDataSet;

// The base of every screen: keyboard conventions, placement, ownership and
// closing.
//  - Enter in an edit control moves the focus to the next control in tab
//    order (Enteratab); screens may exempt controls.
//  - The screen sees keys before its controls (FormKeyDown): function keys
//    act only with none of Shift, Ctrl and Alt held.
//  - Closing cancels a pending record, closes the screen's datasets and
//    destroys the window (FormClose); screens opened by this one close with
//    it, without their own close handling and without saving.
//  - Business screens live in the main window's MDI area; dialogs are modal.
class ScreenBase : public QWidget {
    Q_OBJECT
public:
    // `configure`: wire the screen's datasets to the shared error handling
    // (ConfigurarProviders) once the subclass has built them (see ready()).
    explicit ScreenBase(ScreenBase* owner = nullptr, bool configure = true);
    ~ScreenBase() override;

    // Key map entry: the action runs for the key pressed with exactly the
    // given modifiers (function keys default to none).
    void onKey(int key, std::function<void()> action, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Controls where Enter keeps its own meaning.
    void keepEnter(QWidget* control) { enterExempt_.insert(control); }
    // Called while an Enter is being handled: the focus stays where the
    // handler put it instead of moving on.
    void keepFocus() { keepFocus_ = true; }

    // Shows the screen as an MDI child of the main window (or a top-level
    // window when there is none) and returns its sub-window.
    QMdiSubWindow* showAsChild();
    // Runs the screen as a modal dialog; returns when it closes.
    void execModal();

    // Placement on the main window's client area.
    void placeCentered(int width, int height);
    void placeCascaded(int a, int b);
    // Dialog centred in the client area less 120 by 125 pixels.
    void placeDialog(int width, int height);

    ScreenBase* owner() const { return owner_; }
    QMdiSubWindow* subWindow() const { return sub_; }
    bool isModal() const { return modal_; }

    // Closes the screen with its normal close handling.
    void closeScreen();

signals:
    void activated();
    void closed();

protected:
    // Call at the end of the subclass constructor: wires datasets, then
    // calls FormCreate-style work the subclass put in created().
    void ready();
    virtual void created() {}
    // Runs before the datasets are closed; return false to keep the screen open.
    virtual bool FormCloseQuery() { return true; }
    virtual void FormActivate() {}
    // Extra close work of the screen (default cancels pending records).
    virtual void FormClose();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    bool handleKey(QObject* target, class QKeyEvent* key);
    bool isEditControl(QWidget* w) const;
    void closeOwned();

    QPointer<ScreenBase> owner_;
    std::set<QPointer<ScreenBase>> owned_;
    std::map<std::pair<int, int>, std::function<void()>> keys_;
    std::set<QWidget*> enterExempt_;
    bool configure_;
    bool closing_ = false;
    bool modal_ = false;
    bool quietClose_ = false;
    bool keepFocus_ = false;
    QMdiSubWindow* sub_ = nullptr;
    class QEventLoop* loop_ = nullptr;
};
