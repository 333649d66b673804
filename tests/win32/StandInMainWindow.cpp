#include "win32/StandInMainWindow.h"

#include <stdexcept>

namespace {

constexpr char ClassName[] = "ZubStandInMainWindow";

}  // namespace

StandInMainWindow::StandInMainWindow(HINSTANCE instance, ApplicationHost& host)
    : OnClose([&host] { host.Terminate(); }), host_(host), instance_(instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = ClassName;
    RegisterClassExA(&windowClass);
    handle_ = CreateWindowExA(0, ClassName, "stand-in", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 100, 100, 320, 240,
                              host.Handle(), nullptr, instance, nullptr);
    if (!handle_) {
        throw std::runtime_error("cannot create the stand-in main window");
    }
    RouteMessages(handle_, *this);
}

StandInMainWindow::~StandInMainWindow() {
    DestroyWindow(handle_);
    UnregisterClassA(ClassName, instance_);
}

void StandInMainWindow::ReportHandlerError(const std::exception& error) {
    host_.ReportError(error);
}

LRESULT StandInMainWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            ++Closes;
            if (OnClose) {
                OnClose();
            }
            return 0;
        case WM_CANCELMODE:
            ++CancelModes;
            break;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_MINIMIZE) {
                host_.Minimize();
                return 0;
            }
            break;
        default:
            if (message >= WM_APP && message < WM_APP + 100) {
                AppMessages.push_back(message);
                if (OnAppMessage) {
                    OnAppMessage(message);
                }
                return 0;
            }
    }
    return PassOn(window, message, wParam, lParam);
}

void PumpMessagesFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
}
