#include "main/CodePage.h"

#include <windows.h>

#include <iterator>
#include <string>

#include "document/Texts.h"
#include "main/Texts.h"

bool RunsInShiftJis() {
    return GetACP() == ShiftJisCodePage;
}

void ShowWrongCodePage() {
    // Wide texts: in any code page but 932, the program's own Shift-JIS texts would be garbled.
    const std::wstring codePage = std::to_wstring(GetACP());
    const std::wstring name(std::begin(ProgramName), std::end(ProgramName) - 1);  // ASCII
    const std::wstring text = name + WrongCodePageText + codePage + WrongCodePageEndText + name +
                              WrongCodePageEnglishText + codePage + WrongCodePageEnglishEndText;
    MessageBoxW(nullptr, text.c_str(), name.c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

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
