#pragma once

#include <QString>
#include <stdexcept>

// A refusal the program explains itself: its text is already the Spanish
// message for the user and is shown as it stands.
class UserError : public std::runtime_error {
public:
    explicit UserError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    QString message() const { return message_; }

private:
    QString message_;
};
