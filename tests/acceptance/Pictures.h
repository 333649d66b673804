#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "acceptance/ScreenPixels.h"

// The pictures the program is built with, read from the repository's own files (the menu
// glyph strips and the icon in res/), so that what the screen shows can be held against what
// was drawn for each size.
struct Picture {
    int Width = 0;
    int Height = 0;
    std::vector<DWORD> Argb;  // 0xAARRGGBB, alpha not premultiplied, top row first

    DWORD At(int x, int y) const { return Argb[static_cast<std::size_t>(y) * Width + x]; }
    bool Empty() const { return Argb.empty(); }
};

// The folder of the committed pictures: res/ of the source tree the tests were built from.
std::string PicturesFolder();

// Glyph index of the strip drawn at size (res/MenuGlyphs<size>.bmp); empty when there is none.
Picture MenuGlyph(int size, int index);
// The 32-bit image of size x size pixels in res/MainIcon.ico; empty when there is none.
Picture IconImage(int size);

// Where in the area the picture shows whole, as the system blends it: every opaque pixel
// exactly; over a plain background, every transparent pixel as that background and every
// partly transparent one as the blend, give or take its rounding. The picture's top left
// corner in the area, or {-1, -1} where it shows nowhere, stretched or of another size.
POINT FindPicture(const ScreenPixels& area, const Picture& picture, std::optional<DWORD> background = std::nullopt);
