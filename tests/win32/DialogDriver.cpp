#include "win32/DialogDriver.h"

#include <mutex>
#include <set>
#include <vector>

#include "win32/TempFolder.h"

namespace {

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindDialogOfProcess(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (process == search.process && std::string(className) == "#32770" && IsWindowVisible(window) &&
        IsWindowEnabled(window)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

struct ChildSearch {
    int id;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindChild(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<ChildSearch*>(parameter);
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (GetDlgCtrlID(window) == search.id && lstrcmpiA(className, search.className) == 0) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindDescendant(HWND parent, int id, const char* className) {
    ChildSearch search{id, className, nullptr};
    EnumChildWindows(parent, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// What the drivers expect, for the watch on unexpected message boxes: while one waits, whatever
// dialog comes may be its own; the one it took stays its own until it is gone.
struct Expectations {
    std::mutex lock;
    int waiting = 0;
    std::set<HWND> taken;
};

Expectations& Expected() {
    static Expectations expected;
    return expected;
}

}  // namespace

bool DialogExpected(HWND dialog) {
    Expectations& expected = Expected();
    const std::lock_guard<std::mutex> hold(expected.lock);
    // A handle that is gone may come back for another window.
    std::erase_if(expected.taken, [](HWND taken) { return !IsWindow(taken); });
    return expected.waiting > 0 || expected.taken.contains(dialog);
}

HWND FindModalDialog() {
    Search search{GetCurrentProcessId(), nullptr};
    EnumWindows(FindDialogOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DialogDriver::DialogDriver(Action action, DWORD timeoutMilliseconds) {
    {
        const std::lock_guard<std::mutex> hold(Expected().lock);
        ++Expected().waiting;
    }
    // The action is given as long again as the wait, before the thread counts as hung.
    thread_ = std::make_unique<TestThread>(
        [this, action = std::move(action), timeoutMilliseconds] {
            const DWORD start = GetTickCount();
            HWND dialog = nullptr;
            while (!(dialog = FindModalDialog()) && GetTickCount() - start < timeoutMilliseconds) {
                Sleep(20);
            }
            {
                // In one step, so that the watch never sees the dialog as no driver's.
                const std::lock_guard<std::mutex> hold(Expected().lock);
                --Expected().waiting;
                if (dialog) {
                    Expected().taken.insert(dialog);
                }
            }
            if (dialog) {
                // Let the dialog finish laying itself out before it is operated.
                Sleep(150);
                // Said before the action, which may close the dialog and let the test's thread
                // ask at once, before this thread runs again.
                acted_ = true;
                action(dialog);
            }
        },
        2 * timeoutMilliseconds);
}

DialogDriver::~DialogDriver() {
    thread_->Join();
}

void PressDialogButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void ChooseFileName(HWND dialog, const std::string& fileName) {
    ChooseFileName(dialog, WidePath(fileName));
}

void ChooseFileName(HWND dialog, const std::wstring& fileName) {
    // The Explorer dialog's name field is a combo box holding an edit, all with the same id;
    // older dialogs have a plain edit.
    HWND field = FindDescendant(dialog, 0x47C, "Edit");
    if (!field) {
        field = FindDescendant(dialog, 0x480, "Edit");
    }
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName.c_str()));
    PressDialogButton(dialog, IDOK);
}

std::string WindowText(HWND window) {
    std::vector<char> text(GetWindowTextLengthA(window) + 2, '\0');
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

std::string DialogItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

bool HasIcon(HWND messageBox) {
    const HWND icon = GetDlgItem(messageBox, 0x440);
    return icon && IsWindowVisible(icon) && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
}

std::vector<std::string> FileTypes(HWND fileDialog) {
    const HWND list = FindDescendant(fileDialog, 0x470, "ComboBox");  // cmb1
    std::vector<std::string> types;
    const LRESULT count = list ? SendMessageA(list, CB_GETCOUNT, 0, 0) : 0;
    for (LRESULT index = 0; index < count; ++index) {
        std::vector<char> text(static_cast<std::size_t>(SendMessageA(list, CB_GETLBTEXTLEN, index, 0)) + 1, '\0');
        SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        types.emplace_back(text.data());
    }
    return types;
}

bool ShowsReadOnlyBox(HWND fileDialog) {
    const HWND box = FindDescendant(fileDialog, 0x410, "Button");  // chx1
    return box && IsWindowVisible(box);
}

bool IsResizable(HWND dialog) {
    return (GetWindowLongA(dialog, GWL_STYLE) & WS_THICKFRAME) != 0;
}

bool StandsWhereDialogsOpen(HWND dialog, HWND activeWindow, std::string& where) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(activeWindow, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    RECT bounds{};
    GetWindowRect(dialog, &bounds);
    const LONG left = work.left + (work.right - work.left - (bounds.right - bounds.left)) / 2;
    const LONG top = work.top + (work.bottom - work.top - (bounds.bottom - bounds.top)) / 3;
    where = "at " + std::to_string(bounds.left) + "," + std::to_string(bounds.top) + " instead of " +
            std::to_string(left) + "," + std::to_string(top);
    return bounds.left == left && bounds.top == top;
}
