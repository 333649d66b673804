#include "acceptance/EditorFixture.h"

#include "acceptance/ProjectFileCheck.h"
#include "acceptance/UserInput.h"
#include "acceptance/Wait.h"
#include "acceptance/WindowQuery.h"

namespace {

// Takes what the system sends this program's own windows while a test waits.
void TakeMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
}

}  // namespace

bool SystemSpeaksJapanese() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
}

std::string CaptionFor(const std::string& fileName) {
    return fileName + " - " + ApplicationTitle;
}

std::string PromptTextFor(const std::string& fileName) {
    return "ファイル " + fileName + " の内容が変更されています。\r\n\r\n変更を保存しますか?";
}

std::string WriteErrorTextFor(const std::string& path) {
    return path + " に書き込めません.";
}

std::string ReloadTextFor(const std::string& fileName, bool discardingEdits) {
    return "ファイル " + fileName + " は他のプログラムで変更されました。\r\n\r\n" +
           (discardingEdits ? "ここでの変更を破棄して、読み込み直しますか?" : "読み込み直しますか?");
}

std::string OverwriteTextFor(const std::string& fileName) {
    return "ファイル " + fileName + " は他のプログラムで変更されています。\r\n\r\n上書きしますか?";
}

std::string GoneTextFor(const std::string& fileName) {
    return "ファイル " + fileName + " が見つかりません。\r\n\r\n削除されたか、移動された可能性があります.";
}

void EditorTest::Start(WORD showCommand, const std::wstring& arguments, const std::string& folder) {
    editor_ = std::make_unique<EditorProcess>(showCommand, arguments, folder);
    WaitForMainWindow(showCommand);
}

void EditorTest::OpenThroughTheShell(const std::wstring& document) {
    editor_ = EditorProcess::OpenThroughTheShell(document);
    WaitForMainWindow(SW_SHOWNORMAL);
}

void EditorTest::WaitForMainWindow(WORD showCommand) {
    const HWND main = editor_->WaitForMainWindow();
    ASSERT_TRUE(main) << "the editor showed no main window with a page control"
                      << (editor_->Running() ? "" : " and ended with exit code " + std::to_string(editor_->ExitCode()));
    window_ = std::make_unique<MainWindowView>(main);
    if (showCommand == SW_SHOWMINNOACTIVE || showCommand == SW_SHOWMINIMIZED || showCommand == SW_MINIMIZE) {
        editor_->WaitForIdle();
        return;
    }
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; })) << "the main window never showed";
    editor_->WaitForIdle();
    Activate();
}

void EditorTest::TearDown() {
    window_.reset();
    editor_.reset();  // ends the process if it still runs
    otherWindow_.reset();
    otherEditor_.reset();
}

void EditorTest::StartSecondEditor() {
    otherEditor_ = std::move(editor_);
    otherWindow_ = std::move(window_);
    Start();
}

void EditorTest::SwitchEditor() {
    const HWND before = window_->Handle();
    std::swap(editor_, otherEditor_);
    std::swap(window_, otherWindow_);
    SetForegroundWindow(window_->Handle());
    WaitUntilInFrontInsteadOf(before);
}

void EditorTest::WaitUntilInFrontInsteadOf(HWND before) {
    // The editor may put a box of its own in front as soon as it is there.
    const bool changed = WaitUntil([&] {
        TakeMessages();
        return GetForegroundWindow() != before;
    });
    editor_->WaitForIdle();
    EXPECT_TRUE(changed) << "the editor did not come to the front";
}

void EditorTest::Activate() {
    SetForegroundWindow(Window().Handle());
    WaitUntil([&] { return GetForegroundWindow() == Window().Handle(); }, 3000);
    editor_->WaitForIdle();
}

HWND EditorTest::FocusField(std::size_t field) {
    const ProjectField& wanted = ProjectFields[field];
    if (!ShowPage(wanted.OnPage)) {
        ADD_FAILURE() << "the page of \"" << wanted.Label << "\" did not show";
        return nullptr;
    }
    const HWND edit = Window().Edit(wanted);
    if (!edit) {
        ADD_FAILURE() << "no edit labelled \"" << wanted.Label << "\"";
        return nullptr;
    }
    if (Focus() == edit) {
        return edit;
    }
    if (wanted.OnPage == Page::General) {
        ClickCentreOf(edit);
    } else {
        for (int presses = 0; presses < 16 && Focus() != edit; ++presses) {
            const HWND before = Focus();
            PressKey(VK_TAB);
            WaitUntil([&] { return Focus() != before; }, 2000);
        }
    }
    if (!WaitUntil([&] { return Focus() == edit; }, 3000)) {
        ADD_FAILURE() << "the focus did not reach the edit labelled \"" << wanted.Label << "\"; it is on "
                      << Describe(Focus());
        return nullptr;
    }
    return edit;
}

void EditorTest::TypeIntoField(std::size_t field, const std::string& text) {
    const HWND edit = FocusField(field);
    if (!edit) {
        return;
    }
    PressKey(VK_END);
    PressKey(VK_HOME, {VK_SHIFT});
    PressKey(VK_DELETE);
    TypeText(text);
    if (!WaitUntil([&] { return TextOf(edit) == text; })) {
        ADD_FAILURE() << "typed \"" << text << "\" into \"" << ProjectFields[field].Label << "\", which shows \""
                      << TextOf(edit) << "\"";
    }
}

std::string EditorTest::FieldText(std::size_t field) {
    const ProjectField& wanted = ProjectFields[field];
    if (!ShowPage(wanted.OnPage)) {
        return "<page not shown>";
    }
    const HWND edit = Window().Edit(wanted);
    return edit ? TextOf(edit) : "<no edit labelled " + std::string(wanted.Label) + ">";
}

HWND EditorTest::ExpectDialog(const std::string& what, HWND passOver) {
    const HWND dialog = WaitForDialog(editor_->Id(), ReactionTimeout, passOver);
    if (!dialog) {
        ADD_FAILURE() << "expected " << what << ", but none showed; " << WhatShows();
        return nullptr;
    }
    // Modal: while it shows, the user can reach no other window of the program.
    EXPECT_FALSE(IsWindowVisible(window_->Handle()) && IsWindowEnabled(window_->Handle()))
        << "the main window takes input while " << what << " shows";
    return dialog;
}

bool EditorTest::NoDialogWithin(DWORD milliseconds) {
    return WaitForDialog(editor_->Id(), milliseconds) == nullptr;
}

HWND EditorTest::ExpectFileDialog(const std::string& title) {
    const HWND dialog = ExpectDialog("the file dialog \"" + title + "\"");
    if (!dialog) {
        return nullptr;
    }
    if (!IsFileDialog(dialog)) {
        const MessageBoxView box = ReadMessageBox(dialog);
        ADD_FAILURE() << "expected the file dialog \"" << title << "\", but a box \"" << box.caption
                      << "\" showed, saying \"" << box.text << "\"";
        return nullptr;
    }
    EXPECT_EQ(CaptionOf(dialog), title);
    return dialog;
}

void EditorTest::ChooseInFileDialog(HWND dialog, const std::string& path) {
    TypeFileNameAndEnter(dialog, path);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }))
        << "the file dialog stayed open after \"" << path << "\" and Enter";
}

void EditorTest::ChooseReplacingInFileDialog(HWND dialog, const std::string& path) {
    TypeFileNameAndEnter(dialog, path);
    const HWND replace = ExpectDialog("the save dialog's question whether to replace " + path, dialog);
    ASSERT_TRUE(replace);
    Answer(replace, IDYES);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }))
        << "the file dialog stayed open after replacing \"" << path << "\"";
}

void EditorTest::ChooseInFileDialog(HWND dialog, const std::wstring& path) {
    TypeFileNameAndEnter(dialog, path);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }))
        << "the file dialog stayed open after a name in UTF-16 and Enter";
}

void EditorTest::CancelDialog(HWND dialog) {
    Answer(dialog, IDCANCEL);
}

HWND EditorTest::ExpectPrompt(const std::string& fileName) {
    const HWND box = ExpectDialog("the save-changes prompt");
    if (!box) {
        return nullptr;
    }
    const MessageBoxView seen = ReadMessageBox(box);
    EXPECT_EQ(seen.text, PromptTextFor(fileName));
    EXPECT_EQ(seen.caption, ApplicationTitle);
    EXPECT_EQ(seen.icon, IconLook::Exclamation) << "the prompt shows " << Describe(seen.icon);
    EXPECT_EQ(seen.buttons, (std::vector<int>{IDYES, IDNO, IDCANCEL}));
    return box;
}

void EditorTest::ExpectBoxAndAnswer(const std::string& what,
                                    const std::wstring& text,
                                    IconLook icon,
                                    const std::vector<int>& buttons,
                                    int answer) {
    const HWND box = ExpectDialog(what);
    if (!box) {
        return;
    }
    const MessageBoxView seen = ReadMessageBox(box);
    EXPECT_EQ(seen.unicodeText, text) << seen.text;
    EXPECT_EQ(seen.caption, ApplicationTitle);
    EXPECT_EQ(seen.icon, icon) << what << " shows " << Describe(seen.icon);
    EXPECT_EQ(seen.buttons, buttons);
    Answer(box, answer);
}

void EditorTest::ExpectErrorAndOk(const std::wstring& text) {
    ExpectBoxAndAnswer("an error box", text, IconLook::Error, {IDOK}, IDOK);
    ASSERT_TRUE(MainWindowBack());
}

void EditorTest::OpenProject(const std::string& path) {
    PressKey('O', {VK_CONTROL});
    const HWND dialog = ExpectFileDialog(OpenTitle);
    ASSERT_TRUE(dialog);
    ChooseInFileDialog(dialog, path);
    ASSERT_TRUE(MainWindowBack());
    ASSERT_TRUE(WaitUntil([&] { return Window().Caption() == CaptionFor(path); }));
    Editor().WaitForIdle();
}

void EditorTest::SaveAndWait(const std::string& path,
                             const std::string& section,
                             const std::string& key,
                             const std::string& value) {
    PressKey('S', {VK_CONTROL});
    ASSERT_TRUE(WaitUntil([&] { return ReadProfileValue(path, section, key) == value; }))
        << "the file still holds " << ReadProfileValue(path, section, key) << "; " << WhatShows();
    // The value is there as soon as the copy took the file's place; the save ends after that.
    Editor().WaitForIdle();
}

void EditorTest::SwitchAwayAndBack() {
    static const char* const className = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ZubAnotherProgram";
        RegisterClassA(&windowClass);
        return windowClass.lpszClassName;
    }();
    const HWND other = CreateWindowExA(0, className, "another program", WS_POPUP | WS_VISIBLE | WS_CAPTION, 0, 0, 200,
                                       100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(other);
    SetForegroundWindow(other);
    const bool away = WaitUntil([&] {
        TakeMessages();
        return GetForegroundWindow() == other;
    });
    editor_->WaitForIdle();
    SetForegroundWindow(window_->Handle());
    WaitUntilInFrontInsteadOf(other);
    DestroyWindow(other);
    TakeMessages();
    ASSERT_TRUE(away) << "another program's window did not come to the front";
}

void EditorTest::Answer(HWND box, int button) {
    ClickDialogButton(box, button);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }))
        << "the box stayed open after a click on button " << button;
}

bool EditorTest::MainWindowBack() {
    const bool back = WaitUntil([&] {
        return IsWindowEnabled(Window().Handle()) && ActiveWindowOf(UiThread()) == Window().Handle() &&
               VisibleDialogsOf(editor_->Id()).empty();
    });
    // The command that ran the dialog goes on once it has closed: let it finish.
    editor_->WaitForIdle();
    if (!back) {
        ADD_FAILURE() << "the main window did not take input again; " << WhatShows();
    }
    return back;
}

std::string EditorTest::WhatShows() const {
    if (!editor_->Running()) {
        return "the editor has ended with exit code " + std::to_string(editor_->ExitCode());
    }
    std::string seen = "the main window is " + std::string(IsWindowEnabled(window_->Handle()) ? "enabled" : "disabled");
    for (const HWND dialog : VisibleDialogsOf(editor_->Id())) {
        seen += "; \"" + CaptionOf(dialog) + "\" shows";
        if (IsFileDialog(dialog)) {
            seen += " the name \"" + ReadFileDialog(dialog).fileName + "\"";
        } else {
            seen += " \"" + ReadMessageBox(dialog).text + "\"";
        }
    }
    return seen;
}

void EditorTest::PressAltF4() {
    PressKey(VK_F4, {VK_MENU});
}

void EditorTest::ClickCloseButton() {
    const POINT point = Window().CloseButtonPoint();
    ASSERT_GE(point.x, 0) << "no close button in the title bar";
    ClickAt(point);
}

HWND EditorTest::OpenMenu() const {
    // A menu opens as a pop-up window of the editor's thread.
    for (const HWND window : TopLevelWindowsOf(editor_->Id())) {
        if (ClassNameOf(window) == "#32768" && IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

void EditorTest::ChooseFileMenuItem(char accessKey) {
    PressKey('F', {VK_MENU});
    if (!WaitUntil([&] { return OpenMenu() != nullptr; }, 3000)) {
        ADD_FAILURE() << "Alt+F opened no menu; the focus is on " << Describe(Focus());
    }
    PressKey(static_cast<WORD>(accessKey));
}

void EditorTest::ExpectEndsCleanly() {
    ASSERT_TRUE(editor_->WaitForExit(ReactionTimeout)) << "the editor is still running";
    EXPECT_EQ(editor_->ExitCode(), 0u);
}
