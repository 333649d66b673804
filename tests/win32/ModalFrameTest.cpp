#include <windows.h>

#include <gtest/gtest.h>

#include "platform/dialogs/ModalFrame.h"
#include "win32/DialogDriver.h"

namespace {

// A visible top-level window of the test's thread, standing in for the main window.
struct TopLevelWindow {
    HWND handle = CreateWindowExA(0,
                                  "STATIC",
                                  "main",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  10,
                                  10,
                                  200,
                                  100,
                                  nullptr,
                                  nullptr,
                                  nullptr,
                                  nullptr);
    ~TopLevelWindow() { DestroyWindow(handle); }
};

}  // namespace

TEST(ModalMessageBox, DisablesTheProgramsWindowsWhileOpenAndAnswersTheButton) {
    TopLevelWindow main;
    SetActiveWindow(main.handle);
    bool disabledWhileOpen = true;
    std::string text;
    std::string caption;
    bool icon = false;
    int answer = 0;
    {
        DialogDriver driver([&](HWND box) {
            disabledWhileOpen = !IsWindowEnabled(main.handle);
            text = DialogItemText(box, 0xFFFF);
            caption = WindowText(box);
            icon = HasIcon(box);
            PressDialogButton(box, IDNO);
        });
        answer = ModalMessageBox("本文", "ZUB Runtime Editor", MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    }
    EXPECT_EQ(answer, IDNO);
    EXPECT_TRUE(disabledWhileOpen);
    EXPECT_EQ(text, "本文");
    EXPECT_EQ(caption, "ZUB Runtime Editor");
    EXPECT_TRUE(icon);
    EXPECT_TRUE(IsWindowEnabled(main.handle));
    EXPECT_EQ(GetActiveWindow(), main.handle);
}

TEST(ModalMessageBox, OpensWhereTheFileDialogsOpenOnTheActiveWindowsMonitor) {
    TopLevelWindow main;
    SetActiveWindow(main.handle);
    bool placed = false;
    std::string where;
    {
        DialogDriver driver([&](HWND box) {
            placed = StandsWhereDialogsOpen(box, main.handle, where);
            PressDialogButton(box, IDOK);
        });
        ModalMessageBox("場所", "ZUB Runtime Editor", MB_OK | MB_ICONERROR);
        EXPECT_TRUE(driver.Acted());
    }
    EXPECT_TRUE(placed) << where;
}

TEST(TModalFrame, ReenablesOnlyWhatItDisabledAlsoWhenLeftByAnError) {
    TopLevelWindow enabled;
    TopLevelWindow alreadyDisabled;
    EnableWindow(alreadyDisabled.handle, FALSE);
    try {
        TModalFrame frame;
        EXPECT_FALSE(IsWindowEnabled(enabled.handle));
        throw std::runtime_error("failed inside");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(IsWindowEnabled(enabled.handle));
    EXPECT_FALSE(IsWindowEnabled(alreadyDisabled.handle));
}
