#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ResourceVersion.h"
#include "resource.h"
#include "ui/MenuGlyphs.h"

// The resources are linked into this test program just as into the editor, so they are read
// here from the program's own module.

namespace {

constexpr int GlyphCount = 4;

// The glyph strip drawn at a size.
int StripId(int size) {
    switch (size) {
        case 16:
            return IDB_MENU_GLYPHS_16;
        case 20:
            return IDB_MENU_GLYPHS_20;
        case 24:
            return IDB_MENU_GLYPHS_24;
        default:
            return IDB_MENU_GLYPHS_32;
    }
}

HINSTANCE Self() {
    return GetModuleHandleA(nullptr);
}

// 0xAARRGGBB, alpha not premultiplied.
using Rgba = DWORD;

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<Rgba> rgba;  // top row first
    Rgba At(int x, int y) const { return rgba[static_cast<std::size_t>(y) * width + x]; }
};

// A 32-bit image as stored: rows of blue, green, red and alpha bytes, the bottom row first
// unless the height is negative.
Pixels ImagePixels(const BYTE* bits, int width, int height) {
    Pixels pixels;
    pixels.width = width;
    pixels.height = height < 0 ? -height : height;
    for (int y = 0; y < pixels.height; ++y) {
        const int row = height < 0 ? y : pixels.height - 1 - y;
        const auto* line = reinterpret_cast<const DWORD*>(bits + static_cast<std::size_t>(row) * width * 4);
        pixels.rgba.insert(pixels.rgba.end(), line, line + width);
    }
    return pixels;
}

Pixels DibPixels(HBITMAP bitmap) {
    DIBSECTION section{};
    if (GetObjectA(bitmap, sizeof section, &section) != static_cast<int>(sizeof section) ||
        section.dsBmih.biBitCount != 32) {
        return {};
    }
    return ImagePixels(static_cast<const BYTE*>(section.dsBm.bmBits), section.dsBmih.biWidth, section.dsBmih.biHeight);
}

// What a pixel looks like blended over white.
COLORREF OverWhite(Rgba pixel) {
    const unsigned alpha = pixel >> 24;
    auto channel = [alpha](unsigned value) { return static_cast<BYTE>((value * alpha + 255 * (255 - alpha)) / 255); };
    return RGB(channel((pixel >> 16) & 0xFF), channel((pixel >> 8) & 0xFF), channel(pixel & 0xFF));
}

// Equal but for the rounding of a blend.
bool Near(COLORREF seen, COLORREF expected) {
    auto close = [](int a, int b) { return a - b <= 2 && b - a <= 2; };
    return close(GetRValue(seen), GetRValue(expected)) && close(GetGValue(seen), GetGValue(expected)) &&
           close(GetBValue(seen), GetBValue(expected));
}

// One image of an icon resource, as its group directory lists it.
struct IconEntry {
    int size;
    int bitCount;
    WORD id = 0;
};

std::vector<IconEntry> MainIconEntries() {
    const HRSRC found = FindResourceA(Self(), "MAINICON", MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    if (!found) {
        return {};
    }
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(Self(), found)));
    const WORD count = *reinterpret_cast<const WORD*>(data + 4);
    std::vector<IconEntry> entries;
    for (WORD i = 0; i < count; ++i) {
        // Fourteen bytes each: width, height, colours, reserved, planes, bits, size, then the id.
        const BYTE* entry = data + 6 + 14 * i;
        entries.push_back({entry[0] == 0 ? 256 : entry[0], *reinterpret_cast<const WORD*>(entry + 6),
                           *reinterpret_cast<const WORD*>(entry + 12)});
    }
    return entries;
}

// The colour image of a 32-bit icon image, alpha included.
Pixels IconImagePixels(const IconEntry& entry) {
    const HRSRC found = FindResourceA(Self(), MAKEINTRESOURCEA(entry.id), MAKEINTRESOURCEA(3));  // RT_ICON
    if (!found) {
        return {};
    }
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(Self(), found)));
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(data);
    // The header's height counts the AND mask that follows the colour image.
    return ImagePixels(data + header->biSize, header->biWidth, header->biHeight / 2);
}

class Bitmap {
public:
    explicit Bitmap(HBITMAP handle) : handle_(handle) {}
    ~Bitmap() {
        if (handle_) {
            DeleteObject(handle_);
        }
    }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    HBITMAP Get() const { return handle_; }

private:
    HBITMAP handle_;
};

// A memory DC with a white 32-bit surface, for drawing and reading back pixels.
class Canvas {
public:
    Canvas(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        surface_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        previous_ = SelectObject(dc_, surface_);
        RECT all{0, 0, width, height};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(surface_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    HBITMAP surface_;
    HGDIOBJ previous_;
};

std::string VersionString(const std::vector<char>& block, const char* language, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\") + language + "\\" + name;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || length == 0) {
        return {};
    }
    return std::string(value, length - 1);
}

std::vector<char> OwnVersionBlock() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(path, &ignored));
    if (block.empty() || !GetFileVersionInfoA(path, 0, static_cast<DWORD>(block.size()), block.data())) {
        return {};
    }
    return block;
}

}  // namespace

TEST(Resources, MenuGlyphsComeFromTheLargestSetNotLargerAndBlendByTheirAlpha) {
    const std::pair<int, int> wantedAndShown[] = {{16, 16}, {19, 16}, {20, 20}, {24, 24}, {28, 24}, {32, 32}, {48, 32}};
    for (const auto& [wanted, shown] : wantedAndShown) {
        SCOPED_TRACE(wanted);
        const UniqueImageList list = CreateMenuGlyphs(Self(), wanted);
        int width = 0;
        int height = 0;
        ASSERT_TRUE(ImageList_GetIconSize(list.get(), &width, &height));
        EXPECT_EQ(width, shown);
        EXPECT_EQ(height, shown);
        ASSERT_EQ(ImageList_GetImageCount(list.get()), GlyphCount);

        Bitmap bitmap(static_cast<HBITMAP>(
            LoadImageA(Self(), MAKEINTRESOURCEA(StripId(shown)), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        const Pixels strip = DibPixels(bitmap.Get());
        for (int glyph = 0; glyph < GlyphCount; ++glyph) {
            Canvas canvas(shown, shown);
            ASSERT_TRUE(ImageList_Draw(list.get(), glyph, canvas.Dc(), 0, 0, ILD_TRANSPARENT));
            int wrong = 0;
            for (int y = 0; y < shown; ++y) {
                for (int x = 0; x < shown; ++x) {
                    wrong += !Near(GetPixel(canvas.Dc(), x, y), OverWhite(strip.At(glyph * shown + x, y)));
                }
            }
            EXPECT_EQ(wrong, 0) << "glyph " << glyph << " is not its strip's pixels blended over white";
        }
    }
}

TEST(Resources, MainIconHoldsTheSixteenColourImageFirstThenEverySizeWithAlpha) {
    const std::vector<IconEntry> entries = MainIconEntries();
    const std::vector<IconEntry> expected = {{32, 4},  {16, 32}, {20, 32}, {24, 32}, {32, 32},
                                             {40, 32}, {48, 32}, {64, 32}, {256, 32}};
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].size, expected[i].size) << i;
        EXPECT_EQ(entries[i].bitCount, expected[i].bitCount) << i;
    }

    // Asked for a size, the system gives the image drawn for it, not another one stretched.
    for (const IconEntry& entry : entries) {
        if (entry.bitCount != 32) {
            continue;
        }
        SCOPED_TRACE(entry.size);
        const int size = entry.size;
        const HICON icon = static_cast<HICON>(LoadImageA(Self(), "MAINICON", IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr);
        Canvas canvas(size, size);
        ASSERT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL));
        DestroyIcon(icon);
        if (size == 256) {
            // Stored as PNG: drawn, it shows the same gear hub as every other size.
            EXPECT_NE(GetPixel(canvas.Dc(), size * 22 / 32, size * 22 / 32), RGB(255, 255, 255));
            continue;
        }
        const Pixels image = IconImagePixels(entry);
        int wrong = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                wrong += !Near(GetPixel(canvas.Dc(), x, y), OverWhite(image.At(x, y)));
            }
        }
        EXPECT_EQ(wrong, 0) << "the " << size << "-pixel icon is not the image made for that size";
    }
}

TEST(Resources, ManifestAsksForCommonControlsSixPerMonitorDpiAndTheJapaneseCodePage) {
    const HRSRC found = FindResourceA(Self(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    const char* data = static_cast<const char*>(LockResource(LoadResource(Self(), found)));
    const std::string manifest(data, SizeofResource(Self(), found));
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(manifest.find("asInvoker"), std::string::npos);
    EXPECT_NE(manifest.find("<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">ja-JP<"),
              std::string::npos);
}

TEST(Resources, VersionInfoCarriesTheProjectVersionAndJapaneseTexts) {
    const std::vector<char> block = OwnVersionBlock();
    ASSERT_FALSE(block.empty());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    const WORD numbers[] = {ZUB_VERSION_NUMBERS};
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(numbers[1], numbers[0])));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(numbers[3], numbers[2])));

    EXPECT_EQ(VersionString(block, "041104b0", "ProductName"), "ZUB Runtime Editor");
    EXPECT_EQ(VersionString(block, "041104b0", "FileVersion"), ZUB_VERSION_TEXT);
    // Read back in code page 932: garbled if the script's UTF-8 was taken for another code page.
    EXPECT_EQ(VersionString(block, "041104b0", "FileDescription"), "ZUB ランタイム設定エディター");
    EXPECT_EQ(VersionString(block, "040904b0", "ProductName"), "ZUB Runtime Editor");
}
