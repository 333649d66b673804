#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "acceptance/CommonControls.h"
#include "acceptance/EditorFixture.h"
#include "acceptance/Pictures.h"
#include "acceptance/ScreenPixels.h"
#include "acceptance/UserInput.h"
#include "acceptance/Wait.h"
#include "acceptance/WindowQuery.h"

// The window at the screen density of the run (tools/test runs these at 96, 120, 144 and 192
// pixels per inch): the title bar and the File menu show the pictures drawn for the sizes that
// density asks for, pixel for pixel rather than another size stretched, and every control and
// label is whole inside the window.

namespace {

class Density : public EditorTest {};

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int Scaled(int pixelsAt96) {
    return MulDiv(pixelsAt96, ScreenDpi(), 96);
}

// The glyphs are drawn at 16, 20, 24 and 32 pixels; the menu shows the largest set not larger
// than its density asks for.
int GlyphSetForScreen() {
    int chosen = 16;
    for (const int size : {16, 20, 24, 32}) {
        if (size <= Scaled(16)) {
            chosen = size;
        }
    }
    return chosen;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// How wide and high the text is in the window's font, as the layout names it.
SIZE TextSizeInWindowFont(const std::string& text) {
    const HFONT font =
        CreateFontA(Scaled(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "ＭＳ Ｐゴシック");
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, font);
    SIZE size{};
    GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    return size;
}

}  // namespace

TEST_F(Density, TitleBarShowsTheSmallIconDrawnForItsSize) {
    const int size = GetSystemMetrics(SM_CXSMICON);
    const Picture icon = IconImage(size);
    ASSERT_FALSE(icon.Empty()) << PicturesFolder() << "\\MainIcon.ico holds no 32-bit image of " << size << " pixels";
    Editor().WaitForIdle();
    Sleep(200);
    // The icon sits at the left end of the title bar, above the menu bar.
    const RECT frame = ScreenRectOf(Window().Handle());
    const RECT client = ClientScreenRectOf(Window().Handle());
    const ScreenPixels titleBar(RECT{frame.left, frame.top, frame.left + 3 * size, client.top});
    EXPECT_GE(FindPicture(titleBar, icon).x, 0)
        << "the title bar at " << ScreenDpi() << " pixels per inch does not show the " << size << "-pixel icon";
}

TEST_F(Density, FileMenuShowsTheGlyphsDrawnForItsSize) {
    const int size = GlyphSetForScreen();
    const POINT entry = Window().FileMenuPoint();
    ASSERT_GE(entry.x, 0) << "no menu bar";
    ClickAt(entry);
    ASSERT_TRUE(WaitUntil([&] { return OpenMenu() != nullptr; }, 3000)) << "a click on the menu bar opened no menu";
    Editor().WaitForIdle();
    Sleep(300);

    // The glyphs stand left of the captions, New, Open, Save and Exit from the top down; no
    // item is highlighted, so each shows on the menu's own colour.
    const RECT client = ClientScreenRectOf(OpenMenu());
    const ScreenPixels strip(RECT{client.left, client.top, client.left + 3 * size, client.bottom});
    const DWORD background = AsPixel(GetSysColor(COLOR_MENU));
    const char* const names[] = {"New", "Open", "Save", "Exit"};
    int below = -1;
    for (int index = 0; index < 4; ++index) {
        const Picture glyph = MenuGlyph(size, index);
        ASSERT_FALSE(glyph.Empty()) << "no " << size << "-pixel glyph " << index << " in " << PicturesFolder();
        const POINT at = FindPicture(strip, glyph, background);
        EXPECT_GT(at.y, below) << "the menu at " << ScreenDpi() << " pixels per inch does not show the " << size
                               << "-pixel glyph of " << names[index] << " below the one before";
        below = at.y;
    }
    PressKey(VK_ESCAPE);
}

TEST_F(Density, EveryControlAndLabelIsWholeInsideTheWindow) {
    const HWND main = Window().Handle();
    const RECT client = ClientScreenRectOf(main);
    EXPECT_EQ(SizeOf(client).cx, Scaled(472));
    EXPECT_EQ(SizeOf(client).cy, Scaled(314));
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_TRUE(Inside(ScreenRectOf(main), screen)) << "the window " << Describe(main) << " leaves the screen";

    for (const Page page : {Page::General, Page::HtmlResources, Page::VersionInfo}) {
        ASSERT_TRUE(ShowPage(page));
        for (const HWND control : DescendantsOf(main)) {
            const HWND parent = GetParent(control);
            if (!IsWindowVisible(control) || (StyleOf(parent) & (WS_VSCROLL | WS_HSCROLL))) {
                continue;  // what a scroll bar scrolls into view is checked below
            }
            EXPECT_TRUE(Inside(ScreenRectOf(control), ClientScreenRectOf(parent)))
                << Describe(control) << " is cut off by " << Describe(parent);
        }
        for (const HWND label : Window().VisibleControls("Static")) {
            const SIZE text = TextSizeInWindowFont(TextOf(label));
            const SIZE room = SizeOf(ClientScreenRectOf(label));
            EXPECT_TRUE(text.cx <= room.cx && text.cy <= room.cy)
                << "\"" << TextOf(label) << "\" needs " << text.cx << " x " << text.cy << " but has " << room.cx
                << " x " << room.cy;
        }
    }

    // Scrolled to the last version edit, the box shows its label and the text it holds whole
    // (the box scrolls a control only as far as its client area, so a border may stay out).
    const std::size_t last = ProjectFields.size() - 1;
    const HWND edit = FocusField(last);
    ASSERT_TRUE(edit);
    Editor().WaitForIdle();
    const RECT view = ClientScreenRectOf(Window().ScrollBox());
    EXPECT_TRUE(Inside(ClientScreenRectOf(edit), view)) << "the last version edit stays cut off at the box's bottom";
    EXPECT_TRUE(Inside(ScreenRectOf(Window().Label(ProjectFields[last].Label)), view));
}
