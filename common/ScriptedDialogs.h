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
    // Answers the file name from fileNames and, when one is given, the file
    // type from fileTypes (the first type when that is empty).
    QString saveFileNameWithType(const QString& caption, const QString& suggested, const QString& filter,
                                 int& filterIndex) override;

    QStringList errors;
    QStringList informations;
    QStringList questions;
    std::deque<bool> answers;
    std::deque<QString> fileNames;
    std::deque<int> fileTypes;
    // What each save dialog proposed and offered.
    QStringList suggestedNames;
    QStringList fileFilters;
    int beeps = 0;

private:
    UserDialogs* previous_;
};
