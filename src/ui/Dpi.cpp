#include "ui/Dpi.h"

#include "platform/UniqueHandle.h"

namespace {

// Looked up at run time: systems before Windows 10 1607 lack them.
template <typename Function>
Function User32Function(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

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

IconSizes IconSizesFor(int dpi) {
    static const auto metricsForDpi = User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (metricsForDpi) {
        return {metricsForDpi(SM_CXSMICON, static_cast<UINT>(dpi)), metricsForDpi(SM_CXICON, static_cast<UINT>(dpi))};
    }
    // Without it there is one density for the whole system, which the plain metrics are for.
    return {GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CXICON)};
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
