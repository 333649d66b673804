#include "ui/Dpi.h"

#include "ui/UniqueHandle.h"

namespace {

// Looked up at run time: systems before Windows 10 1607 lack both.
template <typename Function>
Function User32Function(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

}  // namespace

int WindowDpi(HWND window) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(window)) {
            return static_cast<int>(dpi);
        }
    }
    const WindowDc screen(nullptr);
    return GetDeviceCaps(screen.get(), LOGPIXELSX);
}

RECT OuterRectForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, bool hasMenu, int dpi) {
    static const auto adjustForDpi = User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    RECT rect = {0, 0, clientWidth, clientHeight};
    if (adjustForDpi) {
        adjustForDpi(&rect, style, hasMenu, exStyle, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&rect, style, hasMenu, exStyle);
    }
    return rect;
}
