#include "platform/ProfileText.h"

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
