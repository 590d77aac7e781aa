#pragma once

#include <QString>

class QWidget;

// The one door through which the program talks to the user in dialogs:
// error and information boxes, yes/no questions, file choosers. Screens and
// services never create message boxes themselves; tests install a scripted
// implementation and read back what was shown.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    virtual void beep() = 0;
    // Error dialog with the single button OK.
    virtual void error(const QString& text) = 0;
    // Information dialog with the single button OK.
    virtual void information(const QString& text) = 0;
    // Confirmation with Yes and No; true for Yes.
    virtual bool confirm(const QString& text) = 0;
    // Empty text when cancelled.
    virtual QString openFileName(const QString& caption, const QString& filter) = 0;
    virtual QString saveFileName(const QString& caption, const QString& suggested, const QString& filter) = 0;
    // Save dialog that also tells which entry of the ";;"-separated filter
    // list was chosen, counted from 0 (-1 when cancelled).
    virtual QString saveFileNameWithType(const QString& caption, const QString& suggested, const QString& filter,
                                         int& filterIndex) = 0;

    // The dialogs service in use; never null (a Qt one unless replaced).
    static UserDialogs& current();
    // Replaces the service; returns the previous one. The caller keeps ownership.
    static UserDialogs* install(UserDialogs* dialogs);
};
