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

// AtSystemBoundary for a control's window procedure: its errors go to its top-level window.
template <typename Handle>
LRESULT AtControlBoundary(HWND control, Handle&& handle) noexcept {
    return AtSystemBoundary(std::forward<Handle>(handle),
                            [control](const std::exception& error) { ReportToTopLevelWindow(control, error); });
}

// The window procedure of a window that an object owns. The object comes in as the creation
// parameter, is kept in the window's user data and gets every message from WM_NCCREATE on:
//   void AttachWindow(HWND)                     once, at WM_NCCREATE
//   LRESULT OnMessage(HWND, UINT, WPARAM, LPARAM)
//   void ReportHandlerError(const std::exception&)
// An error that escapes a handler stops here, where its owner has it shown, as do the errors
// that the window's controls pass up with WM_HANDLER_ERROR.
template <typename Owner>
LRESULT CALLBACK OwnedWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
        owner->AttachWindow(window);
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!owner) {
        return IsWindowUnicode(window) ? DefWindowProcW(window, message, wParam, lParam)
                                       : DefWindowProcA(window, message, wParam, lParam);
    }
    const auto report = [owner](const std::exception& error) { owner->ReportHandlerError(error); };
    if (message == WM_HANDLER_ERROR) {
        return AtSystemBoundary(
            [&] {
                report(*reinterpret_cast<const std::exception*>(lParam));
                return LRESULT{1};
            },
            report);
    }
    return AtSystemBoundary([&] { return owner->OnMessage(window, message, wParam, lParam); }, report);
}

// Lets OwnedWindowProcedure reach an owner's private handlers.
#define ZUB_OWNED_WINDOW_PROCEDURE_FRIEND \
    template <typename Owner>             \
    friend LRESULT CALLBACK OwnedWindowProcedure(HWND, UINT, WPARAM, LPARAM)
