#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "acceptance/EditorFixture.h"
#include "acceptance/ProjectFileCheck.h"
#include "acceptance/UserInput.h"
#include "acceptance/Wait.h"
#include "acceptance/WindowQuery.h"

// Saving: the save dialog on a project that has no file yet, the extension it adds, the file
// it leaves (every key in order, nothing else), the caption that names it; Save As,
// which always asks, and asks again before replacing a file that exists.

namespace {

class Save : public EditorTest {
protected:
    // The file holds the four sections with every key in order, and the values.
    void ExpectProjectFile(const std::string& path, const std::vector<std::string>& values) {
        ASSERT_TRUE(FileExists(path)) << path;
        const std::vector<ProfileSection> sections = ReadProfileLines(path);
        std::vector<std::string> expected;
        std::vector<std::string> found;
        std::string section;
        for (std::size_t field = 0; field < ProjectFields.size(); ++field) {
            if (section != ProjectFields[field].Section) {
                section = ProjectFields[field].Section;
                expected.push_back("[" + section + "]");
            }
            expected.push_back(std::string(ProjectFields[field].Key) + "=" + values[field]);
        }
        for (const ProfileSection& read : sections) {
            found.push_back("[" + read.Name + "]");
            for (const auto& entry : read.Entries) {
                found.push_back(entry.first + "=" + entry.second);
            }
        }
        EXPECT_EQ(found, expected) << "in " << path;
    }

    std::vector<std::string> EmptyValuesBut(std::size_t field, const std::string& value) {
        std::vector<std::string> values(ProjectFields.size());
        values[field] = value;
        return values;
    }
};

}  // namespace

TEST_F(Save, TypicalRoadFromTypingToAFileNamedInTheCaption) {
    const std::string icon = "C:\\素材\\表アイコン.ico";
    TypeIntoField(IconField, icon);
    EXPECT_EQ(Window().Caption(), CaptionFor(UntitledName)) << "typing changed the caption";

    PressKey('S', {VK_CONTROL});
    const HWND dialog = ExpectFileDialog(SaveTitle);
    ASSERT_TRUE(dialog);
    const FileDialogView view = ReadFileDialog(dialog);
    EXPECT_EQ(view.fileName, UntitledName);
    EXPECT_EQ(view.filter, "ZRT ファイル (*.zrt)");
    const std::string typed = folder / "プロジェクト";
    ChooseInFileDialog(dialog, typed);
    ASSERT_TRUE(MainWindowBack());

    const std::string saved = typed + ".zrt";
    ASSERT_TRUE(WaitUntil([&] { return FileExists(saved); })) << "no file " << saved;
    EXPECT_FALSE(FileExists(typed)) << "a file without the extension was written too";
    ASSERT_TRUE(WaitUntil([&] { return Window().Caption() == CaptionFor(saved); }))
        << "the caption reads " << Window().Caption();
    Editor().WaitForIdle();
    ExpectProjectFile(saved, EmptyValuesBut(IconField, icon));
    EXPECT_EQ(CaptionOf(Editor().ApplicationWindow()), ApplicationTitle) << "the taskbar button changed";

    // Saved means clean: a close asks nothing.
    PressAltF4();
    EXPECT_TRUE(NoDialogWithin(1000)) << "a box or dialog showed on closing a saved project";
    ExpectEndsCleanly();
}

TEST_F(Save, ASavedProjectIsSavedAgainWithoutADialog) {
    const std::string path = folder / "again.zrt";
    TypeIntoField(RuntimeField, "first");
    PressKey('S', {VK_CONTROL});
    const HWND dialog = ExpectFileDialog(SaveTitle);
    ASSERT_TRUE(dialog);
    ChooseInFileDialog(dialog, path);
    ASSERT_TRUE(MainWindowBack());
    ASSERT_TRUE(WaitUntil([&] { return ReadProfileValue(path, "RUNTIME", "filename") == "first"; }));

    TypeIntoField(FirstVersionField, "1.0.0.1");
    PressKey('S', {VK_CONTROL});
    EXPECT_TRUE(NoDialogWithin(1000)) << "Save on a saved project showed a dialog";
    EXPECT_TRUE(WaitUntil([&] { return ReadProfileValue(path, "VERSION", "FileVerNumber") == "1.0.0.1"; }));
    EXPECT_EQ(Window().Caption(), CaptionFor(path));
}

TEST_F(Save, SaveAsAlwaysAsksAndTheNextSaveWritesToTheNewName) {
    const std::string first = folder / "first.zrt";
    const std::string second = folder / "second.zrt";
    TypeIntoField(RuntimeField, "one");
    ChooseFileMenuItem('A');
    HWND dialog = ExpectFileDialog(SaveTitle);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ReadFileDialog(dialog).fileName, UntitledName);
    ChooseInFileDialog(dialog, first);
    ASSERT_TRUE(MainWindowBack());
    ASSERT_TRUE(WaitUntil([&] { return Window().Caption() == CaptionFor(first); })) << Window().Caption();

    // Save As on a project that has a file asks again, offering the current name.
    ChooseFileMenuItem('A');
    dialog = ExpectFileDialog(SaveTitle);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ReadFileDialog(dialog).fileName, "first.zrt");
    ChooseInFileDialog(dialog, second);
    ASSERT_TRUE(MainWindowBack());
    ASSERT_TRUE(WaitUntil([&] { return Window().Caption() == CaptionFor(second); })) << Window().Caption();
    EXPECT_EQ(ReadProfileValue(second, "RUNTIME", "filename"), "one");

    TypeIntoField(RuntimeField, "two");
    PressKey('S', {VK_CONTROL});
    EXPECT_TRUE(NoDialogWithin(1000));
    EXPECT_TRUE(WaitUntil([&] { return ReadProfileValue(second, "RUNTIME", "filename") == "two"; }));
    EXPECT_EQ(ReadProfileValue(first, "RUNTIME", "filename"), "one");
}

TEST_F(Save, SaveAsOntoAnExistingFileAsksBeforeReplacingIt) {
    const std::string existing = folder / "既存.zrt";
    WriteFileBytes(existing, "[RUNTIME]\r\nfilename=old.bin\r\n[MINE]\r\nkept=yes\r\n");
    TypeIntoField(RuntimeField, "new.bin");
    ChooseFileMenuItem('A');
    HWND dialog = ExpectFileDialog(SaveTitle);
    ASSERT_TRUE(dialog);

    // No: the dialog stays for another name, and the file is untouched.
    TypeFileNameAndEnter(dialog, existing);
    HWND question = ExpectDialog("a question before replacing " + existing, dialog);
    ASSERT_TRUE(question);
    EXPECT_EQ(ReadMessageBox(question).buttons, (std::vector<int>{IDYES, IDNO}));
    Answer(question, IDNO);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) && IsWindowEnabled(dialog); }))
        << "the save dialog did not stay open after No";
    EXPECT_EQ(ReadProfileValue(existing, "RUNTIME", "filename"), "old.bin");
    EXPECT_EQ(Window().Caption(), CaptionFor(UntitledName));

    // Yes: the project is written into that file.
    TypeFileNameAndEnter(dialog, existing);
    question = ExpectDialog("the question again", dialog);
    ASSERT_TRUE(question);
    Answer(question, IDYES);
    ASSERT_TRUE(MainWindowBack());
    EXPECT_TRUE(WaitUntil([&] { return ReadProfileValue(existing, "RUNTIME", "filename") == "new.bin"; }));
    EXPECT_EQ(Window().Caption(), CaptionFor(existing));
    // Storing sets values; what else the file held stays.
    EXPECT_EQ(ReadProfileValue(existing, "MINE", "kept"), "yes");
}
