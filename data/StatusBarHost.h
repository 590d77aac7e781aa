#pragma once

#include <QColor>
#include <QString>

// What the data services need of the main window's status bar and message
// poll: panel 0's text, the bar's colour, and the poll timer's interval.
class StatusBarHost {
public:
    virtual ~StatusBarHost() = default;
    virtual void setNoticeText(const QString& text) = 0;
    virtual QString noticeText() const = 0;
    virtual void setBarColor(const QColor& color) = 0;
    virtual QColor barColor() const = 0;
    virtual QColor buttonFaceColor() const = 0;
    virtual QColor skinGlobalColor() const = 0;
    virtual void repaintMain() = 0;
    // Restarts the message-poll timer with this interval.
    virtual void restartMessagePoll(int milliseconds) = 0;
};
