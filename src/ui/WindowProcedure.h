#pragma once

#include <windows.h>

#include <exception>

// The window procedure of a window that an object owns. The object comes in as the creation
// parameter, is kept in the window's user data and gets every message from WM_NCCREATE on:
//   void AttachWindow(HWND)                     once, at WM_NCCREATE
//   LRESULT OnMessage(HWND, UINT, WPARAM, LPARAM)
//   void ReportHandlerError(const std::exception&)
// An error that escapes a handler stops here, where its owner has it shown, and never unwinds
// through the system's frames that called the procedure.
template <typename Owner>
LRESULT CALLBACK OwnedWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
        owner->AttachWindow(window);
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!owner) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    try {
        return owner->OnMessage(window, message, wParam, lParam);
    } catch (const std::exception& error) {
        owner->ReportHandlerError(error);
        return 0;
    }
}

// Lets OwnedWindowProcedure reach an owner's private handlers.
#define ZUB_OWNED_WINDOW_PROCEDURE_FRIEND \
    template <typename Owner>             \
    friend LRESULT CALLBACK OwnedWindowProcedure(HWND, UINT, WPARAM, LPARAM)
