#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "win32/DialogDriver.h"

namespace {

// Every text of the program is Shift-JIS: a run in another code page tests nothing real.
class CodePageEnvironment : public testing::Environment {
public:
    void SetUp() override { ASSERT_EQ(GetACP(), 932u) << "run the tests with LC_ALL=ja_JP.UTF-8 under Wine"; }
};

// A message box that no test expects waits for an answer that never comes, and CTest would end
// the whole suite only at its time limit. The watch looks for one of this process a few times a
// second (a message box is a "#32770" with its text in a static of id 0xFFFF), answers it with its
// mildest button, so that the test goes on to its end, and there fails the test, naming the text.
// A box or dialog that a DialogDriver waits for or took is never touched. GoogleTest's failures
// are recorded on the test's own thread, at the end of the test.
class UnexpectedBoxWatch : public testing::EmptyTestEventListener {
public:
    UnexpectedBoxWatch()
        : stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          thread_(CreateThread(nullptr, 0, &UnexpectedBoxWatch::Run, this, 0, nullptr)) {}
    ~UnexpectedBoxWatch() override { Stop(); }

    void OnTestEnd(const testing::TestInfo&) override {
        for (const std::string& box : TakeSeen()) {
            ADD_FAILURE() << box;
        }
    }

    // Ends the watch; answers what it saw since the last test ended.
    std::vector<std::string> Stop() {
        if (thread_) {
            SetEvent(stop_);
            WaitForSingleObject(thread_, INFINITE);
            CloseHandle(thread_);
            CloseHandle(stop_);
            thread_ = nullptr;
        }
        return TakeSeen();
    }

private:
    static DWORD WINAPI Run(void* self) {
        auto& watch = *static_cast<UnexpectedBoxWatch*>(self);
        while (WaitForSingleObject(watch.stop_, 50) == WAIT_TIMEOUT) {
            EnumWindows(&UnexpectedBoxWatch::Look, reinterpret_cast<LPARAM>(self));
        }
        return 0;
    }

    static BOOL CALLBACK Look(HWND window, LPARAM self) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char className[16] = "";
        GetClassNameA(window, className, sizeof className);
        if (process == GetCurrentProcessId() && std::string(className) == "#32770" && IsWindowVisible(window) &&
            IsWindowEnabled(window) && GetDlgItem(window, 0xFFFF) && !DialogExpected(window)) {
            reinterpret_cast<UnexpectedBoxWatch*>(self)->Close(window);
        }
        return TRUE;
    }

    void Close(HWND box) {
        std::erase_if(closed_, [](HWND gone) { return !IsWindow(gone); });
        if (!closed_.insert(box).second) {
            return;  // answered already, and on its way out
        }
        struct Button {
            int Id;
            const char* Name;
        } answer{IDOK, "OK"};
        for (const Button button : {Button{IDCANCEL, "Cancel"}, Button{IDNO, "No"}, Button{IDOK, "OK"}}) {
            if (const HWND shown = GetDlgItem(box, button.Id); shown && IsWindowVisible(shown)) {
                answer = button;
                break;
            }
        }
        std::string seen = "a message box no test expected: \"" + Utf8Text(GetDlgItem(box, 0xFFFF)) + "\" (" +
                           Utf8Text(box) + "), answered " + answer.Name;
        PressDialogButton(box, answer.Id);
        const std::lock_guard<std::mutex> hold(lock_);
        seen_.push_back(std::move(seen));
    }

    // A window's text in UTF-8, as GoogleTest shows wide texts; asked with a limit, since the
    // box's thread answers it.
    static std::string Utf8Text(HWND window) {
        wchar_t text[1024] = L"";
        DWORD_PTR length = 0;
        SendMessageTimeoutW(window, WM_GETTEXT, sizeof text / sizeof text[0], reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, 2000, &length);
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
        std::string utf8(bytes > 0 ? bytes : 1, '\0');
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), bytes, nullptr, nullptr);
        utf8.pop_back();
        return utf8;
    }

    std::vector<std::string> TakeSeen() {
        std::vector<std::string> taken;
        const std::lock_guard<std::mutex> hold(lock_);
        taken.swap(seen_);
        return taken;
    }

    HANDLE stop_;
    HANDLE thread_;
    std::set<HWND> closed_;  // the watch's own thread only
    std::mutex lock_;
    std::vector<std::string> seen_;
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    testing::AddGlobalTestEnvironment(new CodePageEnvironment);
    auto* const watch = new UnexpectedBoxWatch;  // GoogleTest deletes its listeners
    testing::UnitTest::GetInstance()->listeners().Append(watch);
    int result = RUN_ALL_TESTS();
    // Seen after the last test: no test is left to fail.
    for (const std::string& box : watch->Stop()) {
        std::fprintf(stderr, "%s\n", box.c_str());
        result = 1;
    }
    return result;
}
