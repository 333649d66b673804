#include "main/CodePageCharacters.h"

bool HandOnInCodePage(const MSG& message) {
    if (message.message != WM_CHAR || message.wParam < 0x80 || !message.hwnd || IsWindowUnicode(message.hwnd)) {
        return false;
    }
    const auto character = static_cast<wchar_t>(message.wParam);
    char bytes[2] = {};
    const int count = WideCharToMultiByte(CP_ACP, 0, &character, 1, bytes, sizeof bytes, nullptr, nullptr);
    for (int i = 0; i < count; ++i) {
        SendMessageA(message.hwnd, WM_CHAR, static_cast<unsigned char>(bytes[i]), message.lParam);
    }
    return count > 0;
}
