#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "acceptance/CommonControls.h"
#include "acceptance/EditorFixture.h"
#include "acceptance/ScreenPixels.h"
#include "acceptance/UserInput.h"
#include "acceptance/Wait.h"
#include "acceptance/WindowQuery.h"

// The three pages as the user sees them at 96 pixels per inch: every control where the
// layout tables put it, found by its label or caption, and the HTML resources page greyed
// and deaf to the mouse and the keyboard.

namespace {

class Layout : public EditorTest {};

std::string Bounds(int left, int top, int width, int height) {
    return Describe(RECT{left, top, left + width, top + height});
}

// The colour the screen shows at a point.
DWORD ScreenColourAt(POINT point) {
    return ScreenPixels(RECT{point.x, point.y, point.x + 1, point.y + 1}).At(0, 0);
}

struct MarkedRows {
    int top;
    int height;
};

// The rows of an area in which anything but the background shows, gathered into runs.
std::vector<MarkedRows> RowsNotOfColour(const ScreenPixels& area, DWORD background) {
    std::vector<MarkedRows> runs;
    for (int y = 0; y < area.Height(); ++y) {
        bool marked = false;
        for (int x = 0; x < area.Width() && !marked; ++x) {
            marked = area.At(x, y) != background;
        }
        if (!marked) {
            continue;
        }
        if (!runs.empty() && runs.back().top + runs.back().height == y) {
            ++runs.back().height;
        } else {
            runs.push_back(MarkedRows{y, 1});
        }
    }
    return runs;
}

// Runs no more than gap rows apart, made one.
std::vector<MarkedRows> JoinedUp(const std::vector<MarkedRows>& runs, int gap) {
    std::vector<MarkedRows> joined;
    for (const MarkedRows& run : runs) {
        if (!joined.empty() && run.top - (joined.back().top + joined.back().height) <= gap) {
            joined.back().height = run.top + run.height - joined.back().top;
        } else {
            joined.push_back(run);
        }
    }
    return joined;
}

}  // namespace

TEST_F(Layout, GeneralPageHoldsItsFieldsAsLabelledFileEditsWithBrowseButtons) {
    ASSERT_TRUE(ShowPage(Page::General));
    EXPECT_EQ(Window().VisibleControls("Edit").size(), FieldsInReadingOrder(Page::General).size());
    EXPECT_EQ(Window().VisibleControls("Button").size(), FieldsInReadingOrder(Page::General).size());
    for (const std::size_t field : FieldsInReadingOrder(Page::General)) {
        const ProjectField& expected = ProjectFields[field];
        SCOPED_TRACE(expected.Label);
        const HWND label = Window().Label(expected.Label);
        ASSERT_TRUE(label) << "no label reads \"" << expected.Label << "\"";
        const HWND edit = Window().Edit(expected);
        ASSERT_TRUE(edit) << "no edit below the label";
        EXPECT_EQ(Describe(Window().BoundsOnPage(edit)),
                  Bounds(expected.Left, expected.Top, expected.Width, EditHeight));
        const RECT labelBounds = Window().BoundsOnPage(label);
        EXPECT_EQ(labelBounds.left, expected.Left);
        EXPECT_EQ(labelBounds.top, expected.Top - 15);
        EXPECT_EQ(SizeOf(labelBounds).cy, 12);
        EXPECT_TRUE(ExStyleOf(edit) & WS_EX_CLIENTEDGE) << "the edit has no sunken border";

        const HWND button = Window().BrowseButtonBeside(edit);
        ASSERT_TRUE(button) << "no \"...\" button beside the edit";
        EXPECT_EQ(Describe(Window().BoundsOnPage(button)), Bounds(412, expected.Top, 20, 20));
    }
}

TEST_F(Layout, HtmlResourcesPageIsGreyedAndTakesNoInput) {
    ASSERT_TRUE(ShowPage(Page::HtmlResources));

    // Labels to the left of their edits size themselves to their text, so where they start
    // depends on the font's widths; they end 3 pixels short of the edit, 4 pixels lower.
    struct LabelledEdit {
        const char* label;
        int left, top, width;
    };
    const LabelledEdit edits[] = {{"ファイル名:", 70, 16, 332}, {"リソース名:", 70, 52, 332}};
    std::vector<HWND> controls;
    for (const LabelledEdit& expected : edits) {
        SCOPED_TRACE(expected.label);
        const HWND label = Window().Label(expected.label);
        ASSERT_TRUE(label);
        const HWND edit = Window().EditLabelled(expected.label);
        ASSERT_TRUE(edit);
        EXPECT_EQ(Describe(Window().BoundsOnPage(edit)), Bounds(expected.left, expected.top, expected.width, 20));
        const RECT labelBounds = Window().BoundsOnPage(label);
        EXPECT_EQ(labelBounds.right, expected.left - 3);
        EXPECT_EQ(labelBounds.top, expected.top + 4);
        EXPECT_FALSE(IsWindowEnabled(label)) << "the label is not greyed";
        controls.push_back(edit);
    }

    struct Button {
        const char* caption;
        int left, top, width, height;
    };
    const Button buttons[] = {{"...", 412, 16, 20, 20},   {"+", 412, 52, 20, 20},     {"置換", 352, 88, 80, 25},
                              {"削除", 352, 129, 80, 25}, {"上へ", 352, 170, 80, 25}, {"下へ", 352, 211, 80, 25}};
    for (const Button& expected : buttons) {
        HWND found = nullptr;
        for (const HWND button : Window().VisibleControls("Button")) {
            if (TextOf(button) == expected.caption) {
                found = button;
            }
        }
        ASSERT_TRUE(found) << "no button \"" << expected.caption << "\"";
        EXPECT_EQ(Describe(Window().BoundsOnPage(found)),
                  Bounds(expected.left, expected.top, expected.width, expected.height))
            << expected.caption;
        controls.push_back(found);
    }

    const std::vector<HWND> lists = Window().VisibleControls("SysListView32");
    ASSERT_EQ(lists.size(), 1u);
    const HWND list = lists.front();
    EXPECT_EQ(Describe(Window().BoundsOnPage(list)), Bounds(16, 88, 320, 167));
    EXPECT_EQ(ListColumnCount(list), 2);
    EXPECT_EQ(ListColumnText(list, 0), "リソース名");
    EXPECT_EQ(ListColumnWidth(list, 0), 75);
    EXPECT_EQ(ListColumnText(list, 1), "パス");
    EXPECT_EQ(ListColumnWidth(list, 1), 200);
    EXPECT_EQ(ListItemCount(list), 0);
    EXPECT_EQ(StyleOf(list) & LVS_TYPEMASK, LVS_REPORT);
    controls.push_back(list);

    for (const HWND control : controls) {
        EXPECT_FALSE(IsWindowEnabled(control)) << Describe(control) << " is enabled";
    }
    // The two edits and the list are painted in the button-face colour.
    const DWORD face = AsPixel(GetSysColor(COLOR_BTNFACE));
    for (const HWND painted : {controls[0], controls[1], list}) {
        const RECT client = ClientScreenRectOf(painted);
        const POINT inside{client.right - 6, client.bottom - 4};
        EXPECT_EQ(ScreenColourAt(inside), face) << Describe(painted) << " is not painted in the button-face colour";
    }

    // Neither a click nor Tab puts the focus on any of them.
    ClickCentreOf(controls[0]);
    ClickCentreOf(list);
    Editor().WaitForIdle();
    Sleep(200);
    EXPECT_EQ(Focus(), Window().PageControl()) << "the focus went to " << Describe(Focus());
    PressKey(VK_TAB);
    Editor().WaitForIdle();
    Sleep(200);
    EXPECT_EQ(Focus(), Window().PageControl()) << "Tab took the focus to " << Describe(Focus());
}

TEST_F(Layout, VersionPageScrollsItsLabelledEditsInTwoColumns) {
    ASSERT_TRUE(ShowPage(Page::VersionInfo));
    const HWND box = Window().ScrollBox();
    ASSERT_TRUE(box) << "no edit labelled \"" << ProjectFields[FirstVersionField].Label << "\"";
    EXPECT_EQ(Describe(Window().BoundsOnPage(box)), Bounds(0, 16, 448, 239));
    EXPECT_EQ(ExStyleOf(box) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE), 0) << "the box has a border";
    EXPECT_FALSE(StyleOf(box) & WS_BORDER) << "the box has a border";
    EXPECT_TRUE(StyleOf(box) & WS_VSCROLL) << "no vertical scroll bar";
    EXPECT_FALSE(StyleOf(box) & WS_HSCROLL) << "a horizontal scroll bar shows";
    const RECT view = ClientScreenRectOf(box);
    EXPECT_EQ(SizeOf(view).cy, 239);

    EXPECT_EQ(Window().VisibleControls("Edit").size(), ProjectFields.size() - FirstVersionField);
    for (std::size_t field = FirstVersionField; field < ProjectFields.size(); ++field) {
        const ProjectField& expected = ProjectFields[field];
        SCOPED_TRACE(expected.Label);
        const HWND label = Window().Label(expected.Label);
        ASSERT_TRUE(label) << "no label reads \"" << expected.Label << "\"";
        const HWND edit = Window().Edit(expected);
        ASSERT_TRUE(edit) << "no edit below the label";
        EXPECT_EQ(GetParent(edit), box) << "not all version edits are in one scroll box";
        EXPECT_EQ(Describe(RectIn(edit, box)), Bounds(expected.Left, expected.Top, expected.Width, EditHeight));
        const RECT labelBounds = RectIn(label, box);
        EXPECT_EQ(labelBounds.left, expected.Left);
        EXPECT_EQ(labelBounds.top, expected.Top - 15);
        // Rows 1 to 5 are in view, row 5 ending at the box's bottom; rows 6 and 7 are not.
        const bool inView = expected.Top + EditHeight <= 239;
        EXPECT_EQ(ScreenRectOf(edit).bottom <= view.bottom, inView);
    }
}

TEST_F(Layout, FileMenuShowsGlyphsBesideNewOpenSaveAndExitButNotSaveAs) {
    const POINT entry = Window().FileMenuPoint();
    ASSERT_GE(entry.x, 0) << "no menu bar";
    ClickAt(entry);
    ASSERT_TRUE(WaitUntil([&] { return OpenMenu() != nullptr; }, 3000)) << "a click on the menu bar opened no menu";
    const HWND menu = OpenMenu();
    Editor().WaitForIdle();
    Sleep(300);

    // The strip left of the captions, where the glyphs go. New, Open and Save show one each,
    // one item below the other, so their marks join up; Save As shows none, which leaves a
    // gap an item high before the separator's line; Exit's glyph comes last.
    const RECT client = ClientScreenRectOf(menu);
    const ScreenPixels strip(RECT{client.left + 2, client.top, client.left + 32, client.bottom});
    const std::vector<MarkedRows> marks = JoinedUp(RowsNotOfColour(strip, AsPixel(GetSysColor(COLOR_MENU))), 4);
    std::string seen;
    for (const MarkedRows& run : marks) {
        seen += " " + std::to_string(run.height) + " high at " + std::to_string(run.top) + ";";
    }
    std::vector<MarkedRows> glyphs;
    for (const MarkedRows& run : marks) {
        if (run.height >= 8) {  // not the separator's line
            glyphs.push_back(run);
        }
    }
    ASSERT_EQ(glyphs.size(), 2u) << "marks in the glyph strip:" << seen;
    const int itemHeight = glyphs[1].height;
    EXPECT_GE(glyphs[0].height, itemHeight * 5 / 2) << "New, Open and Save do not all show a glyph:" << seen;
    EXPECT_GE(glyphs[1].top - (glyphs[0].top + glyphs[0].height), itemHeight) << "a glyph beside Save As:" << seen;
    PressKey(VK_ESCAPE);
}
