#pragma once

#include <windows.h>

#include <exception>
#include <string>

// What the main window needs of the application object that owns it.
class ApplicationHost {
public:
    virtual ~ApplicationHost() = default;

    // The hidden application window: owner of the main window, the dialogs and message boxes.
    virtual HWND Handle() const = 0;
    // The application title as it reads at this moment.
    virtual std::string Title() const = 0;
    // Shows an error that escaped the handling of an event; the program then goes on.
    virtual void ReportError(const std::exception& error) = 0;
    // A close of the main window was allowed: ends the message loop.
    virtual void Terminate() = 0;
    // Minimizing the main window minimizes the application window in its place, so that the
    // program keeps its one taskbar button.
    virtual void Minimize() = 0;
    // Gives the window the application icon at the sizes for dpi, in place of those it had: the
    // main window has no icon of its own.
    virtual void ShowApplicationIcon(HWND window, int dpi) = 0;
};
