#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// Helpers for composing SQL text. Every piece of user text that goes into a
// statement passes through quoted(); dates and times are written in the
// formats the database reads whatever the workstation's regional settings.
namespace sqltext {

// 'text' with every inner single quote doubled.
QString quoted(const QString& text);

// Date literal in the program's short date format, month/day/year.
QString dateText(const QDate& date);
// Time in the program's long time format, HH:mm:ss.
QString timeText(const QTime& time);

QString quotedDate(const QDate& date);
QString quotedTime(const QTime& time);

} // namespace sqltext
