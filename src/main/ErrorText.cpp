#include "main/ErrorText.h"

std::string ErrorBoxText(std::string message, LeadByteTest isLeadByte) {
    if (message.empty()) {
        return message;
    }
    // A double-byte character compares by its lead byte, which is always above ".".
    const auto lastCharacterFirstByte = static_cast<unsigned char>(message[LastCharacterStart(message, isLeadByte)]);
    if (lastCharacterFirstByte > '.') {
        message += '.';
    }
    return message;
}

std::wstring ErrorBoxText(std::wstring message) {
    // A surrogate pair's second half sorts after "." like its first.
    if (!message.empty() && message.back() > L'.') {
        message += L'.';
    }
    return message;
}
