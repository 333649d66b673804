#include "main/ApplicationWindow.h"

#include "platform/Exception.h"
#include "ui/AppMessages.h"

namespace {

constexpr char ClassName[] = "ZubRuntimeEditorApplication";

ATOM RegisterApplicationClass(HINSTANCE instance, HICON icon) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = icon;
    windowClass.lpszClassName = ClassName;
    const ATOM atom = RegisterClassExA(&windowClass);
    if (!atom) {
        throw LastWin32Error();
    }
    return atom;
}

}  // namespace

TApplicationWindow::TApplicationWindow(HINSTANCE instance, HICON icon, ApplicationWindowEvents& events)
    : events_(events), class_(RegisterApplicationClass(instance, icon), instance) {
    // A pop-up window keeps the zero size it is given; a caption, system menu and minimize box
    // give its taskbar button the usual Restore, Minimize and Close.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS;
    const int left = GetSystemMetrics(SM_CXSCREEN) / 2;
    const int top = GetSystemMetrics(SM_CYSCREEN) / 2;
    window_.reset(CreateWindowExA(0, ClassName, "", style, left, top, 0, 0, nullptr, nullptr, instance, nullptr));
    if (!window_) {
        throw LastWin32Error();
    }
    RouteMessages(Handle(), *this);
}

void TApplicationWindow::ReportHandlerError(const std::exception& error) {
    events_.ReportError(error);
}

LRESULT TApplicationWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            // Never destroyed here: the program ends only through the main window's close.
            events_.CloseRequested();
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_MINIMIZE) {
                events_.MinimizeRequested();
                return 0;
            }
            break;
        case WM_WINDOWPOSCHANGED: {
            const LRESULT result = PassOn(window, message, wParam, lParam);
            // Restoring is noticed here rather than in SC_RESTORE, which not every way of
            // restoring a window sends.
            const bool iconic = IsIconic(window) != FALSE;
            const bool restored = wasIconic_ && !iconic;
            wasIconic_ = iconic;
            if (restored) {
                events_.Restored();
            }
            return result;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
                PostMessageA(window, PassActivationOn, 0, 0);
            }
            break;
        case PassActivationOn:
            events_.Activated();
            return 0;
        case WM_ENDSESSION:
            if (wParam) {
                events_.SessionEnding();
            }
            return 0;
        case WM_DPICHANGED:
            // Not moved to the suggested place: the window keeps its zero size where it is.
            events_.DpiChanged(HIWORD(wParam));
            return 0;
    }
    return PassOn(window, message, wParam, lParam);
}
