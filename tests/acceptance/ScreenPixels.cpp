#include "acceptance/ScreenPixels.h"

#include <algorithm>

#include "acceptance/Owned.h"

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
    const OwnedDc memory(CreateCompatibleDC(screen));
    const OwnedGdiObject bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ReleaseDC(nullptr, screen);
    if (!memory || !bitmap || !bits) {
        return;
    }
    const HGDIOBJ old = SelectObject(memory.Get(), bitmap.Get());
    const HDC source = GetDC(nullptr);
    BitBlt(memory.Get(), 0, 0, width_, height_, source, area.left, area.top, SRCCOPY);
    ReleaseDC(nullptr, source);
    GdiFlush();
    const auto* copied = static_cast<const DWORD*>(bits);
    std::transform(copied, copied + pixels_.size(), pixels_.begin(), [](DWORD pixel) { return pixel & 0xFFFFFF; });
    SelectObject(memory.Get(), old);
}
