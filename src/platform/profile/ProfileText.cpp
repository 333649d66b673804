#include "platform/profile/ProfileText.h"

#include <algorithm>

bool IsProfileText(std::string_view head) {
    head = head.substr(0, ProfileTextProbeSize);
    if (head.starts_with("\xFF\xFE")) {
        return true;
    }
    if (head.starts_with("\xFE\xFF")) {
        return false;
    }
    return head.find('\0') == std::string_view::npos;
}

bool SameProfileName(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

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
