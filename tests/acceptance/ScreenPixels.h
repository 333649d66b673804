#pragma once

#include <windows.h>

#include <vector>

// What the screen shows, read back as a person would see it.
class ScreenPixels {
public:
    // Copies the rectangle of the screen (screen coordinates).
    explicit ScreenPixels(const RECT& area);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // The colour at a point of the area, as 0x00RRGGBB.
    DWORD At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<DWORD> pixels_;
};

// A COLORREF (0x00BBGGRR) as ScreenPixels gives colours.
inline DWORD AsPixel(COLORREF colour) {
    return (static_cast<DWORD>(GetRValue(colour)) << 16) | (static_cast<DWORD>(GetGValue(colour)) << 8) |
           GetBValue(colour);
}
