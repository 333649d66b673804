#include "win32/EditorProcess.h"

#include <functional>
#include <stdexcept>

#include "win32/StartProcess.h"

namespace {

constexpr char ApplicationClass[] = "ZubRuntimeEditorApplication";
constexpr char DialogClass[] = "#32770";

struct WindowSearch {
    DWORD process;
    std::function<bool(HWND)> matches;
    HWND found;
};

BOOL CALLBACK FindMatchingWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search.process && search.matches(window)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// The first top-level window of the process, front to back, that matches.
HWND FindWindowOf(DWORD process, std::function<bool(HWND)> matches) {
    WindowSearch search{process, std::move(matches), nullptr};
    EnumWindows(FindMatchingWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

HWND WaitFor(const std::function<HWND()>& find, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        if (const HWND window = find()) {
            return window;
        }
        Sleep(20);
    } while (GetTickCount() - start < milliseconds);
    return nullptr;
}

std::string FolderOfThisProgram() {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    path.resize(path.find_last_of('\\') + 1);
    return path;
}

}  // namespace

std::string EditorProgramPath() {
    return FolderOfThisProgram() + "..\\src\\main\\ZubRuntimeEditor.exe";
}

std::string TestEditorProgramPath(const std::string& variant) {
    return FolderOfThisProgram() + "ZubRuntimeEditor" + variant + ".exe";
}

EditorProcess::EditorProcess(int showCommand, const std::string& arguments)
    : EditorProcess(EditorProgramPath(), showCommand, arguments) {}

EditorProcess::EditorProcess(const std::string& program, int showCommand) : EditorProcess(program, showCommand, "") {}

EditorProcess::EditorProcess(const std::string& program, int showCommand, const std::string& arguments) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    if (!StartProcess(program, commandLine, nullptr, startup, info_)) {
        throw std::runtime_error("cannot start " + program + " (error " + std::to_string(GetLastError()) + ")");
    }
}

EditorProcess::~EditorProcess() {
    if (WaitForExit(0) == STILL_ACTIVE) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool EditorProcess::WaitUntilReady() {
    return WaitForInputIdle(info_.hProcess, 15000) == 0 &&
           WaitFor([this] { return ApplicationWindow() && MainWindow() ? MainWindow() : nullptr; }, 15000);
}

HWND EditorProcess::ApplicationWindow() const {
    return FindWindowOf(info_.dwProcessId, [](HWND window) { return ClassOf(window) == ApplicationClass; });
}

HWND EditorProcess::MainWindow() const {
    const HWND application = ApplicationWindow();
    if (!application) {
        return nullptr;
    }
    // Of the windows that the application window owns, the main window is the one that is
    // no dialog or message box.
    return FindWindowOf(info_.dwProcessId, [application](HWND window) {
        return GetWindow(window, GW_OWNER) == application && ClassOf(window) != DialogClass;
    });
}

HWND EditorProcess::OpenDialog() const {
    return FindWindowOf(info_.dwProcessId, [](HWND window) {
        return ClassOf(window) == DialogClass && IsWindowVisible(window) && IsWindowEnabled(window);
    });
}

HWND EditorProcess::WaitForDialog(DWORD milliseconds) const {
    const HWND dialog = WaitFor([this] { return OpenDialog(); }, milliseconds);
    if (dialog) {
        Sleep(150);  // let it finish laying itself out before it is operated
    }
    return dialog;
}

DWORD EditorProcess::WaitForExit(DWORD milliseconds) {
    WaitForSingleObject(info_.hProcess, milliseconds);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}
