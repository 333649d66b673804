#include "acceptance/ScreenPixels.h"

#include <algorithm>

ScreenPixels::ScreenPixels(const RECT& area)
    : width_(std::max(0L, area.right - area.left)), height_(std::max(0L, area.bottom - area.top)) {
    pixels_.assign(static_cast<std::size_t>(width_) * height_, 0);
    if (pixels_.empty()) {
        return;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        const HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width_, height_, screen, area.left, area.top, SRCCOPY);
        GdiFlush();
        const auto* copied = static_cast<const DWORD*>(bits);
        std::transform(copied, copied + pixels_.size(), pixels_.begin(), [](DWORD pixel) { return pixel & 0xFFFFFF; });
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}
