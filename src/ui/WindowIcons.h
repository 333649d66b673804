#pragma once

#include <windows.h>

#include "platform/UniqueHandle.h"

// An icon resource as one window shows it: the small image in its title bar, the large one on
// its taskbar button and in Alt+Tab, each loaded at the size the system asks for at the
// window's density, never stretched from another size. The icons belong to this object; those
// it gave before are destroyed once the window shows the new ones.
class TWindowIcons {
public:
    // Loads the icons for dpi, before there is a window to show them.
    TWindowIcons(HINSTANCE instance, const char* resourceName, int dpi);
    TWindowIcons(const TWindowIcons&) = delete;
    TWindowIcons& operator=(const TWindowIcons&) = delete;

    // Gives window the icons for dpi, loading them first unless they are of that density; with
    // withClass, its window class too, whose icons the system shows where a window has none.
    void Show(HWND window, int dpi, bool withClass = false);

    HICON Big() const { return big_.get(); }

private:
    HINSTANCE instance_;
    const char* name_;
    int dpi_ = 0;
    UniqueIcon small_;
    UniqueIcon big_;
};
