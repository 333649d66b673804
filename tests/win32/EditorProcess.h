#pragma once

#include <windows.h>

#include <string>

// The editor program started as a process of its own, the way Explorer or a shortcut starts
// it: with a show command and, if wanted, a command line. Ended by force if still running
// when the test is over.
class EditorProcess {
public:
    explicit EditorProcess(int showCommand, const std::string& arguments = "");
    EditorProcess(const std::string& program, int showCommand);
    ~EditorProcess();
    EditorProcess(const EditorProcess&) = delete;
    EditorProcess& operator=(const EditorProcess&) = delete;

    // Waits until the program has made its windows and is idle in its message loop.
    bool WaitUntilReady();
    // The application window (the taskbar button) and the main window, which it owns.
    HWND ApplicationWindow() const;
    HWND MainWindow() const;
    // The message box or dialog that the program has open in front, or null.
    HWND OpenDialog() const;
    HWND WaitForDialog(DWORD milliseconds = 10000) const;

    // The exit code once the process has ended, STILL_ACTIVE while it runs.
    DWORD WaitForExit(DWORD milliseconds);
    HANDLE Handle() const { return info_.hProcess; }

private:
    EditorProcess(const std::string& program, int showCommand, const std::string& arguments);

    PROCESS_INFORMATION info_{};
};

// The editor program beside the test program in the build tree.
std::string EditorProgramPath();
// A build of the editor for the tests, beside the test program: "Utf8" or "English", whose
// manifests ask for those code pages.
std::string TestEditorProgramPath(const std::string& variant);
