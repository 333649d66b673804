#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "document/Texts.h"
#include "main/Application.h"
#include "main/ErrorBox.h"
#include "ui/WindowProcedure.h"

// The exit code of a program that could not start, or whose error display itself failed.
inline constexpr int StartupFailedExitCode = 1;

// The program's whole run with a main window of class Form: the application object, its
// title, the main window, shown as the start-up show command asks, then whatever shown asks of
// the shown window (its errors shown like every error, the program going on), and the loop.
// Answers the exit code: 0 after an allowed close or log-off. An error that keeps the program
// from starting is shown like every error, with the title as caption (and no owner when not
// even the application window could be made); the program then ends with a non-zero code.
template <class Form>
int RunProgram(HINSTANCE instance, const std::function<void(Form&)>& shown = {}) {
    std::unique_ptr<TApplication> application;
    std::unique_ptr<Form> MainWindow;
    int exitCode = StartupFailedExitCode;
    AtSystemBoundary(
        [&] {
            application = std::make_unique<TApplication>(instance);
            // Before the main window exists: its creation composes the caption from the title.
            application->SetTitle(ProgramName);
            application->CreateMainWindow(MainWindow);
            application->ShowMainWindow(StartupShowCommand());
            if (shown) {
                AtSystemBoundary(
                    [&] {
                        shown(*MainWindow);
                        return LRESULT{0};
                    },
                    [&](const std::exception& error) { application->ReportError(error); });
            }
            application->Run([&MainWindow](MSG& message) { return MainWindow->PreTranslateMessage(message); });
            exitCode = 0;
            return LRESULT{0};
        },
        [&](const std::exception& error) {
            if (application) {
                application->ReportError(error);
            } else {
                ShowErrorBox(error, ProgramName);
            }
        });
    return exitCode;
}
