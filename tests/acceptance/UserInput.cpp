#include "acceptance/UserInput.h"

#include <cstring>
#include <vector>

#include "win32/DropBlock.h"

namespace {

bool IsExtendedKey(WORD key) {
    switch (key) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_INSERT:
        case VK_DELETE:
            return true;
        default:
            return false;
    }
}

INPUT KeyStroke(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

INPUT UnicodeStroke(wchar_t unit, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = static_cast<WORD>(unit);
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

void Send(std::vector<INPUT>& inputs) {
    if (!inputs.empty()) {
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }
}

INPUT MouseEvent(DWORD flags, POINT point) {
    // Absolute coordinates run from 0 to 65535 across the primary screen.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((point.x * 65536LL + width / 2) / width);
    input.mi.dy = static_cast<LONG>((point.y * 65536LL + height / 2) / height);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return input;
}

}  // namespace

void TypeText(const std::string& text) {
    if (text.empty()) {
        return;
    }
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    TypeText(wide);
}

void TypeText(const std::wstring& wide) {
    // In small batches: a long burst can overrun the program's input queue.
    std::vector<INPUT> inputs;
    for (const wchar_t unit : wide) {
        inputs.push_back(UnicodeStroke(unit, false));
        inputs.push_back(UnicodeStroke(unit, true));
        if (inputs.size() >= 64) {
            Send(inputs);
            inputs.clear();
            Sleep(10);
        }
    }
    Send(inputs);
}

void PressKey(WORD key, std::initializer_list<WORD> modifiers) {
    if (modifiers.size() == 0) {
        std::vector<INPUT> inputs{KeyStroke(key, false), KeyStroke(key, true)};
        Send(inputs);
        return;
    }
    HeldKeys held(modifiers);
    held.Press(key);
}

HeldKeys::HeldKeys(std::initializer_list<WORD> modifiers) : modifiers_(modifiers) {
    std::vector<INPUT> inputs;
    for (const WORD modifier : modifiers_) {
        inputs.push_back(KeyStroke(modifier, false));
    }
    Send(inputs);
}

HeldKeys::~HeldKeys() {
    std::vector<INPUT> inputs;
    for (auto modifier = modifiers_.rbegin(); modifier != modifiers_.rend(); ++modifier) {
        inputs.push_back(KeyStroke(*modifier, true));
    }
    Send(inputs);
}

void HeldKeys::Press(WORD key) {
    PressAgainWhereReleased();
    std::vector<INPUT> inputs{KeyStroke(key, false), KeyStroke(key, true)};
    Send(inputs);
}

// Wine keeps Ctrl, Alt and Shift in step with the X server's keyboard, which never sees keys
// injected with SendInput: when a program handles the KeymapNotify that X sends after the
// pointer enters one of its windows or the input focus moves to it (a dialog closing under
// the pointer is enough), Wine releases every modifier that X does not see pressed. A key
// pressed after that comes without its modifier: Alt+F types "f" into the edit that has the
// focus. So before the key, the program in front is given the time to take the events that
// are on their way, and a modifier it released is pressed again.
void HeldKeys::PressAgainWhereReleased() {
    for (int round = 0; round < 5; ++round) {
        Sleep(30);
        if (const HWND front = GetForegroundWindow()) {
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(front, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
        }
        std::vector<INPUT> released;
        for (const WORD modifier : modifiers_) {
            if (GetAsyncKeyState(modifier) >= 0) {
                released.push_back(KeyStroke(modifier, false));
            }
        }
        if (released.empty()) {
            return;
        }
        Send(released);
    }
}

void MovePointerTo(POINT screenPoint) {
    std::vector<INPUT> inputs{MouseEvent(MOUSEEVENTF_MOVE, screenPoint)};
    Send(inputs);
}

void ClickAt(POINT screenPoint) {
    MovePointerTo(screenPoint);
    Sleep(30);
    std::vector<INPUT> inputs{MouseEvent(MOUSEEVENTF_LEFTDOWN, screenPoint),
                              MouseEvent(MOUSEEVENTF_LEFTUP, screenPoint)};
    Send(inputs);
}

void ClickCentreOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    ClickAt(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

bool PutOnClipboard(const std::string& text) {
    // In Unicode, as programs copy text today; the system makes the ANSI form from it.
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    if (!OpenClipboard(nullptr)) {
        return false;
    }
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    bool put = false;
    if (memory) {
        auto* characters = static_cast<wchar_t*>(GlobalLock(memory));
        wide.copy(characters, wide.size());
        characters[wide.size()] = L'\0';
        GlobalUnlock(memory);
        put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!put) {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
    return put;
}

void DropFiles(POINT screenPoint, const std::vector<std::wstring>& names) {
    HWND target = WindowFromPoint(screenPoint);
    while (target && !(GetWindowLongA(target, GWL_EXSTYLE) & WS_EX_ACCEPTFILES)) {
        target = GetAncestor(target, GA_PARENT);
    }
    if (!target) {
        return;
    }
    POINT point = screenPoint;
    ScreenToClient(target, &point);
    const std::vector<char> block = DropBlock(point, names);

    DWORD processId = 0;
    GetWindowThreadProcessId(target, &processId);
    const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) {
        return;
    }
    // Fixed memory is its own handle: the program reads the block through GlobalLock.
    void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote && WriteProcessMemory(process, remote, block.data(), block.size(), nullptr)) {
        PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
    }
    CloseHandle(process);
}
