#include "acceptance/EditorProcess.h"

#include <shellapi.h>

#include <stdexcept>

#include "acceptance/Wait.h"
#include "acceptance/WindowQuery.h"
#include "win32/StartProcess.h"
#include "win32/TempFolder.h"

namespace {

constexpr char ApplicationClass[] = "ZubRuntimeEditorApplication";

std::string& EditorPathSetting() {
    static std::string path;
    return path;
}

bool HoldsPageControl(HWND window) {
    for (const HWND child : DescendantsOf(window)) {
        if (ClassNameOf(child) == "SysTabControl32") {
            return true;
        }
    }
    return false;
}

}  // namespace

void SetEditorPath(const std::string& path) {
    EditorPathSetting() = path;
}

const std::string& EditorPath() {
    return EditorPathSetting();
}

std::string TestEditorPath(const std::string& variant) {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    path.resize(path.find_last_of('\\') + 1);
    return path + "ZubRuntimeEditor" + variant + ".exe";
}

EditorProcess::EditorProcess(WORD showCommand, const std::wstring& arguments, const std::string& folder) {
    Start(EditorPath(), showCommand, arguments, folder);
}

EditorProcess::EditorProcess(const std::string& program, WORD showCommand) {
    Start(program, showCommand, L"", "");
}

void EditorProcess::Start(const std::string& program,
                          WORD showCommand,
                          const std::wstring& arguments,
                          const std::string& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showCommand;
    std::wstring commandLine = L"\"" + WidePath(program) + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + arguments;
    }
    PROCESS_INFORMATION started{};
    const std::wstring in = WidePath(folder);
    if (!StartProcess(WidePath(program), commandLine, folder.empty() ? nullptr : in.c_str(), startup, started)) {
        throw std::runtime_error("cannot start " + program + " (error " + std::to_string(GetLastError()) + ")");
    }
    process_.Reset(started.hProcess);
    thread_.Reset(started.hThread);
    processId_ = started.dwProcessId;
}

std::unique_ptr<EditorProcess> EditorProcess::OpenThroughTheShell(const std::wstring& document) {
    SHELLEXECUTEINFOW open{};
    open.cbSize = sizeof open;
    open.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
    open.lpVerb = L"open";
    open.lpFile = document.c_str();
    open.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&open) || !open.hProcess) {
        throw std::runtime_error("the shell started no program for the document (error " +
                                 std::to_string(GetLastError()) + ")");
    }
    return std::unique_ptr<EditorProcess>(new EditorProcess(open.hProcess));
}

EditorProcess::EditorProcess(HANDLE process) : process_(process), processId_(GetProcessId(process)) {}

EditorProcess::~EditorProcess() {
    if (Running()) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

void EditorProcess::Kill() {
    TerminateProcess(process_.Get(), 1);
    WaitForSingleObject(process_.Get(), 10000);
}

HWND EditorProcess::WaitForMainWindow() {
    if (mainWindow_ && IsWindow(mainWindow_)) {
        return mainWindow_;
    }
    WaitUntil([&] {
        for (const HWND window : TopLevelWindowsOf(processId_)) {
            if (HoldsPageControl(window)) {
                mainWindow_ = window;
                return true;
            }
        }
        return !Running();
    });
    return mainWindow_;
}

HWND EditorProcess::ApplicationWindow() const {
    for (const HWND window : TopLevelWindowsOf(processId_)) {
        if (ClassNameOf(window) == ApplicationClass) {
            return window;
        }
    }
    return nullptr;
}

bool EditorProcess::WaitUntilReady() {
    if (WaitForInputIdle(process_.Get(), 15000) != 0 || !WaitForMainWindow() || !ApplicationWindow()) {
        return false;
    }
    // The main window is found as soon as it is made, before its start-up has named and shown it.
    WaitForIdle();
    return true;
}

DWORD EditorProcess::UiThreadId() const {
    return mainWindow_ ? GetWindowThreadProcessId(mainWindow_, nullptr) : 0;
}

bool EditorProcess::Running() const {
    return WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

bool EditorProcess::WaitForExit(DWORD timeoutMilliseconds) {
    return WaitForSingleObject(process_.Get(), timeoutMilliseconds) == WAIT_OBJECT_0;
}

DWORD EditorProcess::ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}

void EditorProcess::WaitForIdle() const {
    WaitForInputIdle(process_.Get(), 2000);
    // A message sent to the window comes back only once the thread reads its queue again.
    if (mainWindow_) {
        Ask(mainWindow_, WM_NULL);
    }
}
