// The layout read back from the live window, against the window's layout numbers at 96 DPI.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <ostream>
#include <span>
#include <vector>

#include "document/Document.h"
#include "win32/MainWindowFixture.h"

void PrintTo(const Bounds& b, std::ostream* out) {
    *out << "{" << b.Left << ", " << b.Top << ", " << b.Width << " x " << b.Height << "}";
}

namespace {

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, static_cast<int>(sizeof name));
    return name;
}

const char* ClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::LabeledEdit:
            return "Edit";
        case ControlKind::Button:
            return "Button";
        case ControlKind::ListView:
            return "SysListView32";
    }
    return "";
}

// The numbers and texts themselves are the acceptance tests' to check, as the user sees them;
// these check that the window is built as its layout rows say.
class MainWindowLayoutTest : public MainWindowFixture {
protected:
    // A labelled edit's label: same parent, the edit's enabled state, placed by its rule with
    // the spacing 3, for a label 12 high.
    void ExpectLabel(const ControlRow& row) {
        const HWND edit = Component(row.Id);
        const HWND label = LabelOf(row.Id);
        EXPECT_EQ("Static", ClassOf(label));
        EXPECT_EQ(GetParent(edit), GetParent(label));
        EXPECT_EQ(row.Text, TextOf(label));
        EXPECT_EQ(IsWindowEnabled(edit), IsWindowEnabled(label));
        const Bounds at = BoundsOf(label);
        const Bounds field = BoundsOf(edit);
        EXPECT_EQ(12, at.Height) << "the window font's text height";
        if (row.Label == LabelPosition::Above) {
            EXPECT_EQ(field.Left, at.Left);
            EXPECT_EQ(field.Top - 3 - 12, at.Top);
        } else {
            EXPECT_EQ(field.Left - 3, at.Left + at.Width);
            EXPECT_EQ(field.Top + (field.Height - at.Height) / 2, at.Top);
        }
    }

    void ExpectControls(std::span<const ControlRow> rows, HWND parent) {
        for (const ControlRow& row : rows) {
            SCOPED_TRACE(row.Id);
            const HWND control = Component(row.Id);
            EXPECT_EQ(parent, GetParent(control));
            EXPECT_EQ(ClassOf(row.Kind), ClassOf(control));
            EXPECT_EQ(row.Place, BoundsOf(control));
            if (row.Label == LabelPosition::None) {
                EXPECT_EQ(row.Text, TextOf(control));
            } else {
                ExpectLabel(row);
            }
            EXPECT_TRUE(GetWindowLongPtrA(control, GWL_STYLE) & WS_TABSTOP);
        }
    }
};

TEST_F(MainWindowLayoutTest, WindowFrameFontAndPlacement) {
    const HWND window = Window().Handle();
    RECT client{};
    GetClientRect(window, &client);
    // As the layout says; the numbers themselves are the acceptance suite's to check.
    EXPECT_EQ(layout::ClientWidth, client.right);
    EXPECT_EQ(layout::ClientHeight, client.bottom);

    const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the user cannot resize the window";
    EXPECT_EQ(host_.Handle(), GetWindow(window, GW_OWNER));
    EXPECT_EQ(COLOR_BTNFACE + 1, static_cast<int>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND)));

    RECT outer{};
    GetWindowRect(window, &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    EXPECT_EQ(std::max(0, (GetSystemMetrics(SM_CXVIRTUALSCREEN) - width) / 2), outer.left);
    EXPECT_EQ(std::max(0, (GetSystemMetrics(SM_CYVIRTUALSCREEN) - height) / 2), outer.top);

    EXPECT_EQ(Ansi(L"無題.zrt - ZUB Runtime Editor"), TextOf(window));

    const auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    LOGFONTA face{};
    ASSERT_TRUE(GetObjectA(font, sizeof face, &face));
    EXPECT_EQ(Ansi(L"ＭＳ Ｐゴシック"), face.lfFaceName);
    EXPECT_EQ(SHIFTJIS_CHARSET, face.lfCharSet);
    EXPECT_EQ(FW_NORMAL, face.lfWeight);
    EXPECT_FALSE(face.lfItalic);
    for (const ControlId name : {LabeledEditZubrt, ButtonZubrt, ListViewHtml, PageControl}) {
        EXPECT_EQ(font, reinterpret_cast<HFONT>(SendMessageA(Component(name), WM_GETFONT, 0, 0))) << name;
    }
    const WindowDc dc(window);
    const SelectedObject selected(dc.get(), font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.get(), &metrics);
    EXPECT_EQ(12, metrics.tmHeight);
}

TEST_F(MainWindowLayoutTest, PageControlHoldsThreePagesGeneralFirst) {
    const HWND tabs = Component(PageControl);
    EXPECT_EQ("SysTabControl32", ClassOf(tabs));
    EXPECT_EQ(Window().Handle(), GetParent(tabs));
    EXPECT_EQ((Bounds{8, 8, 456, 298}), BoundsOf(tabs));
    EXPECT_FALSE(GetWindowLongPtrA(tabs, GWL_STYLE) & (TCS_MULTILINE | TCS_BUTTONS));
    EXPECT_EQ(nullptr, reinterpret_cast<HIMAGELIST>(SendMessageA(tabs, TCM_GETIMAGELIST, 0, 0)));

    const wchar_t* captions[] = {L"基本設定", L"HTML リソース", L"バージョン情報"};
    const ControlId pages[] = {TabSheetGeneral, TabSheetHtmlResources, TabSheetVersionInfo};
    ASSERT_EQ(3, SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < 3; ++index) {
        char text[64] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = static_cast<int>(sizeof text);
        SendMessageA(tabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(Ansi(captions[index]), text);

        // Each page fills the display area: 448 wide, tall enough for the version page.
        const HWND page = Component(pages[index]);
        RECT client{};
        GetClientRect(page, &client);
        EXPECT_EQ(448, client.right);
        EXPECT_GE(client.bottom, 255);
        EXPECT_EQ(index == 0, IsWindowVisible(page) != FALSE) << pages[index];
    }
    EXPECT_EQ(0, SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
    EXPECT_EQ(tabs, GetFocus()) << "the window starts with the focus on the tab row";
}

TEST_F(MainWindowLayoutTest, GeneralPageControls) {
    ExpectControls(layout::GeneralPage, Component(TabSheetGeneral));
    for (const ControlRow& row : layout::GeneralPage) {
        EXPECT_TRUE(IsWindowEnabled(Component(row.Id))) << row.Id;
    }
    for (const ControlRow& row : layout::GeneralPage) {
        if (row.MaxLength > 0) {
            EXPECT_EQ(row.MaxLength, SendMessageA(Component(row.Id), EM_GETLIMITTEXT, 0, 0)) << row.Id;
        }
    }
}

TEST_F(MainWindowLayoutTest, HtmlPageIsLaidOutButDisabledAndPainted) {
    ExpectControls(layout::HtmlResourcesPage, Component(TabSheetHtmlResources));
    for (const ControlRow& row : layout::HtmlResourcesPage) {
        EXPECT_FALSE(IsWindowEnabled(Component(row.Id))) << row.Id;
    }

    // The two edits and the list draw on the button face: ask the edits' parent for their
    // colours the way the edits do when they paint.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const WindowDc screen(nullptr);
    for (const ControlId name : {LabeledEditHtmlFile, LabeledEditHtmlResource}) {
        const HWND edit = Component(name);
        SetBkColor(screen.get(), RGB(1, 2, 3));
        SendMessageA(GetParent(edit), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(screen.get()),
                     reinterpret_cast<LPARAM>(edit));
        EXPECT_EQ(face, GetBkColor(screen.get())) << name;
    }
    const HWND list = Component(ListViewHtml);
    EXPECT_EQ(face, static_cast<COLORREF>(SendMessageA(list, LVM_GETBKCOLOR, 0, 0)));
    EXPECT_EQ(256, SendMessageA(Component(LabeledEditHtmlFile), EM_GETLIMITTEXT, 0, 0));

    // Report view, a header row, one row selected at a time and selected whole.
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(list, GWL_STYLE));
    EXPECT_EQ(static_cast<DWORD>(LVS_REPORT), style & LVS_TYPEMASK);
    EXPECT_TRUE(style & LVS_SINGLESEL);
    EXPECT_FALSE(style & LVS_NOCOLUMNHEADER);
    EXPECT_TRUE(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
    EXPECT_EQ(0, SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    const wchar_t* columns[] = {L"リソース名", L"パス"};
    const int widths[] = {75, 200};
    for (int index = 0; index < 2; ++index) {
        char text[64] = {};
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = text;
        column.cchTextMax = static_cast<int>(sizeof text);
        ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(&column)));
        EXPECT_EQ(Ansi(columns[index]), text);
        EXPECT_EQ(widths[index], column.cx);
    }
}

TEST_F(MainWindowLayoutTest, VersionPageScrollBoxAndEdits) {
    const HWND box = Component(ScrollBoxVersionInfo);
    EXPECT_EQ(Component(TabSheetVersionInfo), GetParent(box));
    EXPECT_EQ((Bounds{0, 16, 448, 239}), BoundsOf(box));
    EXPECT_FALSE(GetWindowLongPtrA(box, GWL_STYLE) & WS_BORDER);
    EXPECT_FALSE(GetWindowLongPtrA(box, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    const std::vector<ControlRow> edits = VersionPageRows();
    ExpectControls(edits, box);
    // The content, down to the lowest edit's bottom, is taller than the box, not wider.
    SCROLLINFO vertical{};
    vertical.cbSize = sizeof vertical;
    vertical.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(box, SB_VERT, &vertical));
    EXPECT_EQ(0, vertical.nMin);
    EXPECT_EQ(VersionPageBottom(), vertical.nMax + 1);
    EXPECT_EQ(239u, vertical.nPage);
    EXPECT_EQ(0, vertical.nPos);
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetScrollBarInfo(box, OBJID_VSCROLL, &bar));
    EXPECT_FALSE(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE) << "vertical bar shown from the start";
    ASSERT_TRUE(GetScrollBarInfo(box, OBJID_HSCROLL, &bar));
    EXPECT_TRUE(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE) << "no horizontal bar";
    RECT client{};
    GetClientRect(box, &client);
    EXPECT_EQ(239, client.bottom);
}

TEST_F(MainWindowLayoutTest, TabOrderOfEachPageStartsAndEndsAtTheTabRow) {
    const HWND window = Window().Handle();
    const HWND tabs = Component(PageControl);
    // Each page's controls in the order of its layout rows.
    std::vector<std::vector<ControlId>> orders(3);
    for (const ControlRow& row : layout::GeneralPage) {
        orders[0].push_back(row.Id);
    }
    for (const ControlRow& row : VersionPageRows()) {
        orders[2].push_back(row.Id);
    }
    for (std::size_t page = 0; page < orders.size(); ++page) {
        SCOPED_TRACE(page);
        SelectPage(static_cast<int>(page));
        HWND at = tabs;
        for (const ControlId name : orders[page]) {
            at = GetNextDlgTabItem(window, at, FALSE);
            EXPECT_EQ(Component(name), at) << name;
        }
        EXPECT_EQ(tabs, GetNextDlgTabItem(window, at, FALSE));
        EXPECT_EQ(at, GetNextDlgTabItem(window, tabs, TRUE));
    }
}

}  // namespace
