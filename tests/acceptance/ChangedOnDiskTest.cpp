#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "acceptance/EditorFixture.h"
#include "acceptance/LockedFile.h"
#include "acceptance/ProjectFileCheck.h"
#include "acceptance/UserInput.h"
#include "acceptance/Wait.h"
#include "acceptance/WindowQuery.h"

// The file on disk is the truth: what another program does to the project file while the
// editor has it open (a version-control checkout, a second editor) is told when the editor
// comes back to the front and before a save writes over it, and never merged or overwritten
// without a word.

namespace {

// A project file as another tool writes it: every key, each value "<key> 1" unless
// given otherwise, and a section of the tool's own.
std::string ProjectText(const std::map<std::string, std::string>& values = {}) {
    std::string text = "[TOOL]\r\nkeep=this\r\n";
    std::string section;
    for (const ProjectField& field : ProjectFields) {
        if (section != field.Section) {
            section = field.Section;
            text += "[" + section + "]\r\n";
        }
        const std::string key = section + "/" + field.Key;
        text += std::string(field.Key) + "=" + (values.count(key) ? values.at(key) : key + " 1") + "\r\n";
    }
    return text;
}

class ChangedOnDisk : public EditorTest {
protected:
    const std::string path = folder / "p.zrt";

    void SetUp() override {
        EditorTest::SetUp();
        WriteFileBytes(path, ProjectText());
        ASSERT_NO_FATAL_FAILURE(OpenProject(path));
    }

    // The file holds, for every value, what the editor shows; the project
    // file keeps the other tool's section.
    void ExpectFileAsShown(const std::string& file) {
        for (std::size_t field = 0; field < ProjectFields.size(); ++field) {
            EXPECT_EQ(ReadProfileValue(file, ProjectFields[field].Section, ProjectFields[field].Key), FieldText(field))
                << ProjectFields[field].Key;
        }
        if (file == path) {
            EXPECT_EQ(ReadProfileValue(file, "TOOL", "keep"), "this");
        }
    }

    void ExpectReloadQuestion(bool discardingEdits, int answer) {
        ExpectBoxAndAnswer("the question whether to read the file again",
                           WidePath(ReloadTextFor(path, discardingEdits)),
                           discardingEdits ? IconLook::Exclamation : IconLook::Question, {IDYES, IDNO}, answer);
    }

    void ExpectOverwriteQuestion(int answer) {
        ExpectBoxAndAnswer("the question whether to write over the file", WidePath(OverwriteTextFor(path)),
                           IconLook::Exclamation, {IDYES, IDNO}, answer);
    }
};

const std::string FileVersion = "VERSION/FileVersion";
const std::string Comments = "VERSION/Comments";

}  // namespace

// Coming back to the editor after another program changed the file: Yes reads it again; with
// changes of its own, No keeps the screen, and the next save makes the file hold what it shows.
TEST_F(ChangedOnDisk, ComingBackOffersToReadTheFileAgain) {
    WriteFileBytes(path, ProjectText({{FileVersion, "2.0"}}));
    ASSERT_NO_FATAL_FAILURE(SwitchAwayAndBack());
    ExpectReloadQuestion(false, IDYES);
    ASSERT_TRUE(MainWindowBack());
    EXPECT_EQ(FieldText(VersionField("FileVersion")), "2.0");

    TypeIntoField(ProductNameField, "mine");
    WriteFileBytes(path, ProjectText({{FileVersion, "2.0"}, {Comments, "theirs"}}));
    ASSERT_NO_FATAL_FAILURE(SwitchAwayAndBack());
    ExpectReloadQuestion(true, IDNO);
    ASSERT_TRUE(MainWindowBack());
    EXPECT_EQ(FieldText(ProductNameField), "mine");
    EXPECT_EQ(FieldText(CommentsField), "VERSION/Comments 1");

    // Asked once for each change.
    ASSERT_NO_FATAL_FAILURE(SwitchAwayAndBack());
    EXPECT_TRUE(NoDialogWithin(1500)) << WhatShows();

    ASSERT_NO_FATAL_FAILURE(SaveAndWait(path, "VERSION", "ProductName", "mine"));
    EXPECT_TRUE(NoDialogWithin(500)) << WhatShows();
    ExpectFileAsShown(path);
}

// A save to a file that another program changed since the editor read it asks first: No writes
// nothing and keeps the window open on a close; Yes makes the file hold what the editor shows.
TEST_F(ChangedOnDisk, ASaveAsksBeforeWritingOverAnotherProgramsChange) {
    TypeIntoField(CommentsField, "mine");
    const std::string theirs = ProjectText({{FileVersion, "theirs"}, {Comments, "theirs"}});
    WriteFileBytes(path, theirs);

    PressKey('S', {VK_CONTROL});
    ExpectOverwriteQuestion(IDNO);
    ASSERT_TRUE(MainWindowBack());
    EXPECT_EQ(ReadFileBytes(path), theirs);

    PressAltF4();
    const HWND prompt = ExpectPrompt(path);
    ASSERT_TRUE(prompt);
    Answer(prompt, IDYES);
    ExpectOverwriteQuestion(IDNO);
    ASSERT_TRUE(MainWindowBack());
    EXPECT_TRUE(Editor().Running()) << "the window closed although its save was called off";
    EXPECT_EQ(ReadFileBytes(path), theirs);

    PressKey('S', {VK_CONTROL});
    ExpectOverwriteQuestion(IDYES);
    ASSERT_TRUE(MainWindowBack());
    ASSERT_TRUE(WaitUntil([&] { return ReadProfileValue(path, "VERSION", "Comments") == "mine"; }));
    EXPECT_EQ(FieldText(VersionField("FileVersion")), "VERSION/FileVersion 1");
    ExpectFileAsShown(path);
}

// A Save As that failed named the project after the file it could not write; the file the
// project came from is still the one watched: its change is asked about by its own name, and Yes
// reads that file again.
TEST_F(ChangedOnDisk, AfterAFailedSaveAsTheFileTheProjectCameFromIsWatched) {
    TypeIntoField(CommentsField, "mine");
    const std::string other = folder / "beta.zrt";
    WriteFileBytes(other, ProjectText());
    {
        LockedFile lock(other);
        ASSERT_TRUE(lock.Held());
        ChooseFileMenuItem('A');
        const HWND dialog = ExpectFileDialog(SaveTitle);
        ASSERT_TRUE(dialog);
        ASSERT_NO_FATAL_FAILURE(ChooseReplacingInFileDialog(dialog, other));
        ASSERT_NO_FATAL_FAILURE(ExpectErrorAndOk(WidePath(WriteErrorTextFor(other))));
    }
    EXPECT_EQ(Window().Caption(), CaptionFor(other));

    WriteFileBytes(path, ProjectText({{FileVersion, "2.0"}}));
    ASSERT_NO_FATAL_FAILURE(SwitchAwayAndBack());
    ExpectReloadQuestion(true, IDYES);
    ASSERT_TRUE(MainWindowBack());
    EXPECT_EQ(Window().Caption(), CaptionFor(path));
    EXPECT_EQ(FieldText(VersionField("FileVersion")), "2.0");
    EXPECT_EQ(FieldText(CommentsField), "VERSION/Comments 1");
}

// Another program writes the file while a long save runs: the save keeps it out, so its write
// either fails then or lands after the save, to be asked about on the way back. Nothing is lost.
TEST_F(ChangedOnDisk, AChangeDuringALongSaveIsKeptOutOrAskedAbout) {
    std::string big = ProjectText();
    big += "[BIG]\r\n";
    for (int line = 0; big.size() < 30u * 1024u * 1024u; ++line) {
        big += "k" + std::to_string(line) + "=" + std::string(80, 'x') + "\r\n";
    }
    WriteFileBytes(path, big);
    ASSERT_NO_FATAL_FAILURE(SwitchAwayAndBack());
    ExpectReloadQuestion(false, IDYES);
    ASSERT_TRUE(WaitUntil([&] { return Window().Caption() == CaptionFor(path); }, 60000));
    TypeIntoField(CommentsField, "mine");

    PressKey('S', {VK_CONTROL});
    Sleep(400);
    const bool written = WritePrivateProfileStringA("VERSION", "FileVersion", "theirs", path.c_str()) != FALSE;
    ASSERT_TRUE(WaitUntil([&] { return ReadProfileValue(path, "VERSION", "Comments") == "mine"; }, 60000));
    ASSERT_TRUE(MainWindowBack());
    if (!written) {
        EXPECT_EQ(ReadProfileValue(path, "VERSION", "FileVersion"), "VERSION/FileVersion 1");
        return;
    }
    EXPECT_EQ(ReadProfileValue(path, "VERSION", "FileVersion"), "theirs");
    ASSERT_NO_FATAL_FAILURE(SwitchAwayAndBack());
    ExpectReloadQuestion(false, IDYES);
    ASSERT_TRUE(WaitUntil([&] { return FieldText(VersionField("FileVersion")) == "theirs"; }, 60000));
}

// Deleted or moved away: said once when the editor comes back; the project then counts as
// changed, and Save makes the file anew under its name.
TEST_F(ChangedOnDisk, AFileThatIsGoneIsToldOnceAndSavedAnew) {
    ASSERT_TRUE(DeleteFileA(path.c_str()));
    ASSERT_NO_FATAL_FAILURE(SwitchAwayAndBack());
    ExpectBoxAndAnswer("the notice that the file is gone", WidePath(GoneTextFor(path)), IconLook::Exclamation, {IDOK},
                       IDOK);
    ASSERT_TRUE(MainWindowBack());
    ASSERT_NO_FATAL_FAILURE(SwitchAwayAndBack());
    EXPECT_TRUE(NoDialogWithin(1500)) << WhatShows();

    PressAltF4();
    const HWND prompt = ExpectPrompt(path);
    ASSERT_TRUE(prompt);
    Answer(prompt, IDCANCEL);
    ASSERT_TRUE(MainWindowBack());

    ASSERT_NO_FATAL_FAILURE(SaveAndWait(path, "VERSION", "SpecialBuild", "VERSION/SpecialBuild 1"));
    std::size_t keys = 0;
    for (const ProfileSection& section : ReadProfileLines(path)) {
        keys += section.Entries.size();
    }
    EXPECT_EQ(keys, ProjectFields.size());
}

// Replaced by something that is no project file: the save refuses as Open does and writes
// nothing into it; Save As to another name still works.
TEST_F(ChangedOnDisk, AFileThatBecameNoProjectFileIsNotWrittenInto) {
    TypeIntoField(CommentsField, "mine");
    const std::string binary = "MZ" + std::string(4096, '\0');
    WriteFileBytes(path, binary);
    PressKey('S', {VK_CONTROL});
    ASSERT_NO_FATAL_FAILURE(ExpectErrorAndOk(WidePath(path + " はプロジェクト ファイルではありません.")));
    EXPECT_EQ(ReadFileBytes(path), binary);
    EXPECT_EQ(Window().Caption(), CaptionFor(path));

    const std::string other = folder / "other.zrt";
    PressKey('S', {VK_CONTROL});
    ASSERT_NO_FATAL_FAILURE(ExpectErrorAndOk(WidePath(path + " はプロジェクト ファイルではありません.")));
    ChooseFileMenuItem('A');
    const HWND dialog = ExpectFileDialog(SaveTitle);
    ASSERT_TRUE(dialog);
    ChooseInFileDialog(dialog, other);
    ASSERT_TRUE(MainWindowBack());
    ASSERT_TRUE(WaitUntil([&] { return ReadProfileValue(other, "VERSION", "Comments") == "mine"; }));
    ExpectFileAsShown(other);
    EXPECT_EQ(ReadFileBytes(path), binary);
}

// Two editors on one file are two programs: each sees the other's save when it comes back,
// and neither's change is lost.
TEST_F(ChangedOnDisk, TwoEditorsOnOneFileEachKeepTheOthersChange) {
    ASSERT_NO_FATAL_FAILURE(StartSecondEditor());
    ASSERT_NO_FATAL_FAILURE(OpenProject(path));
    TypeIntoField(ProductNameField, "second's");
    ASSERT_NO_FATAL_FAILURE(SaveAndWait(path, "VERSION", "ProductName", "second's"));

    ASSERT_NO_FATAL_FAILURE(SwitchEditor());
    ExpectReloadQuestion(false, IDYES);
    ASSERT_TRUE(MainWindowBack());
    EXPECT_EQ(FieldText(ProductNameField), "second's");
    TypeIntoField(CommentsField, "first's");
    ASSERT_NO_FATAL_FAILURE(SaveAndWait(path, "VERSION", "Comments", "first's"));
    EXPECT_TRUE(NoDialogWithin(500)) << WhatShows();

    ASSERT_NO_FATAL_FAILURE(SwitchEditor());
    ExpectReloadQuestion(false, IDYES);
    ASSERT_TRUE(MainWindowBack());
    EXPECT_EQ(FieldText(CommentsField), "first's");
    EXPECT_EQ(FieldText(ProductNameField), "second's");
    ExpectFileAsShown(path);
}
