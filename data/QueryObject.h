#pragma once

#include "data/Value.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class FbConnection;

using ParamList = std::vector<std::pair<QString, Value>>;

// A named statement holder bound to one connection, which providers read
// through. Its name is a capital Q or T followed by a readable table name;
// error messages show the name without its first letter.
class QueryObject {
public:
    QueryObject(QString name, FbConnection& connection, QString sql = {}, ParamList defaults = {});

    const QString& name() const { return name_; }
    FbConnection& connection() const { return *connection_; }
    const QString& sql() const { return sql_; }
    void setSql(const QString& sql) { sql_ = sql; }
    const ParamList& defaultParams() const { return defaults_; }
    // The name shown in messages: the object's name without its first letter.
    QString displayTable() const { return name_.mid(1); }

    // Replaces :NAME parameters with '?' (outside quotes and comments) and
    // returns the names in order.
    static QString positional(const QString& sql, QStringList* names);
    // The first table after FROM, upper-cased; empty when there is none.
    static QString mainTable(const QString& sql);

private:
    QString name_;
    FbConnection* connection_;
    QString sql_;
    ParamList defaults_;
};
