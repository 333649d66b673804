// The window at other screen densities: every number of the layout scales from one place, and
// the window lays itself out again when its monitor's density changes.
#include <windows.h>

#include <commctrl.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "win32/MainWindowFixture.h"

namespace {

std::vector<ControlId> ControlIds() {
    std::vector<ControlId> ids = {PageControl, TabSheetGeneral, ScrollBoxVersionInfo};
    for (const ControlRow& row : layout::GeneralPage) {
        ids.push_back(row.Id);
    }
    for (const ControlRow& row : layout::HtmlResourcesPage) {
        ids.push_back(row.Id);
    }
    for (const layout::VersionRow& row : layout::VersionInfoPage) {
        ids.push_back(row.Id);
    }
    return ids;
}

class MainWindowDpiTest : public MainWindowFixture {
protected:
    void ChangeDpi(int dpi) {
        RECT suggested{};
        GetWindowRect(Window().Handle(), &suggested);
        SendMessageA(Window().Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        Pump();
    }

    std::map<ControlId, Bounds> AllBounds() {
        std::map<ControlId, Bounds> bounds;
        for (const ControlId id : ControlIds()) {
            bounds[id] = BoundsOf(Component(id));
        }
        return bounds;
    }

    // The side of the glyphs the menu makes room for.
    int GlyphSize() {
        MEASUREITEMSTRUCT glyph{};
        glyph.CtlType = ODT_MENU;
        glyph.itemID = MenuFileNew;
        SendMessageA(Window().Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&glyph));
        EXPECT_EQ(glyph.itemWidth, glyph.itemHeight);
        return static_cast<int>(glyph.itemWidth);
    }

    int TextHeight() {
        const auto font = reinterpret_cast<HFONT>(SendMessageA(Window().Handle(), WM_GETFONT, 0, 0));
        const WindowDc dc(Window().Handle());
        const SelectedObject selected(dc.get(), font);
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc.get(), &metrics);
        return metrics.tmHeight;
    }
};

int At144(int pixels) {
    return MulDiv(pixels, 144, 96);
}

TEST_F(MainWindowDpiTest, At144EveryBoundIsOneAndAHalfTimesAndNothingIsClipped) {
    const std::map<ControlId, Bounds> at96 = AllBounds();
    ChangeDpi(144);

    RECT client{};
    GetClientRect(Window().Handle(), &client);
    EXPECT_EQ(At144(layout::ClientWidth), client.right);
    EXPECT_EQ(At144(layout::ClientHeight), client.bottom);
    EXPECT_EQ(At144(12), TextHeight());

    for (const auto& [name, bounds] : AllBounds()) {
        SCOPED_TRACE(name);
        const Bounds& before = at96.at(name);
        if (name == TabSheetGeneral) {
            // The page fills whatever the tab control leaves below its taller tab row.
            EXPECT_GE(bounds.Width, At144(448));
            EXPECT_GE(bounds.Height, At144(255));
            continue;
        }
        EXPECT_EQ(At144(before.Left), bounds.Left);
        EXPECT_EQ(At144(before.Top), bounds.Top);
        EXPECT_EQ(At144(before.Width), bounds.Width);
        EXPECT_EQ(At144(before.Height), bounds.Height);
    }

    // Every label holds its whole text in the larger font, and stays clear of its edit.
    for (const layout::VersionRow& row : layout::VersionInfoPage) {
        SCOPED_TRACE(row.Label);
        const HWND label = LabelOf(row.Id);
        const Bounds at = BoundsOf(label);
        const WindowDc dc(label);
        const SelectedObject selected(dc.get(), reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)));
        SIZE text{};
        const std::string caption = TextOf(label);
        GetTextExtentPoint32A(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &text);
        EXPECT_EQ(text.cx, at.Width);
        EXPECT_EQ(text.cy, at.Height);
        EXPECT_LE(at.Top + at.Height, BoundsOf(Component(row.Id)).Top - 3);
    }

    // The scroll box reaches the lowest edit, and the glyphs grow with the rest.
    const HWND box = Component(ScrollBoxVersionInfo);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    ASSERT_TRUE(GetScrollInfo(box, SB_VERT, &info));
    const layout::VersionRow& lowest = layout::VersionInfoPage.back();
    EXPECT_EQ(At144(layout::VersionControl(lowest).Place.Top) + At144(layout::EditHeight), info.nMax + 1);
    RECT boxClient{};
    GetClientRect(box, &boxClient);
    EXPECT_EQ(static_cast<UINT>(boxClient.bottom), info.nPage);

    EXPECT_EQ(At144(16), GlyphSize());
}

TEST_F(MainWindowDpiTest, GlyphsAndIconFollowEachDensityFromTheSetsDrawnForIt) {
    const std::pair<int, int> dpiAndGlyph[] = {{120, 20}, {144, 24}, {168, 24}, {192, 32}, {96, 16}};
    for (const auto& [dpi, glyph] : dpiAndGlyph) {
        ChangeDpi(dpi);
        EXPECT_EQ(glyph, GlyphSize()) << dpi;
        // The title bar's icon comes from the application, at the sizes for the new density.
        ASSERT_FALSE(host_.IconRequests.empty());
        EXPECT_EQ(host_.IconRequests.back().Window, Window().Handle());
        EXPECT_EQ(host_.IconRequests.back().Dpi, dpi);
    }
}

TEST_F(MainWindowDpiTest, BackAt96EveryBoundIsAsBefore) {
    const std::map<ControlId, Bounds> at96 = AllBounds();
    ChangeDpi(192);
    ChangeDpi(96);
    EXPECT_EQ(at96, AllBounds());
    EXPECT_EQ(12, TextHeight());
    RECT client{};
    GetClientRect(Window().Handle(), &client);
    EXPECT_EQ(layout::ClientWidth, client.right);
    EXPECT_EQ(layout::ClientHeight, client.bottom);
}

// The system out of GDI objects but one: the new font takes it, the glyphs find none, and the
// change stops half-way. No control may be left drawing with a font that is gone.
TEST_F(MainWindowDpiTest, AChangeStoppedHalfWayLeavesEveryControlAFontThatExists) {
    std::vector<HBRUSH> used;
    while (used.size() < 200000) {
        const HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
        if (!brush) {
            break;
        }
        used.push_back(brush);
    }
    ASSERT_FALSE(used.empty());
    DeleteObject(used.back());
    used.pop_back();

    ChangeDpi(144);
    std::vector<ControlId> gone;
    for (const ControlId id : ControlIds()) {
        const auto font = reinterpret_cast<HFONT>(SendMessageA(Component(id), WM_GETFONT, 0, 0));
        if (font && GetObjectType(font) != OBJ_FONT) {
            gone.push_back(id);
        }
    }
    for (const HBRUSH brush : used) {
        DeleteObject(brush);
    }
    EXPECT_TRUE(gone.empty()) << gone.size() << " controls draw with a deleted font, " << gone.front();
    EXPECT_EQ(1u, host_.Errors.size()) << "the failure is shown";
    host_.Errors.clear();

    // With objects to spare, the next change goes through.
    ChangeDpi(144);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(Window().Handle(), WM_GETFONT, 0, 0));
    for (const ControlId id : ControlIds()) {
        if (const auto control = reinterpret_cast<HFONT>(SendMessageA(Component(id), WM_GETFONT, 0, 0))) {
            EXPECT_EQ(font, control) << id;
        }
    }
    EXPECT_EQ(At144(12), TextHeight());
}

}  // namespace
