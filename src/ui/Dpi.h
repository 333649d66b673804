#pragma once

#include <windows.h>

#include "ui/Layout.h"

// The one place where layout numbers, written at 96 pixels per inch, become pixels at the
// window's density.
class TDpiScale {
public:
    explicit TDpiScale(int dpi) : dpi_(dpi) {}

    int Dpi() const { return dpi_; }
    int operator()(int pixelsAt96) const { return MulDiv(pixelsAt96, dpi_, 96); }
    Bounds operator()(const Bounds& at96) const {
        return {(*this)(at96.Left), (*this)(at96.Top), (*this)(at96.Width), (*this)(at96.Height)};
    }

private:
    int dpi_;
};

// The density the window is shown at: its monitor's where the system tells windows apart,
// else the screen's.
int WindowDpi(HWND window);

// The pixel sizes of the small icon (title bars) and the large one (taskbar, Alt+Tab) at dpi.
struct IconSizes {
    int Small;
    int Big;
};
IconSizes IconSizesFor(int dpi);

// The outer rectangle of a window whose client area is clientWidth x clientHeight at dpi.
RECT OuterRectForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, bool hasMenu, int dpi);
