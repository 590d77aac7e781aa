#include "common/SqlText.h"

namespace sqltext {

QString quoted(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('\'');
    for (QChar c : text) {
        if (c == QLatin1Char('\''))
            out += QLatin1Char('\'');
        out += c;
    }
    out += QLatin1Char('\'');
    return out;
}

QString dateText(const QDate& date) { return date.toString(QStringLiteral("MM/dd/yyyy")); }

QString timeText(const QTime& time) { return time.toString(QStringLiteral("HH:mm:ss")); }

QString quotedDate(const QDate& date) { return quoted(dateText(date)); }

QString quotedTime(const QTime& time) { return quoted(timeText(time)); }

} // namespace sqltext
