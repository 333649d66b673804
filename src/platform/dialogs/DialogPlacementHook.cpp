#include "platform/dialogs/DialogPlacementHook.h"

#include <cstring>

#include "platform/dialogs/Placement.h"

namespace {

// The placement whose hook is the thread's innermost; hooks are per thread, and so is this.
thread_local TPlaceNextDialog* current = nullptr;

}  // namespace

void PlaceDialog(HWND dialog, HWND activeWindow) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    const HMONITOR handle = MonitorFromWindow(activeWindow ? activeWindow : dialog, MONITOR_DEFAULTTONEAREST);
    RECT bounds{};
    if (!GetMonitorInfoA(handle, &monitor) || !GetWindowRect(dialog, &bounds)) {
        return;
    }
    const RECT& work = monitor.rcWork;
    const Origin origin = PlaceOnWorkArea({work.left, work.top, work.right, work.bottom}, bounds.right - bounds.left,
                                          bounds.bottom - bounds.top);
    SetWindowPos(dialog, nullptr, origin.Left, origin.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TPlaceNextDialog::TPlaceNextDialog(HWND activeWindow)
    : activeWindow_(activeWindow),
      outer_(current),
      hook_(SetWindowsHookExA(WH_CBT, &TPlaceNextDialog::OnActivation, nullptr, GetCurrentThreadId())) {
    current = this;
}

TPlaceNextDialog::~TPlaceNextDialog() {
    current = outer_;
}

LRESULT CALLBACK TPlaceNextDialog::OnActivation(int code, WPARAM wParam, LPARAM lParam) {
    TPlaceNextDialog* self = current;
    if (code == HCBT_ACTIVATE && self && !self->placed_) {
        const auto window = reinterpret_cast<HWND>(wParam);
        char className[8] = "";
        // Activated once its own placement is done, and only then with its final size.
        if (GetClassNameA(window, className, sizeof className) && std::strcmp(className, "#32770") == 0) {
            self->placed_ = true;
            PlaceDialog(window, self->activeWindow_);
        }
    }
    return CallNextHookEx(self ? self->hook_.get() : nullptr, code, wParam, lParam);
}
