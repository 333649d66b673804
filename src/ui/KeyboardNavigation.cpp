#include "ui/KeyboardNavigation.h"

TKeyboardNavigation::TKeyboardNavigation(HWND window, TPageControl& pages, HACCEL accelerators)
    : window_(window), pages_(pages), accelerators_(accelerators), focus_(pages.Handle()) {}

bool TKeyboardNavigation::PreTranslateMessage(MSG& message) {
    if (!message.hwnd || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) {
        return false;
    }
    if (TranslateAcceleratorA(window_, accelerators_, &message)) {
        return true;
    }
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || GetKeyState(VK_MENU) < 0) {
        return false;
    }
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (GetKeyState(VK_CONTROL) < 0) {
        pages_.SelectNextPage(!shift);
        return true;
    }
    return MoveFocus(shift);
}

bool TKeyboardNavigation::MoveFocus(bool backwards) {
    HWND focus = GetFocus();
    if (focus && !IsChild(window_, focus)) {
        return false;
    }
    if (focus && (SendMessageA(focus, WM_GETDLGCODE, VK_TAB, 0) & (DLGC_WANTTAB | DLGC_WANTALLKEYS))) {
        return false;
    }
    const HWND next = GetNextDlgTabItem(window_, focus, backwards);
    if (!next) {
        return true;
    }
    // Entered from the keyboard, an edit offers its whole text for replacing.
    if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
        SendMessageA(next, EM_SETSEL, 0, -1);
    }
    SetFocus(next);
    return true;
}

void TKeyboardNavigation::OnActivate(bool active) {
    if (active) {
        RestoreFocus();
        return;
    }
    const HWND focus = GetFocus();
    if (focus && IsChild(window_, focus)) {
        focus_ = focus;
    }
}

void TKeyboardNavigation::RestoreFocus() {
    const bool usable =
        focus_ && IsWindow(focus_) && IsChild(window_, focus_) && IsWindowVisible(focus_) && IsWindowEnabled(focus_);
    SetFocus(usable ? focus_ : pages_.Handle());
}
