#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>

#include "main/Application.h"
#include "main/Program.h"
#include "platform/Exception.h"
#include "platform/dialogs/ModalFrame.h"
#include "ui/Dpi.h"
#include "win32/DialogDriver.h"
#include "win32/StandInMainWindow.h"
#include "win32/TestThread.h"

namespace {

const std::string AppTitle = "ZUB Runtime Editor";

HINSTANCE Self() {
    return GetModuleHandleA(nullptr);
}

// An application object with the stand-in as its main window, as the program entry makes it.
struct Program {
    TApplication application{Self()};
    std::unique_ptr<StandInMainWindow> main;

    Program() {
        application.SetTitle(AppTitle);
        application.CreateMainWindow(main);
    }
    HWND App() const { return application.Handle(); }
    HWND Main() const { return main->Handle(); }
};

SIZE WindowSize(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

HICON WindowIcon(HWND window, WPARAM kind) {
    return reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, kind, 0));
}

HICON ClassIcon(HWND window, int index) {
    return reinterpret_cast<HICON>(GetClassLongPtrA(window, index));
}

// The width of a live icon's colour image; 0 for a destroyed one.
int IconSide(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP colour{};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return colour.bmWidth;
}

bool ButtonShown(HWND box, int id) {
    const HWND button = GetDlgItem(box, id);
    return button && IsWindowVisible(button);
}

// What the user saw in an error box, read while it was open.
struct SeenBox {
    std::string text;
    std::string caption;
    HWND owner = nullptr;
    HICON icon = nullptr;
    bool okOnly = false;
    bool mainDisabled = false;
};

DialogDriver ReadBoxThenPressOk(SeenBox& seen, HWND main) {
    return DialogDriver([&seen, main](HWND box) {
        seen.text = DialogItemText(box, 0xFFFF);
        seen.caption = WindowText(box);
        seen.owner = GetWindow(box, GW_OWNER);
        seen.icon = reinterpret_cast<HICON>(SendDlgItemMessageA(box, 0x440, STM_GETICON, 0, 0));
        seen.okOnly = ButtonShown(box, IDOK) && !ButtonShown(box, IDCANCEL) && !ButtonShown(box, IDYES) &&
                      !ButtonShown(box, IDNO);
        seen.mainDisabled = !IsWindowEnabled(main);
        PressDialogButton(box, IDOK);
    });
}

}  // namespace

TEST(TApplication, ApplicationWindowIsAHiddenZeroSizeOwnerOfTheProgramsWindows) {
    HWND app = nullptr;
    {
        Program program;
        app = program.App();
        EXPECT_FALSE(IsWindowVisible(app));
        EXPECT_EQ(GetWindow(app, GW_OWNER), nullptr);
        EXPECT_EQ(WindowSize(app).cx, 0);
        EXPECT_EQ(WindowSize(app).cy, 0);
        EXPECT_EQ(ModalOwner(), app);
        EXPECT_EQ(GetWindow(program.Main(), GW_OWNER), app);

        // Both windows show the application icon at the sizes their density asks for.
        const IconSizes sizes = IconSizesFor(WindowDpi(app));
        EXPECT_EQ(IconSide(WindowIcon(app, ICON_BIG)), sizes.Big);
        EXPECT_EQ(IconSide(WindowIcon(app, ICON_SMALL)), sizes.Small);
        EXPECT_EQ(IconSide(ClassIcon(app, GCLP_HICON)), sizes.Big);
        EXPECT_EQ(IconSide(ClassIcon(app, GCLP_HICONSM)), sizes.Small);
        EXPECT_EQ(IconSide(WindowIcon(program.Main(), ICON_SMALL)), sizes.Small);
        EXPECT_EQ(IconSide(WindowIcon(program.Main(), ICON_BIG)), sizes.Big);
    }
    EXPECT_FALSE(IsWindow(app));
    EXPECT_EQ(ModalOwner(), nullptr);
}

TEST(TApplication, IconsFollowTheDensityOfEachWindowAndTheReplacedOnesAreDestroyed) {
    Program program;
    // The sizes Windows asks for at 125, 150, 200 and 100 %, whatever the system's own density.
    const struct {
        int Dpi;
        IconSizes Sizes;
    } densities[] = {{120, {20, 40}}, {144, {24, 48}}, {192, {32, 64}}, {96, {16, 32}}};
    for (const auto& [dpi, sizes] : densities) {
        SCOPED_TRACE(dpi);
        const HICON appSmall = WindowIcon(program.App(), ICON_SMALL);
        const HICON appBig = WindowIcon(program.App(), ICON_BIG);
        const HICON mainSmall = WindowIcon(program.Main(), ICON_SMALL);
        const HICON mainBig = WindowIcon(program.Main(), ICON_BIG);
        RECT unchanged{};
        GetWindowRect(program.App(), &unchanged);
        SendMessageA(program.App(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&unchanged));
        program.application.ShowApplicationIcon(program.Main(), dpi);

        EXPECT_EQ(IconSide(WindowIcon(program.App(), ICON_BIG)), sizes.Big);
        EXPECT_EQ(IconSide(WindowIcon(program.App(), ICON_SMALL)), sizes.Small);
        EXPECT_EQ(IconSide(ClassIcon(program.App(), GCLP_HICON)), sizes.Big);
        EXPECT_EQ(IconSide(ClassIcon(program.App(), GCLP_HICONSM)), sizes.Small);
        EXPECT_EQ(IconSide(WindowIcon(program.Main(), ICON_SMALL)), sizes.Small);
        EXPECT_EQ(IconSide(WindowIcon(program.Main(), ICON_BIG)), sizes.Big);
        for (const HICON replaced : {appSmall, appBig, mainSmall, mainBig}) {
            EXPECT_EQ(IconSide(replaced), 0) << "a replaced icon was left alive";
        }
    }
    EXPECT_EQ(WindowSize(program.App()).cx, 0) << "the application window moved to the suggested place";
}

TEST(TApplication, TitleIsTheApplicationWindowsCaptionReadBack) {
    TApplication application(Self());
    EXPECT_EQ(application.Title(), "");
    for (const std::string& title : {AppTitle, std::string("無題.zrt - 表示"), std::string(600, 'x') + "ソ"}) {
        application.SetTitle(title);
        EXPECT_EQ(application.Title(), title);
        EXPECT_EQ(WindowText(application.Handle()), title);
    }
    // Whoever changes the caption changes the title.
    SetWindowTextA(application.Handle(), "直接");
    EXPECT_EQ(application.Title(), "直接");
}

TEST(ReportError, ShowsTheMessageAndAPeriodUnderTheTitleWithTheErrorIconAndOneOkButton) {
    Program program;
    program.application.ShowMainWindow(SW_SHOWNORMAL);
    SeenBox seen;
    {
        auto driver = ReadBoxThenPressOk(seen, program.Main());
        program.application.ReportError(EIniFileException("C:\\無い\\a.zrt に書き込めません"));
        EXPECT_TRUE(driver.Acted());
    }
    EXPECT_EQ(seen.text, "C:\\無い\\a.zrt に書き込めません.");
    EXPECT_EQ(seen.caption, AppTitle);
    EXPECT_EQ(seen.owner, program.App());
    EXPECT_EQ(seen.icon, LoadIconA(nullptr, IDI_ERROR));
    EXPECT_TRUE(seen.okOnly);
    EXPECT_TRUE(seen.mainDisabled);
    // Afterwards the program goes on where it was.
    EXPECT_TRUE(IsWindowEnabled(program.Main()));
    EXPECT_EQ(GetActiveWindow(), program.Main());
}

TEST(ReportError, ReadsTheTitleAtThatMomentAndKeepsAMessagesOwnEnding) {
    Program program;
    program.application.ShowMainWindow(SW_SHOWNORMAL);
    program.application.SetTitle("別の題");
    for (const std::string message : {"Stopped.", "", "二行目\r\n"}) {
        SeenBox seen;
        {
            auto driver = ReadBoxThenPressOk(seen, program.Main());
            program.application.ReportError(Exception(message));
        }
        EXPECT_EQ(seen.text, message);
        EXPECT_EQ(seen.caption, "別の題");
    }
}

TEST(ReportError, EndsAMouseCaptureBeforeTheBoxOpens) {
    Program program;
    // Kept hidden, so that the modal frame leaves it enabled: disabling a window sends it
    // WM_CANCELMODE as well.
    SetCapture(program.Main());
    int cancelModesWhenOpen = -1;
    {
        DialogDriver driver([&](HWND box) {
            cancelModesWhenOpen = program.main->CancelModes;
            PressDialogButton(box, IDOK);
        });
        program.application.ReportError(Exception("x"));
    }
    EXPECT_EQ(cancelModesWhenOpen, 1);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(TApplicationRun, DispatchesUntilTheQuitMessageAndLetsTheKeyboardFilterTakeMessages) {
    Program program;
    int filtered = 0;
    PostMessageA(program.Main(), WM_APP + 1, 0, 0);
    PostMessageA(program.Main(), WM_APP + 2, 0, 0);
    PostMessageA(program.Main(), WM_APP + 3, 0, 0);
    program.main->OnAppMessage = [&](UINT message) {
        if (message == WM_APP + 3) {
            program.application.Terminate();
        }
    };
    program.application.Run([&](MSG& message) {
        ++filtered;
        return message.message == WM_APP + 2;
    });
    EXPECT_EQ(program.main->AppMessages, (std::vector<UINT>{WM_APP + 1, WM_APP + 3}));
    EXPECT_GE(filtered, 3);
    // The quit message was taken by the loop, not left for anyone else.
    MSG left;
    EXPECT_FALSE(PeekMessageA(&left, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(TApplicationRun, AnErrorInAPassIsShownAndTheLoopGoesOn) {
    Program program;
    program.application.ShowMainWindow(SW_SHOWNORMAL);
    program.main->OnAppMessage = [&](UINT) { program.application.Terminate(); };
    PostMessageA(program.Main(), WM_APP + 1, 0, 0);
    SeenBox seen;
    {
        // The next message is posted only once the box is closed: the box's own loop would
        // handle it, and the quit message would close the box.
        DialogDriver driver([&seen, main = program.Main()](HWND box) {
            seen.text = DialogItemText(box, 0xFFFF);
            seen.caption = WindowText(box);
            PressDialogButton(box, IDOK);
            while (IsWindow(box)) {
                Sleep(10);
            }
            PostMessageA(main, WM_APP + 2, 0, 0);
        });
        program.application.Run([](MSG& message) {
            if (message.message == WM_APP + 1) {
                throw Exception("キー処理で失敗");
            }
            return false;
        });
    }
    EXPECT_EQ(seen.text, "キー処理で失敗.");
    EXPECT_EQ(seen.caption, AppTitle);
    // The message whose handling failed is dropped; the next one runs and ends the loop.
    EXPECT_EQ(program.main->AppMessages, (std::vector<UINT>{WM_APP + 2}));
}

TEST(TApplicationRun, WaitsForMessagesWithoutUsingTheProcessor) {
    Program program;
    program.main->OnAppMessage = [&](UINT) { program.application.Terminate(); };
    const HWND main = program.Main();
    TestThread later([main] {
        Sleep(1000);
        PostMessageA(main, WM_APP, 0, 0);
    });
    FILETIME created, exited, kernelBefore, userBefore, kernelAfter, userAfter;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernelBefore, &userBefore);
    const DWORD start = GetTickCount();
    program.application.Run();
    const DWORD elapsed = GetTickCount() - start;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernelAfter, &userAfter);
    later.Join();

    const auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    const unsigned long long busyMs =
        (ticks(kernelAfter) - ticks(kernelBefore) + ticks(userAfter) - ticks(userBefore)) / 10000;
    RecordProperty("busyMilliseconds", static_cast<int>(busyMs));
    EXPECT_GE(elapsed, 900u);
    EXPECT_LT(busyMs, 100u) << "the loop used " << busyMs << " ms of processor time in " << elapsed << " ms";
}

TEST(TApplicationRun, EndsWhenALogOffGoesAheadButNotWhenItIsCancelled) {
    Program program;
    program.main->OnAppMessage = [&](UINT) { program.application.Terminate(); };
    const HWND app = program.App();
    const HWND main = program.Main();
    std::atomic<bool> running{true};
    bool runningAfterCancel = false;
    // Windows sends these from outside the program's thread, while its loop waits; each
    // within a time limit, since a loop that has ended answers nothing.
    const auto sendFromOutside = [app](WPARAM goesAhead) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(app, WM_ENDSESSION, goesAhead, 0, SMTO_NORMAL, 3000, &ignored);
    };
    TestThread windows([&] {
        Sleep(200);
        sendFromOutside(FALSE);
        Sleep(300);
        runningAfterCancel = running;
        sendFromOutside(TRUE);
        // Should the loop miss that, end it anyway, so that the test fails instead of hanging.
        for (int i = 0; i < 50 && running; ++i) {
            Sleep(100);
        }
        if (running) {
            PostMessageA(main, WM_APP, 0, 0);
        }
    });
    const DWORD start = GetTickCount();
    program.application.Run();
    const DWORD elapsed = GetTickCount() - start;
    running = false;
    windows.Join();

    EXPECT_TRUE(runningAfterCancel);
    EXPECT_LT(elapsed, 3000u);
    EXPECT_TRUE(program.main->AppMessages.empty());
    EXPECT_EQ(program.main->Closes, 0);  // no second close query
}

TEST(TApplication, TaskbarCloseIsPassedOnAsACloseOfTheMainWindow) {
    Program program;
    program.main->OnClose = nullptr;  // a close that the close query refuses
    program.application.ShowMainWindow(SW_SHOWNORMAL);
    SendMessageA(program.App(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program.main->Closes, 1);
    PostMessageA(program.App(), WM_CLOSE, 0, 0);
    PumpMessagesFor(100);
    EXPECT_EQ(program.main->Closes, 2);
    EXPECT_TRUE(IsWindow(program.App()));
    EXPECT_TRUE(IsWindowVisible(program.Main()));
}

TEST(ShowMainWindow, AnyOtherShowCommandShowsBothWindowsNormally) {
    for (const int command : {SW_SHOWNORMAL, SW_SHOWDEFAULT, SW_SHOW, SW_HIDE, SW_MINIMIZE, SW_SHOWMINIMIZED}) {
        Program program;
        program.application.ShowMainWindow(command);
        EXPECT_TRUE(IsWindowVisible(program.Main())) << command;
        EXPECT_FALSE(IsIconic(program.Main())) << command;
        EXPECT_FALSE(IsZoomed(program.Main())) << command;
        EXPECT_EQ(GetActiveWindow(), program.Main()) << command;
        // The application window's taskbar button, still at zero size.
        EXPECT_TRUE(IsWindowVisible(program.App())) << command;
        EXPECT_FALSE(IsIconic(program.App())) << command;
        EXPECT_EQ(WindowSize(program.App()).cx, 0) << command;
    }
}

TEST(ShowMainWindow, MaximizedOpensTheMainWindowMaximizedWithoutAMaximizeButton) {
    Program program;
    ASSERT_FALSE(GetWindowLongA(program.Main(), GWL_STYLE) & WS_MAXIMIZEBOX);
    program.application.ShowMainWindow(SW_SHOWMAXIMIZED);
    EXPECT_TRUE(IsZoomed(program.Main()));
    EXPECT_TRUE(IsWindowVisible(program.App()));
}

TEST(ShowMainWindow, MinimizedWithoutActivationShowsOnlyTheButtonUntilItIsRestored) {
    for (const bool bySystemCommand : {true, false}) {
        Program program;
        program.application.ShowMainWindow(SW_SHOWMINNOACTIVE);
        EXPECT_TRUE(IsWindowVisible(program.App()));
        EXPECT_TRUE(IsIconic(program.App()));
        EXPECT_FALSE(IsWindowVisible(program.Main()));
        EXPECT_NE(GetActiveWindow(), program.Main());

        if (bySystemCommand) {
            SendMessageA(program.App(), WM_SYSCOMMAND, SC_RESTORE, 0);
        } else {
            ShowWindow(program.App(), SW_RESTORE);
        }
        PumpMessagesFor(50);
        EXPECT_FALSE(IsIconic(program.App())) << bySystemCommand;
        EXPECT_TRUE(IsWindowVisible(program.Main())) << bySystemCommand;
        EXPECT_FALSE(IsIconic(program.Main())) << bySystemCommand;
        EXPECT_FALSE(IsZoomed(program.Main())) << bySystemCommand;
        EXPECT_EQ(GetActiveWindow(), program.Main()) << bySystemCommand;
    }
}

TEST(Minimize, TheMainWindowHidesBehindTheTaskbarButtonAndComesBackAsItWas) {
    for (const int shown : {SW_SHOWNORMAL, SW_SHOWMAXIMIZED}) {
        Program program;
        program.application.ShowMainWindow(shown);
        RECT before{};
        GetWindowRect(program.Main(), &before);

        SendMessageA(program.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        EXPECT_TRUE(IsIconic(program.App())) << shown;
        EXPECT_FALSE(IsWindowVisible(program.Main())) << shown;

        SendMessageA(program.App(), WM_SYSCOMMAND, SC_RESTORE, 0);
        PumpMessagesFor(50);
        EXPECT_TRUE(IsWindowVisible(program.Main())) << shown;
        EXPECT_EQ(IsZoomed(program.Main()) != FALSE, shown == SW_SHOWMAXIMIZED);
        RECT after{};
        GetWindowRect(program.Main(), &after);
        // Wine without a window manager may give a maximized window that was hidden a new
        // size while it keeps it maximized, so the bounds are compared for the normal state.
        if (shown == SW_SHOWNORMAL) {
            EXPECT_TRUE(EqualRect(&before, &after));
        }
        EXPECT_EQ(GetActiveWindow(), program.Main()) << shown;
    }
}

TEST(Minimize, TheTaskbarButtonMinimizesTheProgramToo) {
    Program program;
    program.application.ShowMainWindow(SW_SHOWNORMAL);
    SendMessageA(program.App(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(program.App()));
    EXPECT_FALSE(IsWindowVisible(program.Main()));
}

TEST(TApplication, ActivatingTheTaskbarButtonActivatesTheMainWindow) {
    Program program;
    program.application.ShowMainWindow(SW_SHOWNORMAL);
    SetActiveWindow(program.App());
    PumpMessagesFor(50);
    EXPECT_EQ(GetActiveWindow(), program.Main());
}

namespace {

// A main window that cannot be made, as when its menu cannot be created.
class MainWindowWithoutMenu {
public:
    MainWindowWithoutMenu(HINSTANCE, ApplicationHost&) { throw Exception("メニューを作成できません"); }
    HWND Handle() const { return nullptr; }
    bool PreTranslateMessage(MSG&) { return false; }
};

}  // namespace

TEST(RunProgram, AStartThatFailsIsShownAsEveryErrorAndEndsWithANonZeroCode) {
    SeenBox seen;
    int exitCode = 0;
    {
        DialogDriver driver = ReadBoxThenPressOk(seen, nullptr);
        exitCode = RunProgram<MainWindowWithoutMenu>(Self());
        EXPECT_TRUE(driver.Acted());
    }
    EXPECT_EQ(exitCode, StartupFailedExitCode);
    EXPECT_EQ(seen.text, "メニューを作成できません.");
    EXPECT_EQ(seen.caption, AppTitle);
    EXPECT_EQ(seen.icon, LoadIconA(nullptr, IDI_ERROR));
    EXPECT_TRUE(seen.okOnly);
    EXPECT_NE(seen.owner, nullptr) << "owned by the application window";
    EXPECT_EQ(ModalOwner(), nullptr) << "the application object is gone";
}

TEST(RunProgram, WithoutEvenTheApplicationWindowTheErrorStillShowsOwnedByNoWindow) {
    // Its window class taken already, as by a clash of names.
    WNDCLASSEXA clash{};
    clash.cbSize = sizeof clash;
    clash.lpfnWndProc = DefWindowProcA;
    clash.hInstance = Self();
    clash.lpszClassName = "ZubRuntimeEditorApplication";
    ASSERT_TRUE(RegisterClassExA(&clash));
    SeenBox seen;
    int exitCode = 0;
    {
        DialogDriver driver = ReadBoxThenPressOk(seen, nullptr);
        exitCode = RunProgram<MainWindowWithoutMenu>(Self());
    }
    UnregisterClassA(clash.lpszClassName, Self());
    EXPECT_EQ(exitCode, StartupFailedExitCode);
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    const std::string clashText = LastWin32Error().Message().Rough();
    EXPECT_EQ(seen.text.substr(0, clashText.size()), clashText) << "the system's own words for the clash";
    EXPECT_EQ(seen.caption, AppTitle);
    EXPECT_TRUE(seen.okOnly);
    EXPECT_EQ(seen.owner, nullptr);
}
