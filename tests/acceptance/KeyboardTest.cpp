#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "acceptance/CommonControls.h"
#include "acceptance/EditorFixture.h"
#include "acceptance/UserInput.h"
#include "acceptance/Wait.h"
#include "acceptance/WindowQuery.h"

// The program used with the keyboard alone: Tab and Shift+Tab through each page, Ctrl+Tab
// between the pages, the version page scrolling to follow the focus, the byte limit of the
// file edits, the File menu by Alt+F and its access keys, and the shortcuts from any edit.

namespace {

class Keyboard : public EditorTest {
protected:
    // Presses a key and waits for the focus to move; answers where it went.
    HWND PressAndFollowFocus(WORD key, std::initializer_list<WORD> modifiers = {}) {
        const HWND before = Focus();
        PressKey(key, modifiers);
        WaitUntil([&] { return Focus() != before; }, 2000);
        Editor().WaitForIdle();
        return Focus();
    }

    // The version edits in tab order, found by their labels.
    std::vector<HWND> VersionEdits() {
        std::vector<HWND> edits;
        for (const std::size_t field : FieldsInReadingOrder(Page::VersionInfo)) {
            edits.push_back(Window().Edit(ProjectFields[field]));
        }
        return edits;
    }

    // Waits for the file dialog of the command just given, checks it and cancels it.
    void ExpectFileDialogAndCancel(const std::string& title, const char* because) {
        SCOPED_TRACE(because);
        const HWND dialog = ExpectFileDialog(title);
        ASSERT_TRUE(dialog);
        CancelDialog(dialog);
        ASSERT_TRUE(MainWindowBack());
    }

    void ExpectPromptAndCancel(const char* because) {
        SCOPED_TRACE(because);
        const HWND box = ExpectPrompt(UntitledName);
        ASSERT_TRUE(box);
        Answer(box, IDCANCEL);
        ASSERT_TRUE(MainWindowBack());
    }
};

}  // namespace

TEST_F(Keyboard, TabAndShiftTabCycleTheGeneralPageSelectingEachEditsText) {
    TypeIntoField(RuntimeField, "C:\\runtime.bin");
    TypeIntoField(IconField, "C:\\表.ico");
    TypeIntoField(ManifestField, "C:\\app.manifest");
    ClickAt(CentreOf(TabScreenRect(Window().PageControl(), 0)));
    ASSERT_TRUE(WaitUntil([&] { return Focus() == Window().PageControl(); })) << Describe(Focus());

    // A click only places the caret.
    const HWND clicked = Window().Edit(ProjectFields[IconField]);
    ASSERT_TRUE(clicked);
    ClickCentreOf(clicked);
    ASSERT_TRUE(WaitUntil([&] { return Focus() == clicked; }));
    const Selection caret = EditSelection(clicked);
    EXPECT_EQ(caret.start, caret.end) << "a click selected text";
    ClickAt(CentreOf(TabScreenRect(Window().PageControl(), 0)));
    ASSERT_TRUE(WaitUntil([&] { return Focus() == Window().PageControl(); })) << Describe(Focus());

    std::vector<HWND> order{Window().PageControl()};
    for (const std::size_t field : FieldsInReadingOrder(Page::General)) {
        const HWND edit = Window().Edit(ProjectFields[field]);
        ASSERT_TRUE(edit);
        order.push_back(edit);
        order.push_back(Window().BrowseButtonBeside(edit));
    }
    order.push_back(Window().PageControl());

    for (std::size_t step = 1; step < order.size(); ++step) {
        const HWND reached = PressAndFollowFocus(VK_TAB);
        ASSERT_EQ(reached, order[step]) << "Tab number " << step << " went to " << Describe(reached);
        if (ClassNameOf(reached) == "Edit") {
            const std::string text = TextOf(reached);
            const Selection selection = EditSelection(reached);
            // The edit may count in bytes or in characters.
            const int characters =
                MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
            EXPECT_EQ(selection.start, 0) << "Tab left the start of \"" << text << "\" unselected";
            EXPECT_TRUE(selection.end == static_cast<int>(text.size()) || selection.end == characters)
                << "Tab selected up to " << selection.end << " of \"" << text << "\"";
        }
    }
    for (std::size_t step = order.size() - 1; step-- > 0;) {
        const HWND reached = PressAndFollowFocus(VK_TAB, {VK_SHIFT});
        ASSERT_EQ(reached, order[step]) << "Shift+Tab went to " << Describe(reached);
    }
}

TEST_F(Keyboard, CtrlTabAndCtrlShiftTabCycleThePages) {
    const auto pressAndExpectPage = [&](std::initializer_list<WORD> modifiers, Page expected) {
        PressKey(VK_TAB, modifiers);
        EXPECT_TRUE(WaitUntil([&] { return Window().CurrentPage() == static_cast<int>(expected); }, 3000))
            << "the page shown is " << Window().CurrentPage() << ", not " << static_cast<int>(expected);
    };
    pressAndExpectPage({VK_CONTROL}, Page::HtmlResources);
    pressAndExpectPage({VK_CONTROL}, Page::VersionInfo);
    pressAndExpectPage({VK_CONTROL}, Page::General);
    pressAndExpectPage({VK_CONTROL, VK_SHIFT}, Page::VersionInfo);
    pressAndExpectPage({VK_CONTROL, VK_SHIFT}, Page::HtmlResources);

    // From inside an edit as well.
    ASSERT_TRUE(FocusField(VersionField("ProductVerNumber")));
    pressAndExpectPage({VK_CONTROL}, Page::General);
    ASSERT_TRUE(FocusField(IconField));
    pressAndExpectPage({VK_CONTROL, VK_SHIFT}, Page::VersionInfo);
}

TEST_F(Keyboard, VersionPageScrollsJustEnoughToShowTheFocusedEdit) {
    ASSERT_TRUE(ShowPage(Page::VersionInfo));
    ASSERT_TRUE(WaitUntil([&] { return Focus() == Window().PageControl(); })) << Describe(Focus());
    const HWND box = Window().ScrollBox();
    ASSERT_TRUE(box);
    const std::vector<HWND> edits = VersionEdits();
    const RECT view = ClientScreenRectOf(box);

    // Where each focus move must leave the edit: where it was when it was in view; else with
    // its client area's nearer edge at the box's edge.
    const auto checkMove = [&](std::size_t from, std::size_t to, WORD modifier) {
        const RECT before = ClientScreenRectOf(edits[to]);
        const HWND reached = modifier ? PressAndFollowFocus(VK_TAB, {modifier}) : PressAndFollowFocus(VK_TAB);
        ASSERT_EQ(reached, edits[to]) << "from tab " << from << " the focus went to " << Describe(reached);
        const RECT after = ClientScreenRectOf(edits[to]);
        if (before.bottom > view.bottom) {
            EXPECT_EQ(after.bottom, view.bottom) << "tab " << to << " was below the view";
        } else if (before.top < view.top) {
            EXPECT_EQ(after.top, view.top) << "tab " << to << " was above the view";
        } else {
            EXPECT_EQ(after.top, before.top) << "tab " << to << " was in view, yet the box scrolled";
        }
    };

    ASSERT_EQ(PressAndFollowFocus(VK_TAB), edits[0]) << Describe(Focus());
    for (std::size_t tab = 1; tab < edits.size(); ++tab) {
        ASSERT_NO_FATAL_FAILURE(checkMove(tab - 1, tab, 0));
    }
    for (std::size_t tab = edits.size() - 1; tab-- > 0;) {
        ASSERT_NO_FATAL_FAILURE(checkMove(tab + 1, tab, VK_SHIFT));
    }
    // Back at the top, the first row's labels are out of view: only the edit was brought in.
    const HWND firstLabel = Window().Label(ProjectFields[FirstVersionField].Label);
    ASSERT_TRUE(firstLabel);
    EXPECT_LT(ScreenRectOf(firstLabel).bottom, view.top + 3);
    EXPECT_EQ(PressAndFollowFocus(VK_TAB, {VK_SHIFT}), Window().PageControl());
}

TEST_F(Keyboard, FileEditsStopAt256BytesOfShiftJisTextWhileVersionEditsTakeMore) {
    // One single-byte character, then double-byte ones: 127 of them make 255 bytes, a 128th
    // would make 257.
    const std::string doubleByte = "表";
    for (std::size_t field = RuntimeField; field <= ManifestField; ++field) {
        SCOPED_TRACE(ProjectFields[field].Label);
        const HWND edit = FocusField(field);
        ASSERT_TRUE(edit);
        std::string typed = "a";
        for (int i = 0; i < 140; ++i) {
            typed += doubleByte;
        }
        TypeText(typed);
        std::string expected = "a";
        for (int i = 0; i < 127; ++i) {
            expected += doubleByte;
        }
        WaitUntil([&] { return TextOf(edit).size() >= expected.size(); }, 5000);
        Editor().WaitForIdle();
        EXPECT_EQ(TextOf(edit).size(), expected.size());
        EXPECT_EQ(TextOf(edit), expected);
        // One more single byte fits exactly.
        TypeText("b");
        WaitUntil([&] { return TextOf(edit) == expected + "b"; }, 3000);
        TypeText("c");
        Editor().WaitForIdle();
        Sleep(100);
        EXPECT_EQ(TextOf(edit), expected + "b");
    }
    std::string longText;
    for (int i = 0; i < 200; ++i) {
        longText += doubleByte;
    }
    TypeIntoField(ProductNameField, longText);

    // Pasting stops at the same place, at a whole character; a version edit takes it all.
    ASSERT_TRUE(PutOnClipboard("x" + longText));
    const HWND icon = FocusField(IconField);
    ASSERT_TRUE(icon);
    PressKey(VK_END);
    PressKey(VK_HOME, {VK_SHIFT});
    PressKey(VK_DELETE);
    PressKey('V', {VK_CONTROL});
    const std::string pasted = "x" + longText.substr(0, 127 * doubleByte.size());
    EXPECT_TRUE(WaitUntil([&] { return TextOf(icon) == pasted; }, 3000))
        << "the icon edit holds " << TextOf(icon).size() << " bytes after the paste";
    const HWND comments = FocusField(CommentsField);
    ASSERT_TRUE(comments);
    PressKey('V', {VK_CONTROL});
    EXPECT_TRUE(WaitUntil([&] { return TextOf(comments) == "x" + longText; }, 3000))
        << "the comments edit holds " << TextOf(comments).size() << " bytes after the paste";
}

TEST_F(Keyboard, FileMenuOpensWithAltFAndRunsItsCommandsByAccessKeys) {
    PressKey('F', {VK_MENU});
    ASSERT_TRUE(WaitUntil([&] { return OpenMenu() != nullptr; }, 3000)) << "Alt+F opened no menu";
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return OpenMenu() == nullptr; }, 3000)) << "Escape left the menu open";

    ChooseFileMenuItem('O');
    ExpectFileDialogAndCancel(OpenTitle, "Alt+F, O");
    ChooseFileMenuItem('S');
    ExpectFileDialogAndCancel(SaveTitle, "Alt+F, S");
    ChooseFileMenuItem('A');
    ExpectFileDialogAndCancel(SaveTitle, "Alt+F, A");

    TypeIntoField(RuntimeField, "x");
    ChooseFileMenuItem('N');
    ExpectPromptAndCancel("Alt+F, N");
    EXPECT_EQ(FieldText(RuntimeField), "x");
    ChooseFileMenuItem('X');
    const HWND box = ExpectPrompt(UntitledName);
    ASSERT_TRUE(box) << "Alt+F, X";
    Answer(box, IDNO);
    ExpectEndsCleanly();
}

// The window system tells the program of a pointer that comes in while Alt is down; the
// access key must still open the menu, and type nothing into the edit.
TEST_F(Keyboard, AltHeldWhileThePointerComesInOverTheWindowStillOpensTheMenu) {
    TypeIntoField(RuntimeField, "one");
    RECT window{};
    GetWindowRect(Window().Handle(), &window);
    MovePointerTo({window.right + 20, window.bottom + 20});
    Sleep(300);
    {
        HeldKeys alt({VK_MENU});
        MovePointerTo({(window.left + window.right) / 2, (window.top + window.bottom) / 2});
        Sleep(300);
        alt.Press('F');
    }
    EXPECT_TRUE(WaitUntil([&] { return OpenMenu() != nullptr; }, 3000)) << "Alt+F opened no menu";
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(FieldText(RuntimeField), "one");
}

TEST_F(Keyboard, ShortcutsActWhileTheFocusIsInAnEdit) {
    ASSERT_TRUE(FocusField(VersionField("FileDescription")));
    PressKey('S', {VK_CONTROL});
    ExpectFileDialogAndCancel(SaveTitle, "Ctrl+S");
    PressKey('O', {VK_CONTROL});
    ExpectFileDialogAndCancel(OpenTitle, "Ctrl+O");

    TypeIntoField(VersionField("FileDescription"), "説明");
    PressKey('N', {VK_CONTROL});
    ExpectPromptAndCancel("Ctrl+N");
    PressAltF4();
    ExpectPromptAndCancel("Alt+F4");
    EXPECT_EQ(FieldText(VersionField("FileDescription")), "説明");
    EXPECT_TRUE(Editor().Running());
}

TEST_F(Keyboard, EnterAndEscapePressNoButtonAndSpaceOpensABrowseDialog) {
    ASSERT_TRUE(FocusField(IconField));
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(NoDialogWithin(800)) << "Enter or Escape in an edit opened something";
    EXPECT_TRUE(Editor().Running());

    const HWND button = Window().BrowseButtonBeside(Window().Edit(ProjectFields[IconField]));
    ASSERT_TRUE(button);
    ASSERT_EQ(PressAndFollowFocus(VK_TAB), button) << Describe(Focus());
    PressKey(VK_SPACE);
    const HWND dialog = ExpectFileDialog(OpenTitle);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ReadFileDialog(dialog).filter, "アイコン ファイル (*.ico)");
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(MainWindowBack());
    EXPECT_EQ(Focus(), button) << "the focus went to " << Describe(Focus());
}
