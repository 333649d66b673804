#pragma once

#include <exception>
#include <string>
#include <utility>

#include "platform/text/ShownText.h"

// The base of every error the program raises. The message is shown to the user as it is,
// so it is written in the interface's language and code page, with the names of files as the
// system has them.
class Exception : public std::exception {
public:
    explicit Exception(ShownText message) : message_(std::move(message)), rough_(message_.Rough()) {}

    const char* what() const noexcept override { return rough_.c_str(); }
    const ShownText& Message() const noexcept { return message_; }

private:
    ShownText message_;
    std::string rough_;
};

// A profile file that could not be written or read.
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// The error of the Win32 call that just failed, with the system's own text for it (Windows only).
Exception LastWin32Error();
