#pragma once

#include "common/UserDialogs.h"

#include <QStringList>
#include <deque>

// Dialogs for tests: records everything shown, answers questions and file
// choosers from queues set up in advance (default: No, cancelled).
class ScriptedDialogs : public UserDialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void beep() override { ++beeps; }
    void error(const QString& text) override;
    void information(const QString& text) override;
    bool confirm(const QString& text) override;
    QString openFileName(const QString& caption, const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& suggested, const QString& filter) override;

    QStringList errors;
    QStringList informations;
    QStringList questions;
    std::deque<bool> answers;
    std::deque<QString> fileNames;
    int beeps = 0;

private:
    UserDialogs* previous_;
};
