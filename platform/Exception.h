/// \file
/// The root of every failure the system raises: a message for the user.
#pragma once

#include <QString>
#include <exception>

namespace trevalo {

class Exception : public std::exception {
public:
    explicit Exception(QString message)
        : message_(std::move(message))
        , utf8_(message_.toUtf8()) {}

    const QString& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

} // namespace trevalo
