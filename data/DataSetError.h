#pragma once

#include <QString>
#include <stdexcept>

// An error raised by a dataset itself (not by the database): a required
// field left empty, a duplicate key in memory, a row that the database no
// longer has as it was fetched, an operation in the wrong state.
class DataSetError : public std::runtime_error {
public:
    enum class Kind {
        RequiredField,   // a required field is empty on post
        KeyViolation,    // the dataset's key is already used by another row
        MasterHasDetails,
        RecordChanged,   // update/delete found no row as fetched
        NotEditing,
        FieldNotFound,
        Other
    };
    DataSetError(Kind kind, const QString& message)
        : std::runtime_error(message.toStdString()), kind_(kind), message_(message) {}
    Kind kind() const { return kind_; }
    QString message() const { return message_; }

private:
    Kind kind_;
    QString message_;
};

// A silent stop: the failing operation was cancelled and the user has
// already been told. The application-wide handler ignores it.
class OperationAborted : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};
