#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "acceptance/EditorFixture.h"
#include "acceptance/ProjectFileCheck.h"
#include "acceptance/UserInput.h"
#include "acceptance/Wait.h"
#include "acceptance/WindowQuery.h"

// The user logs off while the editor runs. Windows asks every top-level window whether the
// session may end (WM_QUERYENDSESSION), then tells them whether it does (WM_ENDSESSION);
// the test plays Windows' part, on a thread of its own so that it can answer the prompt the
// question brings up.

namespace {

// How long Windows waits for the programs' answers: the user answers the prompt meanwhile.
constexpr UINT AnswerTimeout = 60000;

class LogOff {
public:
    explicit LogOff(DWORD processId)
        : thread_([this, processId] {
              std::vector<HWND> asked;
              bool allowed = true;
              for (const HWND window : TopLevelWindowsOf(processId)) {
                  DWORD_PTR answer = 0;
                  const bool answered = SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                                            SMTO_NORMAL, AnswerTimeout, &answer) != 0;
                  asked.push_back(window);
                  if (answered && answer == 0) {
                      allowed = false;
                      break;
                  }
              }
              allowed_ = allowed;
              answered_ = true;
              for (const HWND window : asked) {
                  DWORD_PTR ignored = 0;
                  SendMessageTimeoutA(window, WM_ENDSESSION, allowed ? TRUE : FALSE, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                      5000, &ignored);
              }
              done_ = true;
          }) {}
    ~LogOff() { thread_.join(); }
    LogOff(const LogOff&) = delete;
    LogOff& operator=(const LogOff&) = delete;

    bool Answered() const { return answered_; }
    bool Allowed() const { return allowed_; }
    bool Done() const { return done_; }

private:
    std::atomic<bool> answered_{false};
    std::atomic<bool> allowed_{false};
    std::atomic<bool> done_{false};
    std::thread thread_;
};

class EndSession : public EditorTest {};

}  // namespace

TEST_F(EndSession, UnsavedChangesAskAndCancelRefusesTheLogOff) {
    TypeIntoField(RuntimeField, "unsaved");
    {
        LogOff logOff(Editor().Id());
        const HWND box = ExpectPrompt(UntitledName);
        ASSERT_TRUE(box);
        Answer(box, IDCANCEL);
        ASSERT_TRUE(WaitUntil([&] { return logOff.Done(); }));
        EXPECT_FALSE(logOff.Allowed()) << "the log-off went ahead although the user cancelled";
    }
    Editor().WaitForIdle();
    EXPECT_TRUE(Editor().Running());
    ASSERT_TRUE(MainWindowBack());
    EXPECT_EQ(FieldText(RuntimeField), "unsaved");
}

TEST_F(EndSession, ACleanWindowAllowsTheLogOffAndTheEndOfTheSessionEndsTheProgram) {
    LogOff logOff(Editor().Id());
    EXPECT_TRUE(NoDialogWithin(1000)) << "a clean project asked before the log-off";
    ASSERT_TRUE(WaitUntil([&] { return logOff.Done(); }));
    EXPECT_TRUE(logOff.Allowed());
    ExpectEndsCleanly();
}

// The same through Wine's own end of the session, where the system is Wine.
TEST_F(EndSession, TheSystemsEndOfSessionEndsACleanProgramWithExitCodeZero) {
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string wineboot = std::string(system) + "\\wineboot.exe";
    if (GetFileAttributesA(wineboot.c_str()) == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "no wineboot: not running under Wine";
    }
    std::string commandLine = "\"" + wineboot + "\" --end-session";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(
        CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
    const OwnedHandle process(started.hProcess);
    const OwnedHandle thread(started.hThread);
    ExpectEndsCleanly();
    WaitForSingleObject(process.Get(), ReactionTimeout);
}

TEST_F(EndSession, NoToThePromptAllowsTheLogOffWithoutSaving) {
    TypeIntoField(RuntimeField, "discarded");
    LogOff logOff(Editor().Id());
    const HWND box = ExpectPrompt(UntitledName);
    ASSERT_TRUE(box);
    Answer(box, IDNO);
    ASSERT_TRUE(WaitUntil([&] { return logOff.Done(); }));
    EXPECT_TRUE(logOff.Allowed());
    ExpectEndsCleanly();
}

TEST_F(EndSession, AFailedSaveShowsTheErrorAndRefusesTheLogOff) {
    TypeIntoField(RuntimeField, "unsaved");
    LogOff logOff(Editor().Id());
    HWND box = ExpectPrompt(UntitledName);
    ASSERT_TRUE(box);
    Answer(box, IDYES);
    const HWND dialog = ExpectFileDialog(SaveTitle);
    ASSERT_TRUE(dialog);
    const std::string path = folder / "ない\\p.zrt";
    ChooseInFileDialog(dialog, path);
    box = ExpectDialog("the error box");
    ASSERT_TRUE(box);
    EXPECT_EQ(ReadMessageBox(box).text, WriteErrorTextFor(path));
    Answer(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return logOff.Done(); }));
    EXPECT_FALSE(logOff.Allowed()) << "the log-off went ahead although the save failed";
    Editor().WaitForIdle();
    EXPECT_TRUE(Editor().Running());
}
