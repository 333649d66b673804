#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "ui/ApplicationHost.h"
#include "ui/WindowProcedure.h"

// Stands in for the main window in tests of the application object: an ordinary top-level
// window owned by the application window, which records the messages the application sends
// it and reacts to a close and to minimizing as the main window does.
class StandInMainWindow {
public:
    StandInMainWindow(HINSTANCE instance, ApplicationHost& host);
    ~StandInMainWindow();
    StandInMainWindow(const StandInMainWindow&) = delete;
    StandInMainWindow& operator=(const StandInMainWindow&) = delete;

    HWND Handle() const { return handle_; }

    // What a close does; by default it ends the loop, as an allowed close of the main window.
    std::function<void()> OnClose;
    // Runs for every message in WM_APP..WM_APP+99 that reaches the window.
    std::function<void(UINT message)> OnAppMessage;

    int Closes = 0;
    int CancelModes = 0;
    std::vector<UINT> AppMessages;

private:
    ZUB_OWNED_WINDOW_PROCEDURE_FRIEND;
    void ReportHandlerError(const std::exception& error);
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    ApplicationHost& host_;
    HINSTANCE instance_;
    HWND handle_ = nullptr;
};

// Handles the messages of the thread's queue for about as long as asked.
void PumpMessagesFor(DWORD milliseconds);
