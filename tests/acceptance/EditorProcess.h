#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "acceptance/Owned.h"

// The editor, started as a process of its own the way the shell starts it: the one driver of
// every test that runs the real program. Whatever a test does, the process is ended when this
// object goes.
class EditorProcess {
public:
    // showCommand goes to the program through its start-up information; arguments are
    // appended to its command line; folder, when given, is its current folder.
    explicit EditorProcess(WORD showCommand = SW_SHOWNORMAL,
                           const std::wstring& arguments = L"",
                           const std::string& folder = "");
    // Another build of the editor than the one under test (TestEditorPath).
    EditorProcess(const std::string& program, WORD showCommand);
    // The program the shell starts for document, as a double-click in Explorer starts it.
    static std::unique_ptr<EditorProcess> OpenThroughTheShell(const std::wstring& document);
    ~EditorProcess();
    EditorProcess(const EditorProcess&) = delete;
    EditorProcess& operator=(const EditorProcess&) = delete;

    DWORD Id() const { return processId_; }
    HANDLE Handle() const { return process_.Get(); }

    // Waits until the program is idle in its message loop with its application window and
    // main window made; answers whether it got there.
    bool WaitUntilReady();

    // The main window: the top-level window of the process that holds the page control.
    // Waits for it to be created; null when it is not.
    HWND WaitForMainWindow();
    // The application window, which holds the taskbar button: the top-level window of the
    // process of the editor's application class, as a window spy tool names it; null when
    // there is none.
    HWND ApplicationWindow() const;
    // The thread that runs the program's windows.
    DWORD UiThreadId() const;

    bool Running() const;
    // Ends the process at once, as the task manager would; answers when it has ended.
    void Kill();
    // Waits for the process to end; answers whether it did.
    bool WaitForExit(DWORD timeoutMilliseconds);
    DWORD ExitCode() const;

    // Waits until the program has taken all its input and waits for more.
    void WaitForIdle() const;

private:
    // Takes over a process that another program started.
    explicit EditorProcess(HANDLE process);
    void Start(const std::string& program, WORD showCommand, const std::wstring& arguments, const std::string& folder);

    OwnedHandle process_;
    OwnedHandle thread_;
    DWORD processId_ = 0;
    HWND mainWindow_ = nullptr;
};

// The path of the editor under test: given on the command line with --editor=, else the one
// built beside this program.
void SetEditorPath(const std::string& path);
const std::string& EditorPath();
// A build of the editor for the tests, beside this program: "Utf8" or "English", whose manifests
// ask for those code pages.
std::string TestEditorPath(const std::string& variant);
