#include "common/ScriptedDialogs.h"

ScriptedDialogs::ScriptedDialogs() : previous_(UserDialogs::install(this)) {}

ScriptedDialogs::~ScriptedDialogs() { UserDialogs::install(previous_); }

void ScriptedDialogs::error(const QString& text) { errors << text; }

void ScriptedDialogs::information(const QString& text) { informations << text; }

bool ScriptedDialogs::confirm(const QString& text) {
    questions << text;
    if (answers.empty())
        return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedDialogs::openFileName(const QString&, const QString&) {
    if (fileNames.empty())
        return {};
    QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QString ScriptedDialogs::saveFileName(const QString& caption, const QString& suggested, const QString& filter) {
    suggestedNames << suggested;
    fileFilters << filter;
    return openFileName(caption, filter);
}

QString ScriptedDialogs::saveFileNameWithType(const QString& caption, const QString& suggested,
                                              const QString& filter, int& filterIndex) {
    const QString name = saveFileName(caption, suggested, filter);
    filterIndex = name.isEmpty() ? -1 : 0;
    if (!name.isEmpty() && !fileTypes.empty()) {
        filterIndex = fileTypes.front();
        fileTypes.pop_front();
    }
    return name;
}
