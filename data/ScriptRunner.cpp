#include "data/ScriptRunner.h"

#include "data/DbError.h"
#include "data/FbConnection.h"
#include "data/FbStatement.h"
#include "data/FbTransaction.h"

#include <QFile>
#include <QRegularExpression>
#include <memory>
#include <stdexcept>

QStringList ScriptRunner::split(const QString& script) {
    QStringList out;
    QString term = QStringLiteral(";");
    QString current;
    const qsizetype n = script.size();
    static const QRegularExpression setTerm(QStringLiteral("^\\s*SET\\s+TERM\\s+(\\S+)\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption);
    for (qsizetype i = 0; i < n;) {
        const QChar c = script[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            current += c;
            for (++i; i < n; ++i) {
                current += script[i];
                if (script[i] == c) {
                    if (i + 1 < n && script[i + 1] == c) {
                        current += script[++i];
                        continue;
                    }
                    ++i;
                    break;
                }
            }
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && script[i + 1] == QLatin1Char('-')) {
            while (i < n && script[i] != QLatin1Char('\n'))
                ++i;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && script[i + 1] == QLatin1Char('*')) {
            const qsizetype end = script.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 2;
            current += QLatin1Char(' ');
            continue;
        }
        if (script.mid(i, term.size()) == term) {
            i += term.size();
            const QString stmt = current.trimmed();
            current.clear();
            if (stmt.isEmpty())
                continue;
            const QRegularExpressionMatch m = setTerm.match(stmt);
            if (m.hasMatch()) {
                term = m.captured(1);
                continue;
            }
            out << stmt;
            continue;
        }
        current += c;
        ++i;
    }
    if (!current.trimmed().isEmpty())
        out << current.trimmed();
    return out;
}

void ScriptRunner::run(const QString& script) {
    std::unique_ptr<FbTransaction> tx;
    auto commit = [&] {
        if (tx)
            tx->commit();
        tx.reset();
    };
    static const QRegularExpression ddl(QStringLiteral("^(CREATE|ALTER|DROP|RECREATE|DECLARE|GRANT|REVOKE|COMMENT|"
                                                       "SET\\s+GENERATOR|SET\\s+STATISTICS)\\b"),
                                        QRegularExpression::CaseInsensitiveOption);
    for (const QString& stmt : split(script)) {
        if (stmt.compare(QStringLiteral("COMMIT"), Qt::CaseInsensitive) == 0 ||
            stmt.compare(QStringLiteral("COMMIT WORK"), Qt::CaseInsensitive) == 0) {
            commit();
            continue;
        }
        const bool definition = ddl.match(stmt).hasMatch();
        if (definition)
            commit();
        if (!tx)
            tx = std::make_unique<FbTransaction>(connection_);
        try {
            FbStatement s(*tx, stmt);
            s.execute();
        } catch (const DbError& e) {
            throw DbError(e.kind(), e.codes(), e.args(),
                          e.message() + QStringLiteral("\nin statement: ") + stmt.left(400));
        }
        if (definition)
            commit();
    }
    commit();
}

void ScriptRunner::runFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(("Cannot read script " + path).toStdString());
    run(QString::fromUtf8(f.readAll()));
}
