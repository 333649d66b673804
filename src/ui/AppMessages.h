#pragma once

#include <windows.h>

#include <array>

// The program's own window messages, each numbered here and nowhere else, so that no two share a
// number unseen.

// To the application window: activation is passed on only after the activating message has run
// its course; changing the active window from inside WM_ACTIVATE would nest one activation
// inside another.
inline constexpr UINT PassActivationOn = WM_APP;

// To the main window: FormCreate runs as a message of the window, so that its errors take the
// one road of every handler's errors.
inline constexpr UINT WM_FORMCREATE = WM_APP + 0x301;

// To a child from its container: containers ask a child for its colours before answering
// WM_CTLCOLOR* themselves; the child gets the device context as wParam and answers a brush, or 0
// for the container's defaults.
inline constexpr UINT WM_REFLECTED_CTLCOLOR = WM_APP + 0x302;

// To the main window, posted when the program comes to the front: the project file is looked at
// once the activation is over, never inside it.
inline constexpr UINT WM_LOOKATFILE = WM_APP + 0x303;

// To a top-level window from a control's window procedure, with an error that escaped the
// handling of a message (lParam: the const std::exception*). The owner of the top-level window
// shows it; the answer is nonzero when one did.
inline constexpr UINT WM_HANDLER_ERROR = WM_APP + 0x3FF;

namespace app_messages {

inline constexpr std::array<UINT, 5> All = {PassActivationOn, WM_FORMCREATE, WM_REFLECTED_CTLCOLOR, WM_LOOKATFILE,
                                            WM_HANDLER_ERROR};

constexpr bool Distinct() {
    for (std::size_t i = 0; i < All.size(); ++i) {
        for (std::size_t j = i + 1; j < All.size(); ++j) {
            if (All[i] == All[j]) {
                return false;
            }
        }
    }
    return true;
}
static_assert(Distinct(), "two of the program's messages share a number");

}  // namespace app_messages
