#pragma once

#include <windows.h>

#include <exception>
#include <utility>

#include "platform/Exception.h"
#include "ui/AppMessages.h"
#include "ui/Texts.h"

// Runs handle(), the handling of one message that the system passed to a window procedure.
// An error that escapes it goes to report(const std::exception&) and stops here: nothing, not
// even an error of report itself, unwinds through the system's frames that called the
// procedure. Answers handle()'s result, or 0 after an error.
template <typename Handle, typename Report>
LRESULT AtSystemBoundary(Handle&& handle, Report&& report) noexcept {
    try {
        try {
            return handle();
        } catch (const std::exception& error) {
            report(error);
        } catch (...) {
            report(Exception(UnknownErrorMessage));
        }
    } catch (...) {
        // Not even the error could be shown, as when memory has run out: a sound is left.
        MessageBeep(MB_ICONHAND);
    }
    return 0;
}

// For the window procedures of controls, which have no error display of their own.
inline void ReportToTopLevelWindow(HWND control, const std::exception& error) {
    if (!SendMessageA(GetAncestor(control, GA_ROOT), WM_HANDLER_ERROR, 0, reinterpret_cast<LPARAM>(&error))) {
        MessageBeep(MB_ICONHAND);
    }
}

// The one way into every window of the program's, its own classes' and the system's edits alike:
// RouteMessages puts OwnedWindowProcedure in front of the window's own procedure (the class's, or
// the system's edit), and from then on hands each message to
//   LRESULT OnMessage(HWND, UINT, WPARAM, LPARAM)
// of the object that owns the window, until the window is gone; what OnMessage does not take it
// passes on with PassOn. An error that escapes a handler stops here: a top-level window's owner
// has it shown (void ReportHandlerError(const std::exception&)), as it has the errors its
// controls pass up with WM_HANDLER_ERROR; a control's goes up to its top-level window.

// The window's own procedure, behind OwnedWindowProcedure.
inline constexpr wchar_t NextProcedureProperty[] = L"ZubNextWindowProcedure";

// What the owner leaves to the window's own procedure, in the window's character set.
inline LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto next = reinterpret_cast<WNDPROC>(GetPropW(window, NextProcedureProperty));
    return IsWindowUnicode(window) ? CallWindowProcW(next, window, message, wParam, lParam)
                                   : CallWindowProcA(next, window, message, wParam, lParam);
}

template <typename Owner>
LRESULT CALLBACK OwnedWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& owner = *reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    const auto report = [&owner, window](const std::exception& error) {
        if constexpr (requires { owner.ReportHandlerError(error); }) {
            owner.ReportHandlerError(error);
        } else {
            ReportToTopLevelWindow(window, error);
        }
    };
    if (message == WM_HANDLER_ERROR) {
        return AtSystemBoundary(
            [&] {
                report(*reinterpret_cast<const std::exception*>(lParam));
                return LRESULT{1};
            },
            report);
    }
    const LRESULT result = AtSystemBoundary([&] { return owner.OnMessage(window, message, wParam, lParam); }, report);
    if (message == WM_NCDESTROY) {
        RemovePropW(window, NextProcedureProperty);
    }
    return result;
}

// The character set in which a routed window gets its text messages. The program's input
// handling of its edits counts bytes of ANSI text; the main window's caption names files.
enum class TextMessages { Ansi, Unicode };

// Routes window's messages to owner, which must outlive the window.
template <typename Owner>
void RouteMessages(HWND window, Owner& owner, TextMessages text = TextMessages::Ansi) {
    const bool unicode = text == TextMessages::Unicode;
    const auto procedure = reinterpret_cast<LONG_PTR>(&OwnedWindowProcedure<Owner>);
    const LONG_PTR next = unicode ? GetWindowLongPtrW(window, GWLP_WNDPROC) : GetWindowLongPtrA(window, GWLP_WNDPROC);
    if (!next || !SetPropW(window, NextProcedureProperty, reinterpret_cast<HANDLE>(next))) {
        throw LastWin32Error();
    }
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&owner));
    if (unicode) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, procedure);
    } else {
        SetWindowLongPtrA(window, GWLP_WNDPROC, procedure);
    }
}

// Lets OwnedWindowProcedure reach an owner's private handlers.
#define ZUB_OWNED_WINDOW_PROCEDURE_FRIEND \
    template <typename Owner>             \
    friend LRESULT CALLBACK OwnedWindowProcedure(HWND, UINT, WPARAM, LPARAM)
