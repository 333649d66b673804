#include "document/ProjectFile.h"

#include <gtest/gtest.h>

#include <string>

#include "doubles/MemoryIniFile.h"
#include "doubles/RecordingEdits.h"

namespace {

const FilePath Path(u"C:\\𠮷田\\Café.zrt");

class ProjectFileTest : public testing::Test {
protected:
    MemoryIniFiles files;
    RecordingEdits edits;

    void Load(const FilePath& path = Path) { LoadProject(path, files.Opener(), edits); }
    void Store(const FilePath& path = Path, const TStoredProject* stored = nullptr) {
        const auto file = files.Opener()(path, IniFileUse::Save);
        StoreProject(*file, EditTexts(edits), stored);
        file->Commit();
    }

    void FillEdits(const std::string& prefix) {
        for (std::size_t row = 0; row < ProjectRowCount; ++row) {
            edits.Texts[row] = prefix + std::to_string(row);
        }
    }
};

}  // namespace

TEST(ProjectTable, RowsNameTheFileSectionsAndKeys) {
    EXPECT_STREQ(ProjectTable[0].Section, "RUNTIME");
    EXPECT_STREQ(ProjectTable[1].Section, "ICON");
    EXPECT_STREQ(ProjectTable[2].Section, "MANIFEST");
    for (std::size_t row = 0; row < 3; ++row) {
        EXPECT_STREQ(ProjectTable[row].Key, "filename");
    }
    for (std::size_t row = 3; row < ProjectRowCount; ++row) {
        EXPECT_STREQ(ProjectTable[row].Section, "VERSION");
        // The version keys are the fields' own names.
        EXPECT_STREQ(ProjectTable[row].Key, ProjectTable[row].Field);
    }
}

TEST_F(ProjectFileTest, StoreWritesEveryRowInTableOrderEmptyOnesIncluded) {
    FillEdits("v");
    edits.Texts[4].clear();
    Store();

    const auto& file = files.Files.at(Path);
    ASSERT_EQ(file.size(), ProjectRowCount);
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        EXPECT_EQ(file[row].Section, ProjectTable[row].Section);
        EXPECT_EQ(file[row].Key, ProjectTable[row].Key);
        EXPECT_EQ(file[row].Value, row == 4 ? "" : "v" + std::to_string(row));
    }
    EXPECT_EQ(files.Opened.size(), 1u);
    EXPECT_EQ(files.Released, 1);
    EXPECT_TRUE(edits.Changes.empty());
}

TEST_F(ProjectFileTest, StoreKeepsWhatElseTheFileHolds) {
    files.Files[Path] = {{"OTHER", "keep", "me"}, {"VERSION", "Extra", "too"}, {"ICON", "filename", "old.ico"}};
    FillEdits("n");
    Store();
    EXPECT_EQ(files.Value(Path, "OTHER", "keep"), "me");
    EXPECT_EQ(files.Value(Path, "VERSION", "Extra"), "too");
    EXPECT_EQ(files.Value(Path, "ICON", "filename"), "n1");
}

TEST_F(ProjectFileTest, LoadFillsTheRecordThenTheEditsInTableOrder) {
    FillEdits("stored");
    Store();
    edits = RecordingEdits();
    Load();
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        EXPECT_EQ(edits.Texts[row], "stored" + std::to_string(row));
        EXPECT_EQ(edits.Changes[row], row);
    }
    EXPECT_EQ(files.Released, 2);
}

TEST_F(ProjectFileTest, WhatTheFileLacksLoadsEmptyNotThePreviousProjectsValue) {
    FillEdits("x");
    Store(FilePath(u"C:\\p\\previous.zrt"));
    Load(FilePath(u"C:\\p\\previous.zrt"));

    files.Files[Path] = {{"ICON", "filename", "a.ico"}, {"VERSION", "FileVersion", ""}};
    Load();
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        const std::string expected = row == 1 ? "a.ico" : "";
        EXPECT_EQ(edits.Texts[row], expected) << ProjectTable[row].Field;
        EXPECT_EQ(edits.Texts[row], expected) << ProjectTable[row].Field;
    }

    Load(FilePath(u"C:\\p\\missing.zrt"));
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        EXPECT_EQ(edits.Texts[row], "");
        EXPECT_EQ(edits.Texts[row], "");
    }
}

TEST_F(ProjectFileTest, LoadingTheTextAnEditAlreadyHoldsReportsNoChange) {
    FillEdits("same");
    Store();
    edits.Changes.clear();
    Load();
    EXPECT_TRUE(edits.Changes.empty());
}

TEST_F(ProjectFileTest, ARefusedWriteOrCommitLeavesTheFileAsItWas) {
    FillEdits("old");
    Store();
    const MemoryIniFiles::File before = files.Files.at(Path);
    FillEdits("new");
    files.RefuseWrites(Path, 5);
    try {
        Store();
        FAIL() << "the store did not raise";
    } catch (const EIniFileException& error) {
        EXPECT_EQ(error.Message(), Path + " に書き込めません");
    }
    EXPECT_EQ(files.Files.at(Path), before);
    EXPECT_EQ(files.Released, 2);  // the profile object is released on the way out

    files.AllowWrites(Path);
    files.RefuseCommit(Path);
    EXPECT_THROW(Store(), EIniFileException);
    EXPECT_EQ(files.Files.at(Path), before);
    EXPECT_FALSE(files.Files.count(FilePath(u"C:\\p\\new.zrt")));
    files.RefuseCommit(FilePath(u"C:\\p\\new.zrt"));
    EXPECT_THROW(Store(FilePath(u"C:\\p\\new.zrt")), EIniFileException);
    EXPECT_FALSE(files.Files.count(FilePath(u"C:\\p\\new.zrt")));
}

TEST_F(ProjectFileTest, ARefusedLoadLeavesTheEditsAsTheyWere) {
    FillEdits("shown");
    for (const EIniFileException& error : {CannotReadIniFile(Path), NotAProjectFile(Path)}) {
        files.RefuseLoad(Path, error);
        try {
            Load();
            FAIL() << "the load did not raise";
        } catch (const EIniFileException& raised) {
            EXPECT_EQ(raised.Message(), error.Message());
        }
        for (std::size_t row = 0; row < ProjectRowCount; ++row) {
            EXPECT_EQ(edits.Texts[row], "shown" + std::to_string(row));
        }
    }
    EXPECT_EQ(CannotReadIniFile(Path).Message(), Path + " を読み込めません");
    EXPECT_EQ(NotAProjectFile(Path).Message(), Path + " はプロジェクト ファイルではありません");
}

// Saved back to the file it came from, a project writes what the user changed and what the
// file lacks, and leaves every other key as it is; any other file gets every row.
TEST_F(ProjectFileTest, ASaveToTheStoredFileWritesOnlyChangedRowsAndMissingKeys) {
    FillEdits("v");
    edits.Texts[5].clear();
    Store();
    files.Files.at(Path).erase(files.Files.at(Path).begin() + 5);  // the empty FileVersion gone meanwhile
    const TStoredProject stored{Path, EditTexts(edits)};
    edits.Texts[2] = "changed";
    edits.Texts[9] = "";
    files.Written.clear();

    Store(Path, &stored);
    EXPECT_EQ(files.Written,
              (std::vector<std::string>{"MANIFEST/filename", "VERSION/FileVersion", "VERSION/Comments"}));
    EXPECT_EQ(files.Value(Path, "VERSION", "FileVersion"), "");
    EXPECT_EQ(files.Value(Path, "VERSION", "Comments"), "");

    // Nothing changed, nothing missing: nothing is written.
    files.Written.clear();
    const TStoredProject now{Path, EditTexts(edits)};
    Store(Path, &now);
    EXPECT_TRUE(files.Written.empty());

    // Another program changed the file, and the screen was kept over it: every value the file
    // holds otherwise than the edit shows is written, and only those.
    for (MemoryIniFiles::Entry& entry : files.Files.at(Path)) {
        if (entry.Section == "RUNTIME" || entry.Key == "Comments") {
            entry.Value = "theirs";
        }
    }
    edits.Texts[16] = "mine";
    const TStoredProject overFile{Path, std::nullopt};
    files.Written.clear();
    Store(Path, &overFile);
    EXPECT_EQ(files.Written,
              (std::vector<std::string>{"RUNTIME/filename", "VERSION/Comments", "VERSION/SpecialBuild"}));

    // Another file (no stored project): every row, even where every key is there already.
    files.Written.clear();
    Store(Path);
    EXPECT_EQ(files.Written.size(), ProjectRowCount);
}
