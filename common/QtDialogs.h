#pragma once

#include "common/UserDialogs.h"

// Dialogs shown with Qt's standard message boxes and file dialogs, parented
// to the active window.
class QtDialogs : public UserDialogs {
public:
    void beep() override;
    void error(const QString& text) override;
    void information(const QString& text) override;
    bool confirm(const QString& text) override;
    QString openFileName(const QString& caption, const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& suggested, const QString& filter) override;
    QString saveFileNameWithType(const QString& caption, const QString& suggested, const QString& filter,
                                 int& filterIndex) override;
};
