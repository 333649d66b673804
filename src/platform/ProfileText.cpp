#include "platform/ProfileText.h"

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
