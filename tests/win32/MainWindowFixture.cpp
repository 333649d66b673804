#include "win32/MainWindowFixture.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

void MainWindowFixture::SetUp() {
    window_ = std::make_unique<TMainWindow>(GetModuleHandleA(nullptr), host_);
    ShowWindow(window_->Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(window_->Handle());
    Pump();
}

void MainWindowFixture::TearDown() {
    window_.reset();
    Pump();
    EXPECT_TRUE(host_.Errors.empty()) << host_.Errors.front();
}

HWND MainWindowFixture::Component(int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        window_->Handle(),
        [](HWND child, LPARAM parameter) {
            auto& search = *reinterpret_cast<Search*>(parameter);
            if (GetDlgCtrlID(child) != search.id) {
                return TRUE;
            }
            search.found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    EXPECT_NE(search.found, nullptr) << "no control " << id;
    return search.found;
}

void MainWindowFixture::Command(WORD id) {
    SendMessageA(window_->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void MainWindowFixture::SelectPage(int index) {
    const HWND tabs = Component(PageControl);
    SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    NMHDR header{tabs, PageControl, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(window_->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    Pump();
}

void MainWindowFixture::Pump() {
    // Input reaches the queue a little after it is sent.
    for (int quietRounds = 0; quietRounds < 3;) {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            quietRounds = 0;
            if (!window_ || !window_->PreTranslateMessage(message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        } else {
            ++quietRounds;
            Sleep(20);
        }
    }
}

namespace {

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

void MainWindowFixture::PressKey(WORD key, int modifiers) {
    std::vector<INPUT> inputs;
    const std::pair<int, WORD> held[] = {{Ctrl, VK_CONTROL}, {Shift, VK_SHIFT}, {Alt, VK_MENU}};
    for (const auto& [flag, vk] : held) {
        if (modifiers & flag) {
            inputs.push_back(KeyInput(vk, false));
        }
    }
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    for (auto it = std::rbegin(held); it != std::rend(held); ++it) {
        if (modifiers & it->first) {
            inputs.push_back(KeyInput(it->second, true));
        }
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Pump();
}

void MainWindowFixture::Type(const std::wstring& text) {
    for (const wchar_t character : text) {
        INPUT inputs[2] = {};
        for (int i = 0; i < 2; ++i) {
            inputs[i].type = INPUT_KEYBOARD;
            inputs[i].ki.wScan = character;
            inputs[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, inputs, sizeof(INPUT));
    }
    Pump();
}

std::string TextOf(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring WideTextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

Bounds BoundsOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

std::vector<ControlRow> VersionPageRows() {
    std::vector<ControlRow> rows;
    for (const layout::VersionRow& row : layout::VersionInfoPage) {
        rows.push_back(layout::VersionControl(row));
    }
    return rows;
}

int VersionPageBottom() {
    int bottom = 0;
    for (const ControlRow& row : VersionPageRows()) {
        bottom = std::max(bottom, row.Place.Top + row.Place.Height);
    }
    return bottom;
}

std::string Ansi(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), size, nullptr, nullptr);
    return ansi;
}
