#include "ui/WindowIcons.h"

#include <string>

#include "ui/Dpi.h"

namespace {

using LoadIconWithScaleDownFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);

// An image of exactly size pixels: the icon's own of that size, or else one made from a larger
// image (where the common controls offer it) rather than stretched up from a smaller one.
HICON LoadIconOfSize(HINSTANCE instance, const char* name, int size) {
    // Looked up at run time: only the common controls of Windows Vista and later have it.
    static const auto scaleDown = reinterpret_cast<LoadIconWithScaleDownFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("comctl32.dll"), "LoadIconWithScaleDown")));
    if (scaleDown) {
        const std::string narrow(name);
        const std::wstring wide(narrow.begin(), narrow.end());  // resource names are ASCII
        HICON icon = nullptr;
        if (SUCCEEDED(scaleDown(instance, wide.c_str(), size, size, &icon)) && icon) {
            return icon;
        }
    }
    return static_cast<HICON>(LoadImageA(instance, name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

TWindowIcons::TWindowIcons(HINSTANCE instance, const char* resourceName, int dpi)
    : instance_(instance), name_(resourceName) {
    const IconSizes sizes = IconSizesFor(dpi);
    small_.reset(LoadIconOfSize(instance_, name_, sizes.Small));
    big_.reset(LoadIconOfSize(instance_, name_, sizes.Big));
    dpi_ = dpi;
}

void TWindowIcons::Show(HWND window, int dpi, bool withClass) {
    UniqueIcon small;
    UniqueIcon big;
    if (dpi != dpi_) {
        const IconSizes sizes = IconSizesFor(dpi);
        small.reset(LoadIconOfSize(instance_, name_, sizes.Small));
        big.reset(LoadIconOfSize(instance_, name_, sizes.Big));
        // A window is better off with the icons it has than with none.
        if (!small || !big) {
            return;
        }
    }
    const HICON newSmall = small ? small.get() : small_.get();
    const HICON newBig = big ? big.get() : big_.get();
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(newSmall));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(newBig));
    if (withClass) {
        SetClassLongPtrA(window, GCLP_HICONSM, reinterpret_cast<LONG_PTR>(newSmall));
        SetClassLongPtrA(window, GCLP_HICON, reinterpret_cast<LONG_PTR>(newBig));
    }
    // Nothing shows the old icons any more.
    if (small) {
        small_ = std::move(small);
        big_ = std::move(big);
        dpi_ = dpi;
    }
}
