#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The window that owns every dialog and message box of the program: the application's own
// window. Set once by the application object.
void SetModalOwner(HWND owner);
HWND ModalOwner();

// Keeps the user out of the program's other windows while a dialog or message box is open:
// disables every visible, enabled top-level window of the thread and, when it ends, enables
// those that still exist and activates the window that was active before.
class TModalFrame {
public:
    TModalFrame();
    ~TModalFrame();
    TModalFrame(const TModalFrame&) = delete;
    TModalFrame& operator=(const TModalFrame&) = delete;

    HWND PreviouslyActive() const { return active_; }

private:
    HWND active_;
    std::vector<HWND> disabled_;
};

// MessageBoxA inside the modal frame, owned by the modal owner; answers the button pressed.
int ModalMessageBox(const std::string& text, const std::string& caption, unsigned flags);
// The same with UTF-16 texts, for a message that names what the ANSI code page cannot show.
int ModalMessageBox(const std::wstring& text, const std::wstring& caption, unsigned flags);
