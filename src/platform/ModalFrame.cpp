#include "platform/ModalFrame.h"

#include "platform/DialogPlacementHook.h"
#include "platform/ModalOwner.h"

namespace {

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

}  // namespace

TModalFrame::TModalFrame() : active_(GetActiveWindow()) {
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled_));
    for (const HWND window : disabled_) {
        EnableWindow(window, FALSE);
    }
}

TModalFrame::~TModalFrame() {
    for (const HWND window : disabled_) {
        if (IsWindow(window)) {
            EnableWindow(window, TRUE);
        }
    }
    if (active_ && IsWindow(active_)) {
        SetActiveWindow(active_);
    }
}

int ModalMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    TModalFrame frame;
    // Placed as the file dialogs are: its owner, the application window, is nowhere in sight.
    const TPlaceNextDialog placement(frame.PreviouslyActive());
    return MessageBoxA(ModalOwner(), text.c_str(), caption.c_str(), flags);
}
