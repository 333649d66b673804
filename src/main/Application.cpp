#include "main/Application.h"

#include "main/CodePage.h"
#include "main/ErrorBox.h"
#include "platform/dialogs/ModalFrame.h"
#include "ui/Dpi.h"

namespace {

struct PopupSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindUsablePopup(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<PopupSearch*>(parameter);
    if (GetWindow(window, GW_OWNER) == search.owner && IsWindowVisible(window) && IsWindowEnabled(window)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// The frontmost window owned by owner that can take the keyboard: the main window, or the
// message box or dialog that keeps it disabled. Windows' own record of the last active
// pop-up, GetLastActivePopup, is not kept for owned windows under Wine.
HWND UsablePopupOf(HWND owner) {
    PopupSearch search{owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindUsablePopup, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

// Until a window exists, the icons are for the density of the screen as a whole.
TApplication::TApplication(HINSTANCE instance)
    : instance_(instance),
      icons_(instance, "MAINICON", WindowDpi(nullptr)),
      mainWindowIcons_(instance, "MAINICON", WindowDpi(nullptr)),
      window_(instance, icons_.Big(), *this) {
    // The taskbar button shows the window's icons, or its class's.
    icons_.Show(window_.Handle(), WindowDpi(window_.Handle()), true);
    SetModalOwner(window_.Handle());
}

TApplication::~TApplication() {
    SetModalOwner(nullptr);
}

void TApplication::SetTitle(const std::string& title) {
    SetWindowTextA(window_.Handle(), title.c_str());
}

HWND TApplication::Handle() const {
    return window_.Handle();
}

std::string TApplication::Title() const {
    const int length = GetWindowTextLengthA(window_.Handle());
    std::string title(static_cast<std::size_t>(length) + 1, '\0');
    title.resize(static_cast<std::size_t>(GetWindowTextA(window_.Handle(), title.data(), length + 1)));
    return title;
}

void TApplication::SetMainWindow(HWND window) {
    if (mainWindow_) {
        return;
    }
    mainWindow_ = window;
    ShowApplicationIcon(window, WindowDpi(window));
}

void TApplication::ShowApplicationIcon(HWND window, int dpi) {
    mainWindowIcons_.Show(window, dpi);
}

void TApplication::DpiChanged(int dpi) {
    icons_.Show(window_.Handle(), dpi, true);
}

void TApplication::ShowMainWindow(int showCommand) {
    const HWND application = window_.Handle();
    if (showCommand == SW_SHOWMINNOACTIVE) {
        // The main window stays hidden until the taskbar button is restored.
        minimized_ = true;
        ShowWindow(application, SW_SHOWMINNOACTIVE);
        return;
    }
    // Shown at zero size, the application window gives the program its one taskbar button.
    ShowWindow(application, SW_SHOWNOACTIVATE);
    ShowWindow(mainWindow_, showCommand == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

void TApplication::Run(const KeyboardFilter& keyboard) {
    while (!terminated_) {
        try {
            HandleNextMessage(keyboard);
        } catch (const std::exception& error) {
            ReportError(error);
        }
    }
}

// Messages are taken in Unicode, so that a character reaches the program's windows whole and is
// converted in the program's own code page (see HandOnInCodePage).
void TApplication::HandleNextMessage(const KeyboardFilter& keyboard) {
    MSG message{};
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        WaitMessage();
        return;
    }
    if (message.message == WM_QUIT) {
        terminated_ = true;
        return;
    }
    if ((keyboard && keyboard(message)) || HandOnInCodePage(message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void TApplication::ReportError(const std::exception& error) {
    // A drag or menu selection in progress would keep the mouse from the box.
    if (const HWND capture = GetCapture()) {
        SendMessageA(capture, WM_CANCELMODE, 0, 0);
    }
    ShowErrorBox(error, Title());
}

void TApplication::Terminate() {
    PostQuitMessage(0);
}

void TApplication::Minimize() {
    if (minimized_) {
        return;
    }
    // Minimizing the owner hides its owned windows with it; hiding the main window as well
    // keeps it hidden until the restore below, whatever the system does with owned windows.
    ShowWindow(window_.Handle(), SW_MINIMIZE);
    if (mainWindow_) {
        ShowWindow(mainWindow_, SW_HIDE);
    }
    minimized_ = true;
}

void TApplication::CloseRequested() {
    if (mainWindow_) {
        SendMessageA(mainWindow_, WM_CLOSE, 0, 0);
    }
}

void TApplication::MinimizeRequested() {
    Minimize();
}

void TApplication::Restored() {
    if (!minimized_) {
        return;
    }
    minimized_ = false;
    if (mainWindow_) {
        ShowWindow(mainWindow_, SW_SHOW);
    }
}

void TApplication::Activated() {
    // The application window has nothing to offer the keyboard: hand the activation on.
    const HWND application = window_.Handle();
    if (minimized_ || GetActiveWindow() != application) {
        return;
    }
    if (const HWND popup = UsablePopupOf(application)) {
        SetActiveWindow(popup);
    }
}

void TApplication::SessionEnding() {
    terminated_ = true;
    // The loop may be waiting: wake it so that it sees the flag.
    PostMessageA(window_.Handle(), WM_NULL, 0, 0);
}

int StartupShowCommand() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}
