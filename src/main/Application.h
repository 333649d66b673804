#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "main/ApplicationWindow.h"
#include "ui/ApplicationHost.h"
#include "ui/WindowIcons.h"

// Keyboard processing that may take a message before the loop translates and dispatches it:
// menu shortcuts and the keys that move between controls. True when it took the message.
using KeyboardFilter = std::function<bool(MSG&)>;

// The application object, one per process: the application window with the title and icon,
// the main window's start and minimizing, the message loop, and the display of errors.
class TApplication final : public ApplicationHost, private ApplicationWindowEvents {
public:
    explicit TApplication(HINSTANCE instance);
    ~TApplication() override;
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    void SetTitle(const std::string& title);

    // Constructs the main window, Form(instance, host), and records it as the main window.
    template <class Form>
    void CreateMainWindow(std::unique_ptr<Form>& form) {
        form = std::make_unique<Form>(instance_, static_cast<ApplicationHost&>(*this));
        SetMainWindow(form->Handle());
    }

    // Shows the main window as the start-up show command asks: SW_SHOWMAXIMIZED maximized,
    // SW_SHOWMINNOACTIVE only as the minimized taskbar button, anything else normally.
    void ShowMainWindow(int showCommand);

    // The message loop: returns when the quit message is taken or a log-off goes ahead.
    void Run(const KeyboardFilter& keyboard = {});

    HWND Handle() const override;
    std::string Title() const override;
    void ReportError(const std::exception& error) override;
    void Terminate() override;
    void Minimize() override;
    void ShowApplicationIcon(HWND window, int dpi) override;

private:
    void SetMainWindow(HWND window);
    void HandleNextMessage(const KeyboardFilter& keyboard);

    void CloseRequested() override;
    void MinimizeRequested() override;
    void Restored() override;
    void Activated() override;
    void SessionEnding() override;
    void DpiChanged(int dpi) override;

    HINSTANCE instance_;
    // Before the window, which shows them until it goes.
    TWindowIcons icons_;
    TWindowIcons mainWindowIcons_;
    TApplicationWindow window_;
    HWND mainWindow_ = nullptr;
    bool terminated_ = false;
    bool minimized_ = false;
};

// The show command the process was started with: STARTUPINFO's wShowWindow when its
// STARTF_USESHOWWINDOW flag is set, else SW_SHOWDEFAULT.
int StartupShowCommand();
