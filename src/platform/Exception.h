#pragma once

#include <exception>
#include <string>
#include <utility>

// The base of every error the program raises. The message is shown to the user as it is,
// so it is written in the interface's language and code page.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}

    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }

private:
    std::string message_;
};

// A profile file that could not be written.
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};
