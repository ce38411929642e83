// The exception family of the whole program: a message text, and the silent abort that
// message boxes ignore.
#pragma once

#include <QString>
#include <exception>

class Exception : public std::exception {
public:
    explicit Exception(QString message) : Message(std::move(message)), utf8_(Message.toUtf8()) {}
    const char *what() const noexcept override { return utf8_.constData(); }
    QString Message;

private:
    QByteArray utf8_;
};

// A silent cancel: unwinds like an error, but no box is shown for it.
class EAbort : public Exception {
public:
    EAbort() : Exception(QStringLiteral("Operation aborted")) {}
};

// A text that is not a valid number or date.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

[[noreturn]] inline void Abort()
{
    throw EAbort();
}

// An error of the data layer (a refused post, a missing field, a failed statement).
class EDatabaseError : public Exception {
public:
    using Exception::Exception;
    // The data set that raised it, for the developer's eyes: the message a user reads never names it.
    QString DataSetName;
};
