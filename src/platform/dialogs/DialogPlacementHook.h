#pragma once

#include <windows.h>

#include "platform/UniqueHandle.h"

// Moves a dialog window to its place on the monitor of activeWindow, or on its own monitor
// when there is no active window.
void PlaceDialog(HWND dialog, HWND activeWindow);

// For one scope, places the next dialog window ("#32770") that the thread activates, such as a
// message box, which places itself and offers no hook of its own.
class TPlaceNextDialog {
public:
    explicit TPlaceNextDialog(HWND activeWindow);
    ~TPlaceNextDialog();
    TPlaceNextDialog(const TPlaceNextDialog&) = delete;
    TPlaceNextDialog& operator=(const TPlaceNextDialog&) = delete;

private:
    static LRESULT CALLBACK OnActivation(int code, WPARAM wParam, LPARAM lParam);

    HWND activeWindow_;
    bool placed_ = false;
    TPlaceNextDialog* outer_;
    UniqueHook hook_;
};
