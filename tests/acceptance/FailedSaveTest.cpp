#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "acceptance/EditorFixture.h"
#include "acceptance/LockedFile.h"
#include "acceptance/ProjectFileCheck.h"
#include "acceptance/UserInput.h"
#include "acceptance/Wait.h"
#include "acceptance/WindowQuery.h"

// A save that cannot be written: into a folder that does not exist, or into a file another
// program holds open without sharing. One error box (the path, " に書き込めません" and a
// period, the application title, the error icon, OK); afterwards the window works on with
// its changes still unsaved.

namespace {

class FailedSave : public EditorTest {
protected:
    // Waits for the error box, checks it and presses OK.
    void ExpectWriteErrorAndOk(const std::string& path) {
        const HWND box = ExpectDialog("the error box for " + path);
        ASSERT_TRUE(box);
        const MessageBoxView seen = ReadMessageBox(box);
        EXPECT_EQ(seen.text, WriteErrorTextFor(path));
        EXPECT_EQ(seen.caption, ApplicationTitle);
        EXPECT_EQ(seen.icon, IconLook::Error) << "the box shows " << Describe(seen.icon);
        EXPECT_EQ(seen.buttons, (std::vector<int>{IDOK}));
        Answer(box, IDOK);
        EXPECT_TRUE(NoDialogWithin(500)) << "a second box followed the error";
        ASSERT_TRUE(MainWindowBack());
    }

    // The project is saved once to path, then changed.
    void SavedThenChanged(const std::string& path) {
        TypeIntoField(RuntimeField, "saved");
        PressKey('S', {VK_CONTROL});
        const HWND dialog = ExpectFileDialog(SaveTitle);
        ASSERT_TRUE(dialog);
        ChooseInFileDialog(dialog, path);
        ASSERT_TRUE(MainWindowBack());
        ASSERT_TRUE(WaitUntil([&] { return ReadProfileValue(path, "RUNTIME", "filename") == "saved"; }));
        TypeIntoField(RuntimeField, "unsaved");
    }
};

}  // namespace

TEST_F(FailedSave, IntoAMissingFolderShowsTheErrorAndKeepsTheChanges) {
    const HWND edit = FocusField(VersionField("FileDescription"));
    TypeIntoField(VersionField("FileDescription"), "説明文");
    PressKey('S', {VK_CONTROL});
    const HWND dialog = ExpectFileDialog(SaveTitle);
    ASSERT_TRUE(dialog);
    const std::string path = folder / "ない\\p.zrt";
    ChooseInFileDialog(dialog, path);
    ASSERT_NO_FATAL_FAILURE(ExpectWriteErrorAndOk(path));
    // The user types on where the error interrupted.
    EXPECT_EQ(Focus(), edit) << "the focus is on " << Describe(Focus());

    // The name chosen has become the project's, the changes are still there and unsaved.
    EXPECT_EQ(Window().Caption(), CaptionFor(path));
    EXPECT_EQ(FieldText(VersionField("FileDescription")), "説明文");
    EXPECT_FALSE(FileExists(path));

    // A project never saved still asks for a name on the next Save.
    PressKey('S', {VK_CONTROL});
    const HWND again = ExpectFileDialog(SaveTitle);
    ASSERT_TRUE(again) << "the next Save did not ask for a name";
    const std::string good = folder / "p.zrt";
    ChooseInFileDialog(again, good);
    ASSERT_TRUE(MainWindowBack());
    EXPECT_TRUE(WaitUntil([&] { return ReadProfileValue(good, "VERSION", "FileDescription") == "説明文"; }));
    EXPECT_EQ(Window().Caption(), CaptionFor(good));
}

// AUX, which the dialog makes AUX.zrt, names a device, as AUX itself does: no file to save
// into. The error comes at once, and the editor answers on.
TEST_F(FailedSave, IntoADeviceNameShowsTheErrorAndTheEditorGoesOn) {
    TypeIntoField(CommentsField, "mine");
    ChooseFileMenuItem('A');
    const HWND dialog = ExpectFileDialog(SaveTitle);
    ASSERT_TRUE(dialog);
    // The dialog takes the device for a file that is there.
    ASSERT_NO_FATAL_FAILURE(ChooseReplacingInFileDialog(dialog, folder / "AUX"));
    ASSERT_NO_FATAL_FAILURE(ExpectWriteErrorAndOk(folder / "AUX.zrt"));
    EXPECT_EQ(FieldText(CommentsField), "mine");

    ChooseFileMenuItem('A');
    const HWND again = ExpectFileDialog(SaveTitle);
    ASSERT_TRUE(again);
    const std::string good = folder / "p.zrt";
    ChooseInFileDialog(again, good);
    ASSERT_TRUE(MainWindowBack());
    EXPECT_TRUE(WaitUntil([&] { return ReadProfileValue(good, "VERSION", "Comments") == "mine"; }));
}

TEST_F(FailedSave, IntoAFileHeldOpenShowsTheErrorAndTheNextSaveWorks) {
    const std::string path = folder / "握られた.zrt";
    ASSERT_NO_FATAL_FAILURE(SavedThenChanged(path));
    LockedFile lock(path);
    ASSERT_TRUE(lock.Held());

    PressKey('S', {VK_CONTROL});
    ASSERT_NO_FATAL_FAILURE(ExpectWriteErrorAndOk(path));
    EXPECT_EQ(FieldText(RuntimeField), "unsaved");
    EXPECT_EQ(Window().Caption(), CaptionFor(path));

    lock.Release();
    PressKey('S', {VK_CONTROL});
    EXPECT_TRUE(NoDialogWithin(1000));
    EXPECT_TRUE(WaitUntil([&] { return ReadProfileValue(path, "RUNTIME", "filename") == "unsaved"; }));
}

TEST_F(FailedSave, OnCloseKeepsTheWindowOpenAndTheNextCloseAsksAgain) {
    const std::string path = folder / "閉じる.zrt";
    ASSERT_NO_FATAL_FAILURE(SavedThenChanged(path));
    LockedFile lock(path);
    ASSERT_TRUE(lock.Held());

    PressAltF4();
    HWND prompt = ExpectPrompt(path);
    ASSERT_TRUE(prompt);
    Answer(prompt, IDYES);
    ASSERT_NO_FATAL_FAILURE(ExpectWriteErrorAndOk(path));
    EXPECT_TRUE(Editor().Running()) << "the editor ended although its save failed";
    EXPECT_EQ(FieldText(RuntimeField), "unsaved");

    lock.Release();
    PressAltF4();
    prompt = ExpectPrompt(path);
    ASSERT_TRUE(prompt) << "the second close did not ask";
    Answer(prompt, IDYES);
    ExpectEndsCleanly();
    EXPECT_EQ(ReadProfileValue(path, "RUNTIME", "filename"), "unsaved");
}

// A save that fails inside the prompt of New or Open stops the command there.
TEST_F(FailedSave, InThePromptOfNewOrOpenStopsTheCommand) {
    TypeIntoField(RuntimeField, "unsaved");
    const std::string path = folder / "ない\\p.zrt";
    // The name chosen for the failed save becomes the project's; the project still has no
    // file, so the next prompt's Yes asks for a name again.
    std::string named = UntitledName;
    for (const char command : {'N', 'O'}) {
        SCOPED_TRACE(command == 'N' ? "New" : "Open");
        PressKey(static_cast<WORD>(command), {VK_CONTROL});
        const HWND prompt = ExpectPrompt(named);
        ASSERT_TRUE(prompt);
        Answer(prompt, IDYES);
        const HWND dialog = ExpectFileDialog(SaveTitle);
        ASSERT_TRUE(dialog);
        ChooseInFileDialog(dialog, path);
        ASSERT_NO_FATAL_FAILURE(ExpectWriteErrorAndOk(path));
        named = path;
        EXPECT_EQ(FieldText(RuntimeField), "unsaved");
        EXPECT_EQ(Window().Caption(), CaptionFor(path));
    }
    PressAltF4();
    const HWND prompt = ExpectPrompt(path);
    ASSERT_TRUE(prompt) << "the changes no longer count as unsaved";
    Answer(prompt, IDCANCEL);
}
