#include "platform/ProfileText.h"

bool IsProfileText(std::string_view head) {
    head = head.substr(0, ProfileTextProbeSize);
    if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF")) {
        return true;
    }
    return head.find('\0') == std::string_view::npos;
}
