#include "data/QueryObject.h"

#include <QRegularExpression>

QueryObject::QueryObject(QString name, FbConnection& connection, QString sql, ParamList defaults)
    : name_(std::move(name)), connection_(&connection), sql_(std::move(sql)), defaults_(std::move(defaults)) {}

QString QueryObject::positional(const QString& sql, QStringList* names) {
    QString out;
    out.reserve(sql.size());
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // copy the quoted text; a doubled quote stays inside
            out += c;
            for (++i; i < n; ++i) {
                out += sql[i];
                if (sql[i] == c) {
                    if (i + 1 < n && sql[i + 1] == c) {
                        out += sql[++i];
                        continue;
                    }
                    break;
                }
            }
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && sql[i + 1] == QLatin1Char('-')) {
            while (i < n && sql[i] != QLatin1Char('\n'))
                out += sql[i++];
            if (i < n)
                out += sql[i];
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && sql[i + 1] == QLatin1Char('*')) {
            const qsizetype end = sql.indexOf(QStringLiteral("*/"), i + 2);
            const qsizetype stop = end < 0 ? n : end + 2;
            out += sql.mid(i, stop - i);
            i = stop - 1;
            continue;
        }
        if (c == QLatin1Char(':') && i + 1 < n && (sql[i + 1].isLetter() || sql[i + 1] == QLatin1Char('_'))) {
            qsizetype j = i + 1;
            while (j < n && (sql[j].isLetterOrNumber() || sql[j] == QLatin1Char('_')))
                ++j;
            if (names)
                names->append(sql.mid(i + 1, j - i - 1));
            out += QLatin1Char('?');
            i = j - 1;
            continue;
        }
        out += c;
    }
    return out;
}

QString QueryObject::mainTable(const QString& sql) {
    static const QRegularExpression from(QStringLiteral("\\bFROM\\s+([A-Za-z_][A-Za-z0-9_$]*)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = from.match(sql);
    return m.hasMatch() ? m.captured(1).toUpper() : QString();
}
