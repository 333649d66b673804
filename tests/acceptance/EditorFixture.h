#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "acceptance/EditorProcess.h"
#include "acceptance/MainWindowView.h"
#include "acceptance/ModalDialogs.h"
#include "acceptance/ProjectFields.h"
#include "acceptance/WindowQuery.h"
#include "win32/TempFolder.h"

// Each test starts the editor afresh, as the user would, and ends it whatever happened. The
// helpers are the user's actions, through the keyboard, the mouse and the program's own
// windows; what they cannot do they report as a test failure naming what was missing.
class EditorTest : public testing::Test {
protected:
    void SetUp() override { Start(); }
    void TearDown() override;

    // Starts the editor (in folder, when given) and waits for its main window; fails the test
    // when none shows.
    void Start(WORD showCommand = SW_SHOWNORMAL, const std::wstring& arguments = L"", const std::string& folder = "");
    // Opens document through the shell, which starts the program registered for it, and waits
    // for that program's main window as Start does.
    void OpenThroughTheShell(const std::wstring& document);

    EditorProcess& Editor() { return *editor_; }
    MainWindowView& Window() { return *window_; }
    DWORD UiThread() const { return editor_->UiThreadId(); }
    HWND Focus() const { return FocusOf(UiThread()); }

    // Brings the main window to the front, as a click on its title bar would.
    void Activate();
    bool ShowPage(Page page) { return Window().ClickTab(page); }

    // Shows the field's page and puts the focus into its edit: a click on the general page,
    // Tab presses on the version page (whose lower edits a click could not reach). Answers
    // the edit, or null after failing the test.
    HWND FocusField(std::size_t field);
    // Replaces the field's text by typing; waits until the edit shows it.
    void TypeIntoField(std::size_t field, const std::string& text);
    // What the field's edit shows (its page is brought up first).
    std::string FieldText(std::size_t field);

    // The dialog or box that the program shows next, passing over one already known; null
    // after failing the test with what.
    HWND ExpectDialog(const std::string& what, HWND passOver = nullptr);
    // True when no dialog or box shows within the time.
    bool NoDialogWithin(DWORD milliseconds);
    // Waits for a file dialog titled title ("開く", "名前を付けて保存").
    HWND ExpectFileDialog(const std::string& title);
    // Types a full path into the file dialog, presses Enter and waits for it to close.
    void ChooseInFileDialog(HWND dialog, const std::string& path);
    void ChooseInFileDialog(HWND dialog, const std::wstring& path);
    // Chooses path, a file that is there, in the save dialog, and answers Yes when it asks
    // whether to replace it.
    void ChooseReplacingInFileDialog(HWND dialog, const std::string& path);
    void CancelDialog(HWND dialog);
    // Waits for the save-changes prompt and checks its text, caption, icon and buttons.
    HWND ExpectPrompt(const std::string& fileName);
    // Waits for a box of the editor's own, checks its text (as the box holds it in UTF-16, which
    // may name what the code page cannot), caption, icon and buttons, and presses answer.
    void ExpectBoxAndAnswer(const std::string& what,
                            const std::wstring& text,
                            IconLook icon,
                            const std::vector<int>& buttons,
                            int answer);
    // Waits for the error box, checks its text, caption, icon and button, and presses OK.
    void ExpectErrorAndOk(const std::wstring& text);
    // Presses a button of a box and waits for it to go.
    void Answer(HWND box, int button);
    // After a modal window closed: the main window takes input again and is active, and the
    // command that ran the modal window has finished.
    bool MainWindowBack();
    // What the editor shows besides its main window, for failure messages.
    std::string WhatShows() const;

    // The pop-up window of the menu that is open, or null.
    HWND OpenMenu() const;

    // Opens path through the open dialog, and waits until the window names it.
    void OpenProject(const std::string& path);
    // Ctrl+S, and waits until the file holds value under section and key.
    void SaveAndWait(const std::string& path,
                     const std::string& section,
                     const std::string& key,
                     const std::string& value);

    // Another program comes to the front, and then the user brings the editor back.
    void SwitchAwayAndBack();
    // A second editor, started as the user starts one beside the first; from then on
    // SwitchEditor brings the other one to the front and makes it the one the helpers use.
    void StartSecondEditor();
    void SwitchEditor();

    // Close requests as the user makes them.
    void PressAltF4();
    void ClickCloseButton();
    void ChooseFileMenuItem(char accessKey);

    // The editor ends within the time with exit code 0.
    void ExpectEndsCleanly();

    TempFolder folder;

private:
    void WaitForMainWindow(WORD showCommand);
    // Waits until the window that was in front is no longer, and the editor has taken its input.
    void WaitUntilInFrontInsteadOf(HWND before);

    std::unique_ptr<EditorProcess> editor_;
    std::unique_ptr<MainWindowView> window_;
    std::unique_ptr<EditorProcess> otherEditor_;
    std::unique_ptr<MainWindowView> otherWindow_;
};

// The main window's caption for a project file name.
std::string CaptionFor(const std::string& fileName);
// The save-changes prompt's text for a project file name.
std::string PromptTextFor(const std::string& fileName);
// The error box's text for a project file that could not be written.
std::string WriteErrorTextFor(const std::string& path);
// The questions and the notice about a project file that another program changed or removed.
std::string ReloadTextFor(const std::string& fileName, bool discardingEdits);
std::string OverwriteTextFor(const std::string& fileName);
std::string GoneTextFor(const std::string& fileName);

// The titles the system gives its open and save dialogs, in the system's language whatever the
// program's: Japanese on a Japanese system, English on an English one (Wine in C.UTF-8).
bool SystemSpeaksJapanese();
inline const std::string OpenTitle = SystemSpeaksJapanese() ? "開く" : "Open";
inline const std::string SaveTitle = SystemSpeaksJapanese() ? "名前を付けて保存" : "Save As";
