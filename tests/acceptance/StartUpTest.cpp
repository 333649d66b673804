#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "acceptance/CommonControls.h"
#include "acceptance/EditorFixture.h"
#include "acceptance/UserInput.h"
#include "acceptance/Wait.h"
#include "acceptance/WindowQuery.h"

// The program as it first shows: an untitled, clean project unless its command line names one,
// in a fixed window in the middle of the screen, with one taskbar button.

namespace {

class StartUp : public EditorTest {};

// Tests that start the editor themselves, with a show command or arguments of their own.
class StartedWith : public EditorTest {
protected:
    void SetUp() override {}
};

}  // namespace

TEST_F(StartUp, ShowsAnUntitledProjectOnTheGeneralPageWithTheFocusOnTheTabs) {
    EXPECT_EQ(Window().Caption(), CaptionFor(UntitledName));
    EXPECT_EQ(Window().CurrentPage(), static_cast<int>(Page::General));
    EXPECT_EQ(Focus(), Window().PageControl()) << "the focus is on " << Describe(Focus());
    for (std::size_t field = 0; field < ProjectFields.size(); ++field) {
        EXPECT_EQ(FieldText(field), "") << ProjectFields[field].Label;
    }

    // One taskbar button: the application window's, titled with the application title and
    // owning the main window, which has none of its own.
    const HWND application = Editor().ApplicationWindow();
    ASSERT_TRUE(application) << "the main window has no owner window";
    EXPECT_EQ(CaptionOf(application), ApplicationTitle);
    EXPECT_EQ(GetWindow(application, GW_OWNER), nullptr);
    EXPECT_TRUE(IsWindowVisible(application)) << "the application window (the taskbar button) is hidden";
    EXPECT_FALSE(ExStyleOf(Window().Handle()) & WS_EX_APPWINDOW) << "the main window has a taskbar button of its own";
    // Both show the application icon.
    EXPECT_NE(Ask(application, WM_GETICON, ICON_BIG), 0) << "the taskbar button has no icon";
    EXPECT_NE(Ask(Window().Handle(), WM_GETICON, ICON_SMALL), 0) << "the title bar has no icon";
}

TEST_F(StartUp, FixedWindowInTheMiddleOfTheVirtualScreen) {
    const HWND main = Window().Handle();
    const RECT client = ClientScreenRectOf(main);
    EXPECT_EQ(SizeOf(client).cx, 472);
    EXPECT_EQ(SizeOf(client).cy, 314);

    const LONG_PTR style = StyleOf(main);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX) << "maximizing is offered";
    EXPECT_FALSE(style & WS_THICKFRAME) << "the window can be resized";
    EXPECT_TRUE(GetMenu(main)) << "no menu bar";

    const RECT frame = ScreenRectOf(main);
    const SIZE outer = SizeOf(frame);
    const int screenWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    EXPECT_EQ(frame.left, std::max(0, (screenWidth - static_cast<int>(outer.cx)) / 2));
    EXPECT_EQ(frame.top, std::max(0, (screenHeight - static_cast<int>(outer.cy)) / 2));

    // The page control is the window's only control and holds the three pages.
    EXPECT_EQ(Describe(RectIn(Window().PageControl(), main)), "8, 8, 456 x 298");
    ASSERT_EQ(TabCount(Window().PageControl()), 3);
    for (int page = 0; page < 3; ++page) {
        EXPECT_EQ(TabText(Window().PageControl(), page), PageTitles[page]);
    }
}

TEST_F(StartUp, ClosingAnUntouchedProjectAsksNothingAndEndsWithExitCodeZero) {
    ClickCloseButton();
    EXPECT_TRUE(NoDialogWithin(1000)) << "a box or dialog showed on closing an untouched project";
    ExpectEndsCleanly();
}

TEST_F(StartUp, MinimizingLeavesOnlyTheTaskbarButtonWhichBringsTheWindowBack) {
    const HWND main = Window().Handle();
    const HWND application = Editor().ApplicationWindow();
    ASSERT_TRUE(application) << "the main window has no owner window";
    const RECT before = ScreenRectOf(main);
    const POINT button = Window().TitleBarButtonPoint(HTMINBUTTON);
    ASSERT_GE(button.x, 0) << "no minimize button in the title bar";
    ClickAt(button);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main) || IsIconic(main); }))
        << "the main window still shows at " << Describe(ScreenRectOf(main));
    EXPECT_TRUE(IsIconic(application)) << "the taskbar button is not minimized";

    PostMessageA(application, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && !IsIconic(main); }))
        << "the main window did not come back";
    EXPECT_EQ(Describe(ScreenRectOf(main)), Describe(before));
}

TEST_F(StartUp, TheTaskbarsCloseOfAMinimizedProgramStillAsksAboutUnsavedChanges) {
    TypeIntoField(RuntimeField, "unsaved");
    const HWND application = Editor().ApplicationWindow();
    ASSERT_TRUE(application);
    const POINT button = Window().TitleBarButtonPoint(HTMINBUTTON);
    ASSERT_GE(button.x, 0) << "no minimize button in the title bar";
    ClickAt(button);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(application) != FALSE; })) << "the program did not minimize";

    PostMessageA(application, WM_SYSCOMMAND, SC_CLOSE, 0);
    const HWND box = ExpectPrompt(UntitledName);
    ASSERT_TRUE(box);
    EXPECT_TRUE(IsWindowVisible(box));
    Answer(box, IDNO);
    ExpectEndsCleanly();
}

// As typed in a command prompt: a name relative to the current folder, in a window shown as
// the show command says; the name is the system's, whatever the code page holds.
TEST_F(StartedWith, AProjectNamedOnTheCommandLineOpensInTheWindowItsShowCommandAsksFor) {
    const std::wstring name = L"given 𠮷 Café.zrt";
    const std::wstring path = WidePath(folder.Path()) + L"\\" + name;
    WriteFileBytes(path, "[RUNTIME]\r\nfilename=C:\\given.bin\r\n");
    ASSERT_NO_FATAL_FAILURE(Start(SW_SHOWMAXIMIZED, L"\"" + name + L"\"", folder.Path()));
    EXPECT_TRUE(WaitUntil([&] { return UnicodeTextOf(Window().Handle()) == path + L" - ZUB Runtime Editor"; }))
        << Window().Caption();
    EXPECT_TRUE(IsZoomed(Window().Handle()));
    EXPECT_EQ(FieldText(RuntimeField), "C:\\given.bin");
    PressAltF4();
    EXPECT_TRUE(NoDialogWithin(1000)) << "the opened project counts as changed";
    ExpectEndsCleanly();
}

TEST_F(StartedWith, AnythingButOneFileNameSaysHowTheProgramIsCalledAndGoesOnUntitled) {
    ASSERT_NO_FATAL_FAILURE(Start(SW_SHOWNORMAL, L"a.zrt b.zrt"));
    const HWND box = ExpectDialog("the message that says how the program is called");
    ASSERT_TRUE(box);
    const MessageBoxView view = ReadMessageBox(box);
    EXPECT_EQ(view.text,
              "使い方: ZubRuntimeEditor.exe [プロジェクト ファイル]\r\n\r\n開くプロジェクト ファイルを 1 "
              "つだけ指定できます.");
    EXPECT_EQ(view.caption, ApplicationTitle);
    // Start brought the main window to the front, over the box the program showed on it.
    SetForegroundWindow(box);
    Answer(box, IDOK);
    ASSERT_TRUE(MainWindowBack());
    EXPECT_EQ(Window().Caption(), CaptionFor(UntitledName));
    EXPECT_FALSE(FileExists(folder / "a.zrt"));
}

TEST_F(StartedWith, MaximizedShowCommandOpensTheWindowMaximized) {
    ASSERT_NO_FATAL_FAILURE(Start(SW_SHOWMAXIMIZED));
    EXPECT_TRUE(IsZoomed(Window().Handle())) << "window at " << Describe(ScreenRectOf(Window().Handle()));
}

TEST_F(StartedWith, MinimizedShowCommandShowsOnlyTheTaskbarButtonUntilRestored) {
    ASSERT_NO_FATAL_FAILURE(Start(SW_SHOWMINNOACTIVE));
    const HWND main = Window().Handle();
    const HWND application = Editor().ApplicationWindow();
    ASSERT_TRUE(application) << "the main window has no owner window";
    EXPECT_TRUE(!IsWindowVisible(main) || IsIconic(main))
        << "the main window shows at " << Describe(ScreenRectOf(main));
    EXPECT_TRUE(IsIconic(application)) << "the taskbar button is not minimized";

    // A click on the taskbar button restores the program.
    PostMessageA(application, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && !IsIconic(main); }))
        << "the main window did not come back";
    EXPECT_FALSE(IsZoomed(main));
    EXPECT_EQ(SizeOf(ClientScreenRectOf(main)).cx, 472);
    EXPECT_EQ(SizeOf(ClientScreenRectOf(main)).cy, 314);
}
