#include "platform/dialogs/ModalFrame.h"

#include <new>

#include "platform/dialogs/DialogPlacementHook.h"

namespace {

HWND modalOwner = nullptr;

struct Collection {
    std::vector<HWND>& windows;
    bool complete;
};

// Called by the system: memory running out stops the walk here instead of unwinding through it.
BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM parameter) {
    auto& collection = *reinterpret_cast<Collection*>(parameter);
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        try {
            collection.windows.push_back(window);
        } catch (...) {
            collection.complete = false;
            return FALSE;
        }
    }
    return TRUE;
}

}  // namespace

TModalFrame::TModalFrame() : active_(GetActiveWindow()) {
    Collection collection{disabled_, true};
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&collection));
    if (!collection.complete) {
        throw std::bad_alloc();
    }
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

int ModalMessageBox(const std::wstring& text, const std::wstring& caption, unsigned flags) {
    TModalFrame frame;
    const TPlaceNextDialog placement(frame.PreviouslyActive());
    return MessageBoxW(ModalOwner(), text.c_str(), caption.c_str(), flags);
}

void SetModalOwner(HWND owner) {
    modalOwner = owner;
}

HWND ModalOwner() {
    return modalOwner;
}
