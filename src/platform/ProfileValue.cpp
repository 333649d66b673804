#include "platform/ProfileValue.h"

namespace {

// What the profile reader trims from either end of a value: the C blanks, and the DOS end
// of file mark that Wine also treats as one.
bool IsTrimmedByReader(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A' || c == '\r' || c == '\n';
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

bool NeedsQuotes(std::string_view value) {
    if (value.empty()) {
        return false;
    }
    const char first = value.front();
    const char last = value.back();
    return IsTrimmedByReader(first) || IsTrimmedByReader(last) || IsQuote(first) || IsQuote(last);
}

}  // namespace

std::string ProfileValueForWriting(std::string_view value) {
    std::string text;
    text.reserve(value.size() + 2);
    const bool quoted = NeedsQuotes(value);
    if (quoted) {
        text.push_back('"');
    }
    for (const char c : value) {
        text.push_back(c == '\r' || c == '\n' ? ' ' : c);
    }
    if (quoted) {
        text.push_back('"');
    }
    return text;
}
