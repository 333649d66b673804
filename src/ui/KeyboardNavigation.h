#pragma once

#include <windows.h>

#include "ui/PageControl.h"

// The keys a dialog box handles, for a window that is none: the menu's shortcuts wherever the
// focus is, Ctrl+Tab and Ctrl+Shift+Tab between pages, Tab and Shift+Tab between the controls of
// the visible page; and the focus kept while the window is inactive.
class TKeyboardNavigation {
public:
    TKeyboardNavigation(HWND window, TPageControl& pages, HACCEL accelerators);

    // For the message loop: true when the message was taken and must not be dispatched.
    bool PreTranslateMessage(MSG& message);

    // The window was activated or deactivated; the focus goes where it was.
    void OnActivate(bool active);
    void RestoreFocus();

private:
    bool MoveFocus(bool backwards);

    HWND window_;
    TPageControl& pages_;
    HACCEL accelerators_;
    HWND focus_;  // the control to give the focus back to on activation
};
