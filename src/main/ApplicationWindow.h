#pragma once

#include <windows.h>

#include <exception>

#include "platform/UniqueHandle.h"
#include "ui/WindowProcedure.h"

// What the application window passes on to the application object.
class ApplicationWindowEvents {
public:
    // Close chosen for the taskbar button.
    virtual void CloseRequested() = 0;
    // Minimize chosen for the taskbar button.
    virtual void MinimizeRequested() = 0;
    // The window is no longer minimized.
    virtual void Restored() = 0;
    // The window became active, for instance by a click on its taskbar button.
    virtual void Activated() = 0;
    // Windows reports that a log-off or shut-down goes ahead.
    virtual void SessionEnding() = 0;
    // The window's density changed, for instance on another monitor.
    virtual void DpiChanged(int dpi) = 0;
    // An error escaped the handling of one of the messages above.
    virtual void ReportError(const std::exception& error) = 0;

protected:
    ~ApplicationWindowEvents() = default;
};

// The hidden top-level window of the application object: unowned and zero-sized, it carries
// the program's taskbar button, caption and icon, and owns every other window of the program.
class TApplicationWindow {
public:
    TApplicationWindow(HINSTANCE instance, HICON icon, ApplicationWindowEvents& events);
    TApplicationWindow(const TApplicationWindow&) = delete;
    TApplicationWindow& operator=(const TApplicationWindow&) = delete;

    HWND Handle() const { return window_.get(); }

private:
    ZUB_OWNED_WINDOW_PROCEDURE_FRIEND;
    void ReportHandlerError(const std::exception& error);
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    ApplicationWindowEvents& events_;
    bool wasIconic_ = false;
    // The class outlives its window.
    WindowClassRegistration class_;
    UniqueWindow window_;
};
