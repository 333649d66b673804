#include <windows.h>

#include <memory>

#include "main/Application.h"
#include "ui/MainWindow.h"

// The command line is not read: the program always starts with a new, untitled project.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    TApplication application(instance);
    // Before the main window exists: its creation composes the caption from the title.
    application.SetTitle("ZUB Runtime Editor");
    std::unique_ptr<TMainWindow> MainWindow;
    application.CreateMainWindow(MainWindow);
    application.ShowMainWindow(StartupShowCommand());
    application.Run([&MainWindow](MSG& message) { return MainWindow->PreTranslateMessage(message); });
    return 0;
}
