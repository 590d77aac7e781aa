#pragma once

#include <QString>
#include <exception>
#include <functional>

class ClientDataSet;

// Turns an error into the Spanish text the user sees. Database errors are
// told apart by their error codes, dataset errors by their kind.
class ErrorTranslator {
public:
    using ColumnNamer = std::function<QString(const QString& column)>;

    // The raw text of an error, as written to the log and the status bar.
    static QString rawText(const std::exception& e);

    // An error while applying a save; `table` is the query object's name
    // without its first letter.
    static QString providerMessage(const std::exception& e, const QString& table, const ColumnNamer& namer);
    // An error of an edit, post or delete on a dataset.
    static QString clientMessage(const std::exception& e, const ClientDataSet& dataset, const ColumnNamer& namer);
    // Any other error.
    static QString unhandledMessage(const std::exception& e);
};
