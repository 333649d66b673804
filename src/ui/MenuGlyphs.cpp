#include "ui/MenuGlyphs.h"

#include "resource.h"
#include "ui/Layout.h"
#include "ui/MenuTable.h"
#include "ui/Win32Error.h"

namespace {

constexpr COLORREF KeyColor = RGB(255, 0, 255);

UniqueBitmap ScaledStrip(HBITMAP strip, int glyphSize) {
    BITMAP source{};
    GetObjectA(strip, sizeof source, &source);
    const int width = glyphSize * layout::MenuGlyphCount;
    const WindowDc screen(nullptr);
    UniqueBitmap scaled(CreateCompatibleBitmap(screen.get(), width, glyphSize));
    const UniqueMemoryDc from(CreateCompatibleDC(screen.get()));
    const UniqueMemoryDc to(CreateCompatibleDC(screen.get()));
    {
        const SelectedObject fromStrip(from.get(), strip);
        const SelectedObject toScaled(to.get(), scaled.get());
        SetStretchBltMode(to.get(), COLORONCOLOR);
        StretchBlt(to.get(), 0, 0, width, glyphSize, from.get(), 0, 0, source.bmWidth, source.bmHeight, SRCCOPY);
    }
    return scaled;
}

}  // namespace

UniqueImageList CreateMenuGlyphs(HINSTANCE instance, int glyphSize) {
    const UniqueBitmap strip(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDB_MENU_GLYPHS), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!strip) {
        throw LastWin32Error();
    }
    const UniqueBitmap scaled = ScaledStrip(strip.get(), glyphSize);
    UniqueImageList list(ImageList_Create(glyphSize, glyphSize, ILC_COLOR24 | ILC_MASK, layout::MenuGlyphCount, 0));
    if (!list || ImageList_AddMasked(list.get(), scaled.get(), KeyColor) < 0) {
        throw LastWin32Error();
    }
    return list;
}
