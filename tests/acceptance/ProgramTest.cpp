#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <utility>

#include "acceptance/EditorProcess.h"
#include "acceptance/ModalDialogs.h"
#include "ui/MenuTable.h"
#include "win32/DialogDriver.h"
#include "win32/TestThread.h"

// The editor program itself, started as its own process and sent what Windows and the shell
// send it: the show command, the close routes, the log-off, the menu's Save command.

namespace {

const std::string UntitledCaption = "無題.zrt - ZUB Runtime Editor";
const std::string AppTitle = "ZUB Runtime Editor";
constexpr DWORD ExitWait = 10000;

// Sent from outside the program, as Windows sends it; 0 when the program did not answer.
LRESULT SendFromOutside(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 20000, &result)) {
        return 0;
    }
    return static_cast<LRESULT>(result);
}

BOOL CALLBACK FindFirstEdit(HWND window, LPARAM parameter) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpiA(className, "Edit") == 0 && IsWindowEnabled(window)) {
        *reinterpret_cast<HWND*>(parameter) = window;
        return FALSE;
    }
    return TRUE;
}

// Changes the project the way typing does, through the first enabled edit of the window.
void ChangeTheProject(HWND main) {
    HWND edit = nullptr;
    EnumChildWindows(main, FindFirstEdit, reinterpret_cast<LPARAM>(&edit));
    ASSERT_NE(edit, nullptr);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed"));
}

// A project file in a folder that does not exist: the dialog takes it, the write fails.
const std::string UnwritablePath = "C:\\zub-missing-folder\\プロジェクト.zrt";

// The exit code once the process has ended within the time, STILL_ACTIVE while it runs.
DWORD ExitCodeAfter(EditorProcess& editor, DWORD milliseconds) {
    editor.WaitForExit(milliseconds);
    return editor.ExitCode();
}

// The program's next dialog once the one before has gone.
HWND NextDialog(const EditorProcess& editor, HWND previous) {
    for (int i = 0; i < 500 && IsWindow(previous); ++i) {
        Sleep(10);
    }
    return WaitForDialog(editor.Id());
}

struct ErrorBox {
    std::string text;
    std::string caption;
    bool icon = false;
    bool okOnly = false;
};

bool ButtonShown(HWND box, int id) {
    const HWND button = GetDlgItem(box, id);
    return button && IsWindowVisible(button);
}

// Reads the error box and closes it with OK, as the user would.
ErrorBox ReadAndCloseErrorBox(HWND box) {
    ErrorBox seen{
        DialogItemText(box, 0xFFFF), WindowText(box), HasIcon(box),
        ButtonShown(box, IDOK) && !ButtonShown(box, IDCANCEL) && !ButtonShown(box, IDYES) && !ButtonShown(box, IDNO)};
    PressDialogButton(box, IDOK);
    return seen;
}

}  // namespace

TEST(EditorProgram, StartsUntitledWithoutArgumentsWithTheTitleOnItsOneTaskbarButton) {
    const DWORD start = GetTickCount();
    EditorProcess editor(SW_SHOWNORMAL);
    ASSERT_TRUE(editor.WaitUntilReady());
    const DWORD startUp = GetTickCount() - start;
    const HWND app = editor.ApplicationWindow();
    const HWND main = editor.WaitForMainWindow();

    EXPECT_EQ(WindowText(main), UntitledCaption);
    EXPECT_EQ(WindowText(app), AppTitle);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(IsWindowVisible(app));
    EXPECT_FALSE(IsIconic(app));
    // Owned and without the app-window style, the main window has no taskbar button.
    EXPECT_EQ(GetWindow(main, GW_OWNER), app);
    EXPECT_FALSE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(editor.Handle(), &memory, sizeof memory);
    RecordProperty("startUpMilliseconds", static_cast<int>(startUp));
    RecordProperty("workingSetKiB", static_cast<int>(memory.WorkingSetSize / 1024));
    RecordProperty("privateKiB", static_cast<int>(memory.PagefileUsage / 1024));
    std::printf("start-up %lu ms, working set %zu KiB, private %zu KiB\n", startUp, memory.WorkingSetSize / 1024,
                memory.PagefileUsage / 1024);

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCodeAfter(editor, ExitWait), 0u);
}

TEST(EditorProgram, EveryCloseRouteOfAnUnchangedProjectEndsTheProcessWithCodeZero) {
    struct Route {
        const char* name;
        std::function<void(HWND app, HWND main)> close;
    };
    const Route routes[] = {
        {"close button", [](HWND, HWND main) { PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"WM_CLOSE", [](HWND, HWND main) { PostMessageA(main, WM_CLOSE, 0, 0); }},
        {"taskbar Close", [](HWND app, HWND) { PostMessageA(app, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Alt+F4",
         [](HWND, HWND main) {
             PostMessageA(main, WM_SYSKEYDOWN, VK_F4, 0x203E0001);
             PostMessageA(main, WM_SYSKEYUP, VK_F4, 0xE03E0001);
         }},
    };
    for (const Route& route : routes) {
        EditorProcess editor(SW_SHOWNORMAL);
        ASSERT_TRUE(editor.WaitUntilReady()) << route.name;
        route.close(editor.ApplicationWindow(), editor.WaitForMainWindow());
        EXPECT_EQ(ExitCodeAfter(editor, ExitWait), 0u) << route.name;
    }
}

TEST(EditorProgram, ACloseOfAChangedProjectAsksFirstAndCancelKeepsItRunning) {
    EditorProcess editor(SW_SHOWNORMAL);
    ASSERT_TRUE(editor.WaitUntilReady());
    const HWND main = editor.WaitForMainWindow();
    ChangeTheProject(main);

    PostMessageA(editor.ApplicationWindow(), WM_CLOSE, 0, 0);
    HWND prompt = WaitForDialog(editor.Id());
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(WindowText(prompt), AppTitle);
    PressDialogButton(prompt, IDCANCEL);
    EXPECT_EQ(ExitCodeAfter(editor, 500), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_TRUE(IsWindowVisible(main));

    PostMessageA(main, WM_CLOSE, 0, 0);
    prompt = WaitForDialog(editor.Id());
    ASSERT_NE(prompt, nullptr);
    PressDialogButton(prompt, IDNO);
    EXPECT_EQ(ExitCodeAfter(editor, ExitWait), 0u);
}

TEST(EditorProgram, StartsMaximizedOrAsItsTaskbarButtonAloneAsItsShowCommandSays) {
    {
        EditorProcess editor(SW_SHOWMAXIMIZED);
        ASSERT_TRUE(editor.WaitUntilReady());
        EXPECT_TRUE(IsZoomed(editor.WaitForMainWindow()));
    }
    EditorProcess editor(SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(editor.WaitUntilReady());
    const HWND app = editor.ApplicationWindow();
    const HWND main = editor.WaitForMainWindow();
    EXPECT_TRUE(IsIconic(app));
    EXPECT_FALSE(IsWindowVisible(main));
    SendFromOutside(app, WM_SYSCOMMAND, SC_RESTORE, 0);
    Sleep(200);
    EXPECT_FALSE(IsIconic(app));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(IsIconic(main));
    EXPECT_FALSE(IsZoomed(main));
}

TEST(EditorProgram, LogOffGoesAheadUnlessTheUserCancelsTheSaveQuestion) {
    // Unchanged: the query is answered yes, and the program ends when the log-off goes ahead.
    {
        EditorProcess editor(SW_SHOWNORMAL);
        ASSERT_TRUE(editor.WaitUntilReady());
        EXPECT_NE(SendFromOutside(editor.WaitForMainWindow(), WM_QUERYENDSESSION, 0, 0), 0);
        EXPECT_EQ(ExitCodeAfter(editor, 300), static_cast<DWORD>(STILL_ACTIVE));  // the query alone ends nothing
        SendFromOutside(editor.ApplicationWindow(), WM_ENDSESSION, TRUE, 0);
        EXPECT_EQ(ExitCodeAfter(editor, ExitWait), 0u);
    }
    // Changed: the save question shows; Cancel refuses the log-off, and the cancelled log-off
    // changes nothing.
    EditorProcess editor(SW_SHOWNORMAL);
    ASSERT_TRUE(editor.WaitUntilReady());
    ChangeTheProject(editor.WaitForMainWindow());
    std::atomic<LRESULT> answer{-1};
    TestThread windows([&] { answer = SendFromOutside(editor.WaitForMainWindow(), WM_QUERYENDSESSION, 0, 0); });
    const HWND prompt = WaitForDialog(editor.Id());
    if (prompt) {
        PressDialogButton(prompt, IDCANCEL);
    }
    windows.Join();
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(answer, 0);
    SendFromOutside(editor.ApplicationWindow(), WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(ExitCodeAfter(editor, 500), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_TRUE(IsWindowVisible(editor.WaitForMainWindow()));
}

TEST(EditorProgram, EndsWithCodeZeroWhenWineEndsTheSession) {
    // Wine's own log-off: the query to every top-level window, then the end of the session.
    if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) {
        GTEST_SKIP() << "only Wine's session can be ended from a test";
    }
    EditorProcess editor(SW_SHOWNORMAL);
    ASSERT_TRUE(editor.WaitUntilReady());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION wineboot{};
    char commandLine[] = "wineboot.exe --end-session";
    ASSERT_TRUE(
        CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &wineboot));
    WaitForSingleObject(wineboot.hProcess, 20000);
    DWORD winebootCode = STILL_ACTIVE;
    GetExitCodeProcess(wineboot.hProcess, &winebootCode);
    CloseHandle(wineboot.hThread);
    CloseHandle(wineboot.hProcess);
    EXPECT_EQ(winebootCode, 0u);
    EXPECT_EQ(ExitCodeAfter(editor, ExitWait), 0u);
}

TEST(EditorProgram, ASaveThatCannotBeWrittenShowsOneErrorBoxAndTheProgramGoesOn) {
    EditorProcess editor(SW_SHOWNORMAL);
    ASSERT_TRUE(editor.WaitUntilReady());
    const HWND main = editor.WaitForMainWindow();
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(MenuFileSave, 0), 0);
    const HWND saveDialog = WaitForDialog(editor.Id());
    ASSERT_NE(saveDialog, nullptr);
    ChooseFileName(saveDialog, UnwritablePath);

    const HWND box = NextDialog(editor, saveDialog);
    ASSERT_NE(box, nullptr);
    const ErrorBox seen = ReadAndCloseErrorBox(box);
    EXPECT_EQ(seen.text, UnwritablePath + " に書き込めません.");
    EXPECT_EQ(seen.caption, AppTitle);
    EXPECT_TRUE(seen.icon);
    EXPECT_TRUE(seen.okOnly);

    // One box only, then the window is usable and the next command runs as usual.
    Sleep(300);
    EXPECT_EQ(WaitForDialog(editor.Id(), 0), nullptr);
    EXPECT_TRUE(IsWindowEnabled(main));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCodeAfter(editor, ExitWait), 0u);
}

TEST(EditorProgram, ASaveThatFailsDuringALogOffShowsTheErrorAndRefusesTheLogOff) {
    EditorProcess editor(SW_SHOWNORMAL);
    ASSERT_TRUE(editor.WaitUntilReady());
    const HWND main = editor.WaitForMainWindow();
    ChangeTheProject(main);
    std::atomic<LRESULT> answer{-1};
    TestThread windows([&] { answer = SendFromOutside(main, WM_QUERYENDSESSION, 0, 0); });

    ErrorBox seen;
    const HWND prompt = WaitForDialog(editor.Id());
    if (prompt) {
        PressDialogButton(prompt, IDYES);
        if (const HWND saveDialog = NextDialog(editor, prompt)) {
            ChooseFileName(saveDialog, UnwritablePath);
            if (const HWND box = NextDialog(editor, saveDialog)) {
                seen = ReadAndCloseErrorBox(box);
            }
        }
    }
    windows.Join();
    EXPECT_EQ(seen.text, UnwritablePath + " に書き込めません.");
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(ExitCodeAfter(editor, 300), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_TRUE(IsWindowEnabled(main));
}

// Built with a manifest that asks for UTF-8, as every program runs where Windows is set to use
// UTF-8 for all, or for the code page of an English Windows: the editor says so, in both
// languages, and ends before it shows a window.
TEST(EditorProgram, RefusesToStartInACodePageOtherThanShiftJis) {
    for (const auto& [variant, codePage] : {std::pair{"Utf8", L"65001"}, std::pair{"English", L"1252"}}) {
        SCOPED_TRACE(variant);
        EditorProcess editor(TestEditorPath(variant), SW_SHOWNORMAL);
        const HWND box = WaitForDialog(editor.Id());
        ASSERT_NE(box, nullptr) << "no message box; exit code " << ExitCodeAfter(editor, 0);
        wchar_t text[1024] = L"";
        GetWindowTextW(GetDlgItem(box, 0xFFFF), text, 1024);
        const std::wstring said = text;
        EXPECT_NE(said.find(L"シフト JIS (コード ページ 932)"), std::wstring::npos);
        EXPECT_NE(said.find(L"Shift-JIS (code page 932)"), std::wstring::npos);
        EXPECT_NE(said.find(std::wstring(L"ANSI コード ページ ") + codePage), std::wstring::npos);
        EXPECT_NE(said.find(std::wstring(L"ANSI code page ") + codePage), std::wstring::npos);
        EXPECT_EQ(WindowText(box), AppTitle);
        EXPECT_TRUE(HasIcon(box));
        EXPECT_EQ(editor.ApplicationWindow(), nullptr);
        PressDialogButton(box, IDOK);
        EXPECT_EQ(ExitCodeAfter(editor, ExitWait), 2u);
    }
}
