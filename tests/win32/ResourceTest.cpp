#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ResourceVersion.h"
#include "resource.h"

// The resources are linked into this test program just as into the editor, so they are read
// here from the program's own module.

namespace {

constexpr COLORREF Fuchsia = RGB(255, 0, 255);
constexpr int GlyphSize = 16;
constexpr int GlyphCount = 4;

HINSTANCE Self() {
    return GetModuleHandleA(nullptr);
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

TEST(Resources, GlyphStripIsFourSixteenColourGlyphsWithFuchsiaBackground) {
    Bitmap strip(static_cast<HBITMAP>(
        LoadImageA(Self(), MAKEINTRESOURCEA(IDB_MENU_GLYPHS), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_NE(strip.Get(), nullptr);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectA(strip.Get(), sizeof(section), &section), static_cast<int>(sizeof(section)));
    EXPECT_EQ(section.dsBm.bmWidth, GlyphSize * GlyphCount);
    EXPECT_EQ(section.dsBm.bmHeight, GlyphSize);
    EXPECT_EQ(section.dsBmih.biBitCount, 4);

    Canvas canvas(GlyphSize * GlyphCount, GlyphSize);
    const HDC source = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(source, strip.Get());
    BitBlt(canvas.Dc(), 0, 0, GlyphSize * GlyphCount, GlyphSize, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    // Every glyph leaves its bottom-left corner free, so the key colour must show there.
    for (int glyph = 0; glyph < GlyphCount; ++glyph) {
        EXPECT_EQ(GetPixel(canvas.Dc(), glyph * GlyphSize + 1, GlyphSize - 3), Fuchsia) << glyph;
    }
}

TEST(Resources, MaskedImageListDrawsOnlyTheGlyphsOwnPixels) {
    Bitmap strip(static_cast<HBITMAP>(
        LoadImageA(Self(), MAKEINTRESOURCEA(IDB_MENU_GLYPHS), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_NE(strip.Get(), nullptr);
    const HIMAGELIST list = ImageList_Create(GlyphSize, GlyphSize, ILC_COLOR4 | ILC_MASK, GlyphCount, 0);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_AddMasked(list, strip.Get(), Fuchsia), 0);
    EXPECT_EQ(ImageList_GetImageCount(list), GlyphCount);

    // Drawn on white, the key colour must vanish; the door of Exit is maroon with a black frame.
    Canvas canvas(GlyphSize, GlyphSize);
    ASSERT_TRUE(ImageList_Draw(list, 3, canvas.Dc(), 0, 0, ILD_NORMAL));
    EXPECT_EQ(GetPixel(canvas.Dc(), 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(canvas.Dc(), 4, 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(canvas.Dc(), 6, 10), RGB(128, 0, 0));
    ImageList_Destroy(list);
}

TEST(Resources, MainIconIsThirtyTwoPixelsWithATransparentCorner) {
    const HICON icon = static_cast<HICON>(LoadImageA(Self(), "MAINICON", IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    Bitmap mask(info.hbmMask);
    Bitmap colour(info.hbmColor);
    BITMAP bitmap{};
    ASSERT_TRUE(GetObjectA(colour.Get(), sizeof(bitmap), &bitmap));
    EXPECT_EQ(bitmap.bmWidth, 32);
    EXPECT_EQ(bitmap.bmHeight, 32);

    Canvas canvas(32, 32);
    ASSERT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(GetPixel(canvas.Dc(), 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(canvas.Dc(), 1, 3), RGB(0, 0, 0));  // the window frame behind the gear
    DestroyIcon(icon);
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
