#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

// Operates the program's next modal dialog or message box from a second thread, the way a
// person would: it waits for an enabled, visible "#32770" window of this process, then does
// the action with it. The modal call on the test's own thread runs meanwhile.
class DialogDriver {
public:
    using Action = std::function<void(HWND dialog)>;

    explicit DialogDriver(Action action, DWORD timeoutMilliseconds = 15000);
    ~DialogDriver();  // waits for the action to finish
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Whether a dialog turned up and the action ran on it.
    bool Acted() const { return acted_; }

private:
    std::atomic<bool> acted_{false};
    std::thread thread_;
};

// The enabled, visible dialog of this process that is in front, or null.
HWND FindModalDialog();

// Actions.
void PressDialogButton(HWND dialog, int id);                      // IDOK, IDCANCEL, IDYES, IDNO...
void ChooseFileName(HWND dialog, const std::string& fileName);    // types the name into a file dialog and confirms it
std::string DialogItemText(HWND dialog, int id);                  // e.g. 0xFFFF: a message box's text
std::string WindowText(HWND window);
bool HasIcon(HWND messageBox);                                    // a message box shows an icon
