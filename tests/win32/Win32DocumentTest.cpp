#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "document/Document.h"
#include "doubles/ScriptedWindow.h"
#include "platform/Exception.h"
#include "platform/dialogs/ModalFrame.h"
#include "platform/disk/Win32DiskFiles.h"
#include "platform/profile/Win32IniFile.h"
#include "ui/Dialogs.h"
#include "win32/DialogDriver.h"
#include "win32/TempFolder.h"

namespace {

constexpr Answer Yes = Answer::Yes;
constexpr Answer No = Answer::No;

// Another program holding a file open without sharing, so that every write to it fails.
class HeldWithoutSharing {
public:
    explicit HeldWithoutSharing(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~HeldWithoutSharing() { Release(); }
    HeldWithoutSharing(const HeldWithoutSharing&) = delete;
    HeldWithoutSharing& operator=(const HeldWithoutSharing&) = delete;

    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (Held()) {
            CloseHandle(handle_);
            handle_ = INVALID_HANDLE_VALUE;
        }
    }

private:
    HANDLE handle_;
};

class Win32DocumentTest : public testing::Test {
protected:
    TempFolder folder;
    ScriptedWindow window;
    TWin32DiskFiles disk;
    TDocument document{window, OpenWin32IniFile, disk};

    void SetUp() override {
        window.Document = &document;
        document.FormCreate();
    }

    void ExpectState(bool hasFile, bool modified) {
        EXPECT_EQ(document.HasFile(), hasFile);
        EXPECT_EQ(document.Modified(), modified);
    }

    void TypeEverywhere(const std::string& prefix) {
        for (std::size_t row = 0; row < ProjectRowCount; ++row) {
            window.Type(row, prefix + ProjectTable[row].Field);
        }
    }

    // What a fresh load of the file at path shows.
    std::string StoredValue(const std::string& path, std::size_t row) {
        TIniFile file(FilePathOf(path));
        return file.ReadEntry(ProjectTable[row].Section, ProjectTable[row].Key, "(missing)");
    }

    void ExpectRaised(const std::string& path, void (TDocument::*command)()) {
        try {
            (document.*command)();
            FAIL() << "the command did not raise";
        } catch (const EIniFileException& error) {
            EXPECT_EQ(error.Message(), FilePathOf(path) + " に書き込めません");
        }
    }
};

}  // namespace

TEST_F(Win32DocumentTest, SavesOpensAndSavesAsOnRealFiles) {
    const std::string first = folder / "表示.zrt";
    const std::string second = folder / "second.zrt";
    TypeEverywhere("値 ");
    window.SaveDialog.Answers.push_back(FilePathOf(first));
    document.MenuFileSaveClick();
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        EXPECT_EQ(StoredValue(first, row), "値 " + std::string(ProjectTable[row].Field));
    }
    ExpectState(true, false);

    document.MenuFileNewClick();
    window.OpenDialog.Answers.push_back(FilePathOf(first));
    document.MenuFileOpenClick();
    EXPECT_EQ(window.Values[ProjectRowOf("SpecialBuild")], "値 SpecialBuild");
    EXPECT_EQ(window.Caption(), FilePathOf(first) + " - ZUB Runtime Editor");
    ExpectState(true, false);

    window.Type(ProjectRowOf("RuntimeFile"), "changed.exe");
    window.SaveDialog.Answers.push_back(FilePathOf(second));
    document.MenuFileSaveAsClick();
    window.Type(ProjectRowOf("IconFile"), "changed.ico");
    document.MenuFileSaveClick();
    EXPECT_EQ(StoredValue(second, ProjectRowOf("RuntimeFile")), "changed.exe");
    EXPECT_EQ(StoredValue(second, ProjectRowOf("IconFile")), "changed.ico");
    EXPECT_EQ(StoredValue(first, ProjectRowOf("RuntimeFile")), "値 RuntimeFile");

    // A change prompts on close; Yes saves where the project came from.
    window.Type(ProjectRowOf("ManifestFile"), "app.manifest");
    window.PromptAnswers.push_back(Yes);
    document.MenuFileExitClick();
    EXPECT_TRUE(window.Closed);
    EXPECT_EQ(StoredValue(second, ProjectRowOf("ManifestFile")), "app.manifest");
}

TEST_F(Win32DocumentTest, OpeningAMissingFileGivesAnEmptyFiledProjectThatSaveCreates) {
    const std::string missing = folder / "missing.zrt";
    TypeEverywhere("old");
    window.PromptAnswers.push_back(No);
    window.OpenDialog.Answers.push_back(FilePathOf(missing));
    document.MenuFileOpenClick();
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        EXPECT_EQ(window.Values[row], "");
    }
    EXPECT_FALSE(FileExists(missing));
    ExpectState(true, false);

    document.MenuFileSaveClick();
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        EXPECT_EQ(StoredValue(missing, row), "");
    }
}

TEST_F(Win32DocumentTest, SaveAndSaveAsIntoAMissingFolderKeepTheFlags) {
    const std::string nowhere = folder / "no folder\\p.zrt";
    window.Type(ProjectRowOf("RuntimeFile"), "rt.exe");
    window.SaveDialog.Answers.push_back(FilePathOf(nowhere));
    ExpectRaised(nowhere, &TDocument::MenuFileSaveClick);
    EXPECT_EQ(document.CurrentFileName(), FilePathOf(nowhere));
    EXPECT_EQ(window.Caption(), FilePathOf(nowhere) + " - ZUB Runtime Editor");
    ExpectState(false, true);

    // Never saved, so the next Save asks again.
    const std::string good = folder / "p.zrt";
    window.SaveDialog.Answers.push_back(FilePathOf(good));
    document.MenuFileSaveClick();
    EXPECT_EQ(StoredValue(good, ProjectRowOf("RuntimeFile")), "rt.exe");
    ExpectState(true, false);

    window.SaveDialog.Answers.push_back(FilePathOf(nowhere));
    ExpectRaised(nowhere, &TDocument::MenuFileSaveAsClick);
    EXPECT_EQ(window.Caption(), FilePathOf(nowhere) + " - ZUB Runtime Editor");
    ExpectState(true, false);
    EXPECT_FALSE(FileExists(nowhere));
}

TEST_F(Win32DocumentTest, SaveOfAFileHeldOpenFailsUntilItIsReleased) {
    const std::string path = folder / "held.zrt";
    window.Type(ProjectRowOf("RuntimeFile"), "first");
    window.SaveDialog.Answers.push_back(FilePathOf(path));
    document.MenuFileSaveClick();
    const std::string saved = ReadFileBytes(path);

    window.Type(ProjectRowOf("RuntimeFile"), "second");
    HeldWithoutSharing holder(path);
    ASSERT_TRUE(holder.Held());
    ExpectRaised(path, &TDocument::MenuFileSaveClick);
    ExpectState(true, true);
    window.SaveDialog.Answers.push_back(FilePathOf(path));
    ExpectRaised(path, &TDocument::MenuFileSaveAsClick);
    ExpectState(true, true);
    holder.Release();
    EXPECT_EQ(ReadFileBytes(path), saved);

    document.MenuFileSaveClick();
    EXPECT_EQ(StoredValue(path, ProjectRowOf("RuntimeFile")), "second");
    ExpectState(true, false);
}

TEST_F(Win32DocumentTest, ASaveFirstStepThatFailsStopsNewOpenAndClose) {
    void (TDocument::*const commands[])() = {&TDocument::MenuFileNewClick, &TDocument::MenuFileOpenClick,
                                             &TDocument::MenuFileExitClick};
    const std::string path = folder / "held.zrt";
    const std::string nowhere = folder / "no folder\\p.zrt";
    for (int command = 0; command < 3; ++command) {
        SCOPED_TRACE(command);
        // A filed project whose file is held open.
        window.OpenDialog.Answers.push_back(FilePathOf(path));
        document.MenuFileOpenClick();
        window.Type(ProjectRowOf("IconFile"), "edited.ico");
        window.SaveDialog.Answers.push_back(FilePathOf(path));
        document.MenuFileSaveAsClick();
        window.Type(ProjectRowOf("IconFile"), "edited again.ico");
        {
            HeldWithoutSharing holder(path);
            ASSERT_TRUE(holder.Held());
            const std::size_t openRuns = window.OpenDialog.Offered.size();
            window.PromptAnswers.push_back(Yes);
            ExpectRaised(path, commands[command]);
            EXPECT_EQ(window.Values[ProjectRowOf("IconFile")], "edited again.ico");
            EXPECT_EQ(window.OpenDialog.Offered.size(), openRuns);
            EXPECT_FALSE(window.Closed);
            ExpectState(true, true);
        }
        EXPECT_EQ(StoredValue(path, ProjectRowOf("IconFile")), "edited.ico");

        // A new project named into a missing folder.
        window.PromptAnswers.push_back(No);
        document.MenuFileNewClick();
        window.Type(ProjectRowOf("RuntimeFile"), "typed");
        window.PromptAnswers.push_back(Yes);
        window.SaveDialog.Answers.push_back(FilePathOf(nowhere));
        ExpectRaised(nowhere, commands[command]);
        EXPECT_EQ(window.Values[ProjectRowOf("RuntimeFile")], "typed");
        EXPECT_EQ(document.CurrentFileName(), FilePathOf(nowhere));
        EXPECT_FALSE(window.Closed);
        ExpectState(false, true);

        // The next command works.
        window.PromptAnswers.push_back(Yes);
        window.SaveDialog.Answers.push_back(FilePathOf(path));
        window.OpenDialog.Answers.push_back(std::nullopt);
        (document.*commands[command])();
        EXPECT_EQ(StoredValue(path, ProjectRowOf("RuntimeFile")), "typed");
        EXPECT_EQ(window.Closed, command == 2);
        EXPECT_FALSE(document.Modified());
        window.Closed = false;
        window.OpenDialog.Answers.clear();
    }
}

namespace {

// The scripted window with the program's real message box, operated by a driver thread.
class WindowWithRealPrompt : public ScriptedWindow {
public:
    Answer Ask(const Box& question) override {
        Prompts.push_back(question);
        return AskInMessageBox(question);
    }
};

}  // namespace

TEST(Win32DocumentPrompt, TheRealBoxsAnswersYesNoCancelEscapeAndCloseAreReadAsMeant) {
    struct Case {
        const char* Name;
        DialogDriver::Action Answer;
        bool Saved;
        bool WentOn;
    };
    const Case cases[] = {
        {"Yes", [](HWND box) { PressDialogButton(box, IDYES); }, true, true},
        {"No", [](HWND box) { PressDialogButton(box, IDNO); }, false, true},
        {"Cancel", [](HWND box) { PressDialogButton(box, IDCANCEL); }, false, false},
        {"Escape", [](HWND box) { PostMessageA(GetDlgItem(box, IDYES), WM_KEYDOWN, VK_ESCAPE, 0); }, false, false},
        {"close button", [](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); }, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TempFolder folder;
        WindowWithRealPrompt window;
        TWin32DiskFiles disk;
        TDocument document{window, OpenWin32IniFile, disk};
        window.Document = &document;
        document.FormCreate();
        const std::string path = folder / "p.zrt";
        window.Type(ProjectRowOf("RuntimeFile"), "saved.exe");
        window.SaveDialog.Answers.push_back(FilePathOf(path));
        document.MenuFileSaveClick();
        window.Type(ProjectRowOf("RuntimeFile"), "typed.exe");

        std::string text;
        std::string caption;
        bool icon = false;
        {
            DialogDriver driver([&](HWND box) {
                text = DialogItemText(box, 0xFFFF);
                caption = WindowText(box);
                icon = HasIcon(box);
                c.Answer(box);
            });
            document.MenuFileNewClick();
            EXPECT_TRUE(driver.Acted());
        }
        EXPECT_NE(text.find(path), std::string::npos) << text;
        EXPECT_EQ(caption, "ZUB Runtime Editor");
        EXPECT_TRUE(icon);
        TIniFile file(FilePathOf(path));
        EXPECT_EQ(file.ReadEntry("RUNTIME", "filename", ""), c.Saved ? "typed.exe" : "saved.exe");
        EXPECT_EQ(window.Values[ProjectRowOf("RuntimeFile")], c.WentOn ? "" : "typed.exe");
        EXPECT_EQ(document.Modified(), !c.WentOn);
    }
}
