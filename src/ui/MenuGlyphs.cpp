#include "ui/MenuGlyphs.h"

#include <array>
#include <string>

#include "platform/Exception.h"
#include "resource.h"
#include "ui/MenuTable.h"

namespace {

struct GlyphStrip {
    int Size;
    int Resource;
};

constexpr std::array<GlyphStrip, 4> GlyphStrips = {{
    {16, IDB_MENU_GLYPHS_16},
    {20, IDB_MENU_GLYPHS_20},
    {24, IDB_MENU_GLYPHS_24},
    {32, IDB_MENU_GLYPHS_32},
}};
static_assert(GlyphStrips.size() == menu::MenuGlyphSets.size());

int StripResource(int size) {
    for (const GlyphStrip& strip : GlyphStrips) {
        if (strip.Size == size) {
            return strip.Resource;
        }
    }
    throw Exception("no menu glyphs of " + std::to_string(size) + " pixels");
}

}  // namespace

UniqueImageList CreateMenuGlyphs(HINSTANCE instance, int wantedSize) {
    const int size = MenuGlyphSetFor(wantedSize);
    const UniqueBitmap strip(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(StripResource(size)), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!strip) {
        throw LastWin32Error();
    }
    // Without a mask the image list keeps each pixel's alpha and blends the glyph by it.
    UniqueImageList list(ImageList_Create(size, size, ILC_COLOR32, menu::MenuGlyphCount, 0));
    if (!list || ImageList_Add(list.get(), strip.get(), nullptr) < 0) {
        throw LastWin32Error();
    }
    return list;
}
