#pragma once

#include <exception>
#include <string>
#include <utility>

// The base of every error the program raises. The message is shown to the user as it is,
// so it is written in the interface's language and code page.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    // A message that names something the code page cannot show exactly, such as a file name
    // with characters outside it: the error is shown from the UTF-16 text, and message is its
    // nearest form in the code page.
    Exception(std::string message, std::wstring unicodeMessage)
        : message_(std::move(message)), unicodeMessage_(std::move(unicodeMessage)) {}

    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }
    // Empty unless the message needs more than the code page.
    const std::wstring& UnicodeMessage() const noexcept { return unicodeMessage_; }

private:
    std::string message_;
    std::wstring unicodeMessage_;
};

// A profile file that could not be written or read.
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};
