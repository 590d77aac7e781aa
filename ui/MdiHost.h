#pragma once

#include <QSize>

class QMdiArea;
class QWidget;

// What screens need of the main window to place themselves: its MDI area,
// the size of its client area and the number of open child windows.
class MdiHost {
public:
    virtual ~MdiHost() = default;
    virtual QMdiArea* mdiArea() const = 0;
    virtual QSize clientSize() const = 0;
    virtual int childCount() const = 0;

    // The main window, once it exists.
    static MdiHost* instance();
    static void setInstance(MdiHost* host);
};
