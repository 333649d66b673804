// Keys pressed through the system's input and carried by a message loop that gives the window
// its keyboard processing first, as the application's loop does.
#include <windows.h>

#include <imm.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "ui/WindowProcedure.h"
#include "win32/DialogDriver.h"
#include "win32/FailingAllocations.h"
#include "win32/MainWindowFixture.h"

namespace {

// A page's controls in the order of its layout rows.
template <typename Rows>
std::vector<ControlId> InRowOrder(const Rows& rows) {
    std::vector<ControlId> ids;
    for (const auto& row : rows) {
        ids.push_back(row.Id);
    }
    return ids;
}

std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

void PutOnClipboard(HWND owner, const std::string& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

class MainWindowKeyboardTest : public MainWindowFixture {
protected:
    int ActivePage() { return static_cast<int>(SendMessageA(Component(PageControl), TCM_GETCURSEL, 0, 0)); }

    // Focus in an edit with the caret at the end of a text the program set.
    HWND EditAtEnd(ControlId id, const std::string& text) {
        const HWND edit = Component(id);
        SetWindowTextA(edit, text.c_str());
        SetFocus(edit);
        SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(-1), -1);
        PressKey(VK_END);
        return edit;
    }
};

TEST_F(MainWindowKeyboardTest, TabFromTheTabRowEntersTheRuntimeEditWithItsTextSelected) {
    ASSERT_EQ(Component(PageControl), GetFocus());
    const HWND edit = Component(LabeledEditZubrt);
    SetWindowTextA(edit, "C:\\zub\\runtime.bin");
    PressKey(VK_TAB);
    EXPECT_EQ(edit, GetFocus());
    EXPECT_EQ((std::pair<DWORD, DWORD>{0, 18}), Selection(edit));
}

TEST_F(MainWindowKeyboardTest, TabAndShiftTabCycleThroughEachPageAndBackToTheTabRow) {
    const HWND tabs = Component(PageControl);
    const std::vector<std::vector<ControlId>> pages = {
        InRowOrder(layout::GeneralPage),
        {},
        InRowOrder(layout::VersionInfoPage),
    };
    for (int page = 0; page < 3; ++page) {
        SCOPED_TRACE(page);
        SelectPage(page);
        SetFocus(tabs);
        for (const ControlId name : pages[page]) {
            PressKey(VK_TAB);
            EXPECT_EQ(Component(name), GetFocus()) << name;
        }
        PressKey(VK_TAB);
        EXPECT_EQ(tabs, GetFocus());
        for (auto name = pages[page].rbegin(); name != pages[page].rend(); ++name) {
            PressKey(VK_TAB, Shift);
            EXPECT_EQ(Component(*name), GetFocus()) << *name;
        }
        PressKey(VK_TAB, Shift);
        EXPECT_EQ(tabs, GetFocus());
    }
}

TEST_F(MainWindowKeyboardTest, CtrlTabChangesPagesWrappingBothWays) {
    SetFocus(Component(LabeledEditIcon));
    PressKey(VK_TAB, Ctrl);
    EXPECT_EQ(1, ActivePage());
    EXPECT_EQ(Component(PageControl), GetFocus()) << "the focus leaves the page that hides";
    EXPECT_TRUE(IsWindowVisible(Component(TabSheetHtmlResources)));
    EXPECT_FALSE(IsWindowVisible(Component(TabSheetGeneral)));
    PressKey(VK_TAB, Ctrl);
    EXPECT_EQ(2, ActivePage());
    PressKey(VK_TAB, Ctrl);
    EXPECT_EQ(0, ActivePage()) << "from the version page to the general page";
    PressKey(VK_TAB, Ctrl | Shift);
    EXPECT_EQ(2, ActivePage()) << "from the general page back to the version page";
    EXPECT_TRUE(IsWindowVisible(Component(TabSheetVersionInfo)));
}

TEST_F(MainWindowKeyboardTest, TabbingDownTheVersionPageScrollsTheLeastAmountBothWays) {
    SelectPage(2);
    const HWND box = Component(ScrollBoxVersionInfo);
    for (int edit = 0; edit <= 9; ++edit) {
        PressKey(VK_TAB);
    }
    ASSERT_EQ(Component(ProjectEdit("OriginalFilename")), GetFocus());
    EXPECT_EQ(0, ScrollPosition()) << "row 5 ends exactly at the box's bottom";

    PressKey(VK_TAB);
    const HWND productName = Component(ProjectEdit("ProductName"));
    ASSERT_EQ(productName, GetFocus());
    // Its client area (272..288 unscrolled) now ends at the box's bottom, 239.
    EXPECT_EQ(288 - 239, ScrollPosition());
    RECT area{};
    GetClientRect(productName, &area);
    MapWindowPoints(productName, box, reinterpret_cast<POINT*>(&area), 2);
    EXPECT_EQ(239, area.bottom);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    GetScrollInfo(box, SB_VERT, &info);
    EXPECT_EQ(49, info.nPos);

    PressKey(VK_TAB, Shift);
    EXPECT_EQ(Component(ProjectEdit("OriginalFilename")), GetFocus());
    EXPECT_EQ(49, ScrollPosition()) << "an edit in view does not scroll";

    // Back up to the first row: the top of its client area (17 unscrolled) meets the box's top,
    // which leaves its label out of view.
    for (int edit = 9; edit > 1; --edit) {
        PressKey(VK_TAB, Shift);
    }
    ASSERT_EQ(Component(ProjectEdit("ProductVerNumber")), GetFocus());
    EXPECT_EQ(17, ScrollPosition());
    EXPECT_LT(BoundsOf(LabelOf(ProjectEdit("ProductVerNumber"))).Top + 12, 1);
}

TEST_F(MainWindowKeyboardTest, ScrollBarStepsAndThumbRelease) {
    SelectPage(2);
    const HWND box = Component(ScrollBoxVersionInfo);
    const HWND first = Component(ProjectEdit("FileVerNumber"));
    SendMessageA(box, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(8, ScrollPosition());
    EXPECT_EQ(15 - 8, BoundsOf(first).Top);
    SendMessageA(box, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(std::min(8 + 239, VersionPageBottom() - 239), ScrollPosition()) << "a page is 239";
    SendMessageA(box, WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(0, ScrollPosition());
    SendMessageA(box, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), 0);
    EXPECT_EQ(0, ScrollPosition()) << "dragging the thumb leaves the content alone";
}

TEST_F(MainWindowKeyboardTest, ShortcutsWorkFromInsideAnEdit) {
    const HWND edit = Component(LabeledEditManifest);
    SetFocus(edit);
    {
        std::string title;
        DialogDriver cancel([&](HWND dialog) {
            title = WindowText(dialog);
            PressDialogButton(dialog, IDCANCEL);
        });
        PressKey('S', Ctrl);
        EXPECT_TRUE(cancel.Acted()) << "Ctrl+S on an untitled project asks for a name";
    }
    {
        DialogDriver cancel([](HWND dialog) { PressDialogButton(dialog, IDCANCEL); });
        PressKey('O', Ctrl);
        EXPECT_TRUE(cancel.Acted()) << "Ctrl+O shows the open dialog";
    }
    SetFocus(edit);
    Type(L"x");
    ASSERT_TRUE(Document().Modified());
    {
        std::string prompt;
        DialogDriver answerNo([&](HWND box) {
            prompt = DialogItemText(box, 0xFFFF);
            PressDialogButton(box, IDNO);
        });
        SetFocus(edit);
        PressKey('N', Ctrl);
        EXPECT_TRUE(answerNo.Acted()) << "Ctrl+N asks about the changes first";
    }
    EXPECT_EQ("", TextOf(edit));
    EXPECT_FALSE(Document().Modified());

    SetFocus(edit);
    PressKey(VK_F4, Alt);
    EXPECT_EQ(1, host_.Terminations) << "Alt+F4 closes a clean project at once";
    EXPECT_TRUE(IsWindow(Window().Handle())) << "the application destroys the window later";
}

// The File menu as it reads, one line an item: "[glyph]" where the item shows a picture, the
// caption and its shortcut, "----" for a separator, "(disabled)" for an item that cannot be chosen; and
// what choosing each item does.
TEST_F(MainWindowKeyboardTest, FileMenuReadsAsDrawnAndEachItemDoesItsCommand) {
    const HMENU bar = GetMenu(Window().Handle());
    ASSERT_EQ(1, GetMenuItemCount(bar));
    char text[128] = {};
    GetMenuStringA(bar, 0, text, static_cast<int>(sizeof text), MF_BYPOSITION);
    EXPECT_EQ(std::string("ファイル(&F)"), text);

    const HMENU file = GetSubMenu(bar, 0);
    std::vector<std::string> lines;
    for (int index = 0; index < GetMenuItemCount(file); ++index) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_BITMAP | MIIM_STRING | MIIM_STATE | MIIM_ID;
        info.dwTypeData = text;
        info.cch = sizeof text;
        text[0] = 0;
        ASSERT_TRUE(GetMenuItemInfoA(file, static_cast<UINT>(index), TRUE, &info));
        std::string line = (info.fType & MFT_SEPARATOR) ? "----" : text;
        if (info.hbmpItem == HBMMENU_CALLBACK) {
            // The window measures the glyph it draws for the item.
            MEASUREITEMSTRUCT measure{};
            measure.CtlType = ODT_MENU;
            measure.itemID = info.wID;
            SendMessageA(Window().Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
            line = (measure.itemWidth > 0 && measure.itemHeight > 0 ? "[glyph] " : "[no glyph] ") + line;
        }
        if ((info.fState & MFS_DISABLED) && !(info.fType & MFT_SEPARATOR)) {
            line += " (disabled)";
        }
        lines.push_back(line);
    }
    const std::vector<std::string> expected = {
        "[glyph] 新規作成(&N)\bCtrl+N",
        "[glyph] 開く(&O)...\bCtrl+O",
        "[glyph] 上書き保存(&S)\bCtrl+S",
        "名前を付けて保存(&A)...",
        "----",
        "[glyph] 終了(&X)\bAlt+F4",
    };
    EXPECT_EQ(expected, lines);

    // Chosen from the menu, on a clean untitled project: the item found by what it reads as, so
    // that the test checks that the item shown sends its own command wherever it stands.
    const auto chosen = [&](std::string_view caption) {
        const auto shown = std::ranges::find_if(
            lines, [&](const std::string& line) { return line.find(caption) != std::string::npos; });
        EXPECT_NE(lines.end(), shown) << caption;
        const int index = static_cast<int>(shown - lines.begin());
        std::string title;
        DialogDriver cancel(
            [&](HWND dialog) {
                title = WindowText(dialog);
                PressDialogButton(dialog, IDCANCEL);
            },
            2000);
        Command(static_cast<WORD>(GetMenuItemID(file, index)));
        Pump();
        return title;
    };
    EXPECT_EQ("", chosen("新規作成")) << "New asks nothing of a clean project";
    EXPECT_EQ("開く", chosen("開く"));
    EXPECT_EQ("名前を付けて保存", chosen("上書き保存")) << "Save asks for a name for an untitled project";
    EXPECT_EQ("名前を付けて保存", chosen("名前を付けて保存"));
    EXPECT_EQ(0, host_.Terminations);
    EXPECT_EQ("", chosen("終了"));
    EXPECT_EQ(1, host_.Terminations) << "Exit closes a clean project at once";
}

TEST_F(MainWindowKeyboardTest, EnterAndEscapePressNoButton) {
    SetFocus(Component(LabeledEditZubrt));
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(nullptr, FindModalDialog());
    EXPECT_EQ(0, host_.Terminations);
    EXPECT_FALSE(Document().Modified());
}

// Typing and pasting stop at 256 bytes of Shift-JIS text, a double-byte character counting two;
// text the program sets is never cut.
TEST_F(MainWindowKeyboardTest, RuntimeEditTakesAtMost256BytesTypedOrPasted) {
    const std::string a254(254, 'a');
    HWND edit = EditAtEnd(LabeledEditZubrt, a254);
    Type(L"あ");
    EXPECT_EQ(a254 + Ansi(L"あ"), TextOf(edit)) << "a double-byte character fits in the last two bytes";
    Type(L"b");
    EXPECT_EQ(256u, TextOf(edit).size()) << "the limit is reached";

    const std::string a255(255, 'a');
    EditAtEnd(LabeledEditZubrt, a255);
    Type(L"い");
    EXPECT_EQ(a255, TextOf(edit)) << "half a character never goes in";
    Type(L"c");
    EXPECT_EQ(a255 + "c", TextOf(edit));

    // A selection makes room: replacing all of it with one character.
    SendMessageA(edit, EM_SETSEL, 0, -1);
    Type(L"う");
    EXPECT_EQ(Ansi(L"う"), TextOf(edit));

    // Double-byte text in the edit: the selection's bytes are counted, not its characters.
    const std::string kana = Ansi(std::wstring(127, L'ア'));  // 254 bytes
    EditAtEnd(LabeledEditZubrt, kana);
    PressKey(VK_HOME);
    PressKey(VK_RIGHT, Shift);  // the first character selected
    Type(L"xyzwv");
    EXPECT_EQ("xyzw" + Ansi(std::wstring(126, L'ア')), TextOf(edit));
}

TEST_F(MainWindowKeyboardTest, PastingIsCutAtAWholeCharacterWithinTheLimit) {
    const std::string a253(253, 'a');
    HWND edit = EditAtEnd(LabeledEditIcon, a253);
    PutOnClipboard(Window().Handle(), Ansi(L"あいう"));
    PressKey('V', Ctrl);
    EXPECT_EQ(a253 + Ansi(L"あ"), TextOf(edit)) << "ends at 255: the next character would pass 256";

    EditAtEnd(LabeledEditIcon, a253);
    SendMessageA(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(a253 + Ansi(L"あ"), TextOf(edit)) << "a paste from the edit's menu alike";

    EditAtEnd(LabeledEditIcon, "");
    PutOnClipboard(Window().Handle(), "first line\r\nsecond line");
    PressKey(VK_INSERT, Shift);
    EXPECT_EQ("first line", TextOf(edit)) << "a one-line edit takes one line";
}

// Windows' edit inserts an input method's result itself when WM_IME_COMPOSITION brings it
// (GCS_RESULTSTR), counting characters against its limit, not bytes. Wine 8's edit leaves the
// message to the input method, which sends the result as WM_IME_CHAR, one character at a time,
// where the limit of typed characters already holds. So for this test the edit's own procedure,
// behind the program's, is given Windows' way with a result; the rest stays Wine's.
WNDPROC wineEdit = nullptr;

LRESULT CALLBACK EditAsOnWindows(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_IME_COMPOSITION && (lParam & GCS_RESULTSTR)) {
        const HIMC context = ImmGetContext(edit);
        std::wstring result(
            static_cast<std::size_t>(ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0)) / sizeof(wchar_t),
            L'\0');
        ImmGetCompositionStringW(context, GCS_RESULTSTR, result.data(),
                                 static_cast<DWORD>(result.size() * sizeof(wchar_t)));
        ImmReleaseContext(edit, context);
        CallWindowProcW(wineEdit, edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(result.c_str()));
        return 0;
    }
    return CallWindowProcA(wineEdit, edit, message, wParam, lParam);
}

// An input method's result, which the edit inserts counting characters, is cut as a paste is: at
// a whole character within the limit.
TEST_F(MainWindowKeyboardTest, AnInputMethodsResultIsCutAtAWholeCharacterWithinTheLimit) {
    const HWND edit = Component(LabeledEditIcon);
    wineEdit = reinterpret_cast<WNDPROC>(GetPropW(edit, NextProcedureProperty));
    SetPropW(edit, NextProcedureProperty, reinterpret_cast<HANDLE>(&EditAsOnWindows));
    // The composition is completed in a context of the test's own, which no window hears from,
    // and the context then given to the edit with the messages that end a composition.
    const auto commit = [&](const std::wstring& text) {
        const HIMC context = ImmCreateContext();
        ImmSetOpenStatus(context, TRUE);
        ImmSetCompositionStringW(context, SCS_SETSTR, const_cast<wchar_t*>(text.c_str()),
                                 static_cast<DWORD>(text.size() * sizeof(wchar_t)), nullptr, 0);
        ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
        const HIMC own = ImmAssociateContext(edit, context);
        SendMessageW(edit, WM_IME_STARTCOMPOSITION, 0, 0);
        SendMessageW(edit, WM_IME_COMPOSITION, text.front(), GCS_RESULTSTR);
        SendMessageW(edit, WM_IME_ENDCOMPOSITION, 0, 0);
        ImmAssociateContext(edit, own);
        ImmDestroyContext(context);
        Pump();
    };
    const std::string a252(252, 'a');
    EditAtEnd(LabeledEditIcon, a252 + "z");
    PressKey(VK_LEFT);
    commit(L"あいう");
    EXPECT_EQ(a252 + Ansi(L"あ") + "z", TextOf(edit))
        << "ends at 255 with what followed the caret: the next would pass 256";

    EditAtEnd(LabeledEditIcon, "");
    commit(std::wstring(200, L'表'));
    EXPECT_EQ(Ansi(std::wstring(128, L'表')), TextOf(edit));
    SetPropW(edit, NextProcedureProperty, reinterpret_cast<HANDLE>(wineEdit));
}

TEST_F(MainWindowKeyboardTest, ProgramTextIsNeverCutAndVersionEditsHaveNoLimit) {
    const std::string long300(300, 'p');
    Window().SetEditText(ProjectRowOf("RuntimeFile"), long300);
    EXPECT_EQ(long300, TextOf(Component(LabeledEditZubrt)));

    SelectPage(2);
    HWND edit = EditAtEnd(ProjectEdit("Comments"), long300);
    Type(L"qあ");
    EXPECT_EQ(long300 + "q" + Ansi(L"あ"), TextOf(edit));
    PutOnClipboard(Window().Handle(), std::string(400, 'r'));
    PressKey('V', Ctrl);
    EXPECT_EQ(303u + 400u, TextOf(edit).size());

    // Beyond the edit's default limit (30,000 under Wine) too.
    edit = EditAtEnd(layout::VersionInfoPage.back().Id, "");
    PutOnClipboard(Window().Handle(), std::string(40000, 's'));
    SendMessageA(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(40000u, TextOf(edit).size());
}

// A lead byte is paired only with a byte that can follow it; any other goes in as itself.
TEST_F(MainWindowKeyboardTest, ALeadByteWithoutItsTrailByteIsDropped) {
    const HWND edit = EditAtEnd(LabeledEditZubrt, "");
    for (const int byte : {int{'a'}, 0x82, int{'\b'}}) {
        SendMessageA(edit, WM_CHAR, byte, 1);
    }
    EXPECT_EQ("", TextOf(edit)) << "the Backspace erases the a";
    for (const int byte : {0x82, 0xA0, 0x82, int{'b'}, 0x82, int{' '}, 0x82, 0xA2}) {
        SendMessageA(edit, WM_CHAR, byte, 1);
    }
    EXPECT_EQ(Ansi(L"あ") + "\x82\x62 " + Ansi(L"い"), TextOf(edit)) << "0x62 is a trail byte; a blank is none";
}

// An error inside the edit's own handling, as when memory runs out, is shown like every
// error; it does not unwind through the system, and the clipboard is let go.
TEST_F(MainWindowKeyboardTest, AnErrorInTheEditsOwnHandlingIsShownAndLetsTheClipboardGo) {
    const HWND edit = EditAtEnd(LabeledEditIcon, "kept");
    PutOnClipboard(Window().Handle(), "a text longer than a short string");
    {
        const FailingAllocations memoryRunsOut;
        SendMessageA(edit, WM_PASTE, 0, 0);
        EXPECT_EQ(0, FailingAllocations::Left());
    }
    EXPECT_EQ("kept", TextOf(edit));
    EXPECT_EQ(nullptr, GetOpenClipboardWindow());
    ASSERT_EQ(1u, host_.Errors.size());
    EXPECT_EQ(WidenAnsi(std::bad_alloc().what()), host_.Errors.front());
    host_.Errors.clear();
}

}  // namespace
