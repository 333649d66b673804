#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "win32/TestThread.h"

// Operates the program's next modal dialog or message box from a second thread, the way a
// person would: it waits for an enabled, visible "#32770" window of this process, then does
// the action with it. The modal call on the test's own thread runs meanwhile.
class DialogDriver {
public:
    using Action = std::function<void(HWND dialog)>;

    explicit DialogDriver(Action action, DWORD timeoutMilliseconds = 15000);
    ~DialogDriver();  // waits for the action to finish, within a time limit
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Whether a dialog turned up and the action ran on it.
    bool Acted() const { return acted_; }

private:
    std::atomic<bool> acted_{false};
    std::unique_ptr<TestThread> thread_;
};

// The enabled, visible dialog of this process that is in front, or null.
HWND FindModalDialog();

// Whether a test expects dialog: a driver is waiting for the next dialog, or took this one.
bool DialogExpected(HWND dialog);

// Actions.
void PressDialogButton(HWND dialog, int id);                    // IDOK, IDCANCEL, IDYES, IDNO...
void ChooseFileName(HWND dialog, const std::string& fileName);  // types the name into a file dialog and confirms it
void ChooseFileName(HWND dialog, const std::wstring& fileName);
std::string DialogItemText(HWND dialog, int id);  // e.g. 0xFFFF: a message box's text
std::string WindowText(HWND window);
bool HasIcon(HWND messageBox);  // a message box shows an icon

// What a file dialog shows: the entries of its file-type list, in order; whether it shows the
// read-only box; whether its frame can be resized.
std::vector<std::string> FileTypes(HWND fileDialog);
bool ShowsReadOnlyBox(HWND fileDialog);
bool IsResizable(HWND dialog);

// Where the program's dialogs open: centred across the work area of the active window's
// monitor and a third of the way down. Whether dialog, shown, stands there.
bool StandsWhereDialogsOpen(HWND dialog, HWND activeWindow, std::string& where);
