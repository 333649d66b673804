// Pictures of the three pages and the open File menu, for a person to look at. They are taken
// only where ZUB_SCREENSHOT_DIR names a folder (tools/screenshots sets it and turns the
// bitmaps into PNG files).
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "win32/MainWindowFixture.h"

namespace {

// The screen's pixels in rect, as a 24-bit bitmap file.
void SaveScreen(const RECT& rect, const std::string& path) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    const WindowDc screen(nullptr);
    const UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    const UniqueBitmap picture(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        const SelectedObject selected(memory.get(), picture.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
    }
    GdiFlush();
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + stride * static_cast<DWORD>(height);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(stride * static_cast<DWORD>(height)));
}

class MainWindowScreenshotTest : public MainWindowFixture {
protected:
    void SetUp() override {
        const char* folder = std::getenv("ZUB_SCREENSHOT_DIR");
        if (!folder || !*folder) {
            GTEST_SKIP() << "ZUB_SCREENSHOT_DIR is not set";
        }
        folder_ = folder;
        MainWindowFixture::SetUp();
    }

    RECT WindowArea(int extraHeight = 0) {
        RECT rect{};
        GetWindowRect(Window().Handle(), &rect);
        rect.bottom += extraHeight;
        return rect;
    }

    std::string folder_;
};

TEST_F(MainWindowScreenshotTest, ThreePagesAndTheFileMenu) {
    const char* names[] = {"page-general.bmp", "page-html.bmp", "page-version.bmp"};
    for (int page = 0; page < 3; ++page) {
        SelectPage(page);
        if (page == 0) {
            SetWindowTextA(Component(LabeledEditZubrt), "C:\\ZUB\\zubrt.exe");
        }
        if (page == 2) {
            SetWindowTextA(Component(ProjectEdit("FileVerNumber")), "1.0.0.0");
        }
        RedrawWindow(Window().Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
        SaveScreen(WindowArea(), folder_ + "\\" + names[page]);
    }

    SelectPage(0);
    std::thread photographer([&] {
        Sleep(700);
        SaveScreen(WindowArea(60), folder_ + "\\menu-file.bmp");
        INPUT escape[2] = {};
        for (int i = 0; i < 2; ++i) {
            escape[i].type = INPUT_KEYBOARD;
            escape[i].ki.wVk = VK_ESCAPE;
            escape[i].ki.dwFlags = i ? KEYEVENTF_KEYUP : 0;
        }
        SendInput(2, escape, sizeof(INPUT));
        Sleep(100);
        SendInput(2, escape, sizeof(INPUT));
    });
    PressKey('F', Alt);
    photographer.join();
    Pump();
    EXPECT_TRUE(std::ifstream(folder_ + "\\menu-file.bmp").good());
}

}  // namespace
