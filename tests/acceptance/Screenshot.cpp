#include "acceptance/Screenshot.h"

#include <algorithm>

#include "acceptance/Owned.h"
#include "acceptance/Wait.h"
#include "acceptance/WindowQuery.h"

namespace {

std::string folder;
std::string command = "/usr/bin/import";

constexpr int Margin = 8;

// import writes the file while it runs: it is complete once it ends with the closing chunk.
bool IsCompletePng(const std::string& windowsPath) {
    const OwnedHandle file(CreateFileA(windowsPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
    if (!file) {
        return false;
    }
    static const unsigned char end[8] = {'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    unsigned char tail[8] = {};
    DWORD read = 0;
    LARGE_INTEGER size{};
    bool complete = false;
    if (GetFileSizeEx(file.Get(), &size) && size.QuadPart > 8) {
        LARGE_INTEGER at{};
        at.QuadPart = size.QuadPart - 8;
        complete = SetFilePointerEx(file.Get(), at, nullptr, FILE_BEGIN) &&
                   ReadFile(file.Get(), tail, 8, &read, nullptr) && read == 8 && std::equal(tail, tail + 8, end);
    }
    return complete;
}

}  // namespace

std::string WindowsPathOf(const std::string& linuxPath) {
    std::string path = "Z:" + linuxPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

void SetScreenshotFolder(const std::string& linuxFolder, const std::string& importCommand) {
    folder = linuxFolder;
    if (!importCommand.empty()) {
        command = importCommand;
    }
}

bool ScreenshotsWanted() {
    return !folder.empty();
}

std::string TakeScreenshot(const std::string& name, const std::vector<HWND>& windows) {
    if (folder.empty()) {
        return "";
    }
    RECT area{};
    for (const HWND window : windows) {
        const RECT rect = ScreenRectOf(window);
        UnionRect(&area, &area, &rect);
    }
    InflateRect(&area, Margin, Margin);
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&area, &area, &screen);
    // Let the last changes reach the screen.
    Sleep(400);

    const std::string file = folder + "/" + name + ".png";
    const std::string windowsFile = WindowsPathOf(file);
    DeleteFileA(windowsFile.c_str());
    const SIZE size = SizeOf(area);
    std::string commandLine = command + " -window root -crop " + std::to_string(size.cx) + "x" +
                              std::to_string(size.cy) + "+" + std::to_string(area.left) + "+" +
                              std::to_string(area.top) + " +repage " + file;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
        return "cannot start " + command + " (error " + std::to_string(GetLastError()) + ")";
    }
    const OwnedHandle process(started.hProcess);
    const OwnedHandle thread(started.hThread);
    // A Linux program started from Wine is not waited for through its handle.
    if (!WaitUntil([&] { return IsCompletePng(windowsFile); }, 15000)) {
        return "no picture in " + file;
    }
    return "";
}
