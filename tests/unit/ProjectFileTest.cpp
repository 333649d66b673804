#include "document/ProjectFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "doubles/MemoryIniFile.h"
#include "doubles/RecordingEdits.h"

namespace {

const FilePath Path(u"C:\\𠮷田\\Café.zrt");

class ProjectFileTest : public testing::Test {
protected:
    MemoryIniFiles files;
    RecordingEdits edits;

    ProjectRows rows = ProjectTable;

    void Load(const FilePath& path = Path) { LoadProject(path, files.Opener(), edits, rows); }
    void Store(const FilePath& path = Path, const StoredProject* stored = nullptr) {
        const auto file = files.Opener()(path, IniFileUse::Save);
        StoreProject(*file, EditValues(edits, rows), stored, rows);
        file->Commit();
    }

    void FillEdits(const std::string& prefix) {
        for (std::size_t row = 0; row < ProjectRowCount; ++row) {
            edits.Values[row] = prefix + ProjectTable[row].Field;
        }
    }
};

}  // namespace

// What stored files rely on, for any table: the three files' rows by name, the version keys named
// after their fields, each key once, and the sections in the order a new file holds them.
TEST(ProjectTable, RowsNameTheFileSectionsAndKeys) {
    const struct {
        std::size_t Row;
        const char* Section;
    } files[] = {{ProjectRowOf("RuntimeFile"), "RUNTIME"},
                 {ProjectRowOf("IconFile"), "ICON"},
                 {ProjectRowOf("ManifestFile"), "MANIFEST"}};
    for (const auto& file : files) {
        EXPECT_STREQ(ProjectTable[file.Row].Section, file.Section);
        EXPECT_STREQ(ProjectTable[file.Row].Key, "filename");
    }
    const std::vector<std::string> order{"RUNTIME", "ICON", "MANIFEST", "VERSION"};
    std::size_t section = 0;
    std::set<std::string> keys;
    for (const ProjectRow& row : ProjectTable) {
        SCOPED_TRACE(row.Field);
        const auto at = std::find(order.begin(), order.end(), row.Section);
        ASSERT_NE(at, order.end());
        EXPECT_GE(static_cast<std::size_t>(at - order.begin()), section) << "a section out of the file's order";
        section = static_cast<std::size_t>(at - order.begin());
        EXPECT_TRUE(keys.insert(std::string(row.Section) + "/" + row.Key).second) << "a key twice";
        if (*at == "VERSION") {
            EXPECT_STREQ(row.Key, row.Field);
        }
    }
}

// A setting added at its place in the file's order is one more row of the table: loading, the
// edits and storing walk it with the others.
TEST_F(ProjectFileTest, ARowAddedInTheMiddleIsLoadedEditedAndStoredWithTheOthers) {
    const std::size_t added = ProjectRowOf("RuntimeFile") + 1;
    std::vector<ProjectRow> wider(ProjectTable.begin(), ProjectTable.end());
    wider.insert(wider.begin() + added, ProjectRow{"AddedInTheMiddle", "RUNTIME", "addedInTheMiddle"});
    rows = wider;
    edits.Values.resize(wider.size());
    files.Files[Path] = {
        {"RUNTIME", "filename", "rt.exe"}, {"RUNTIME", "addedInTheMiddle", "-fast"}, {"ICON", "filename", "a.ico"}};
    Load();
    EXPECT_EQ(edits.Values[added - 1], "rt.exe");
    EXPECT_EQ(edits.Values[added], "-fast");
    EXPECT_EQ(edits.Values[ProjectRowOf("IconFile") + 1], "a.ico");

    edits.Values[added] = "-slow";
    const FilePath other(u"C:\\p\\other.zrt");
    Store(other);
    const MemoryIniFiles::File& stored = files.Files.at(other);
    ASSERT_EQ(stored.size(), wider.size());
    for (std::size_t row = 0; row < wider.size(); ++row) {
        EXPECT_EQ(stored[row], (MemoryIniFiles::Entry{wider[row].Section, wider[row].Key, edits.Values[row]}));
    }
}

TEST_F(ProjectFileTest, StoreWritesEveryRowInTableOrderEmptyOnesIncluded) {
    FillEdits("v");
    edits.Values[ProjectRowOf("ProductVerNumber")].clear();
    Store();

    const auto& file = files.Files.at(Path);
    ASSERT_EQ(file.size(), ProjectRowCount);
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        EXPECT_EQ(file[row].Section, ProjectTable[row].Section);
        EXPECT_EQ(file[row].Key, ProjectTable[row].Key);
        EXPECT_EQ(file[row].Value,
                  row == ProjectRowOf("ProductVerNumber") ? "" : "v" + std::string(ProjectTable[row].Field));
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
    EXPECT_EQ(files.Value(Path, "ICON", "filename"), "nIconFile");
}

TEST_F(ProjectFileTest, LoadFillsTheRecordThenTheEditsInTableOrder) {
    FillEdits("stored");
    Store();
    edits = RecordingEdits();
    Load();
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        EXPECT_EQ(edits.Values[row], "stored" + std::string(ProjectTable[row].Field));
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
        const std::string expected = row == ProjectRowOf("IconFile") ? "a.ico" : "";
        EXPECT_EQ(edits.Values[row], expected) << ProjectTable[row].Field;
    }

    Load(FilePath(u"C:\\p\\missing.zrt"));
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        EXPECT_EQ(edits.Values[row], "");
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
            EXPECT_EQ(edits.Values[row], "shown" + std::string(ProjectTable[row].Field));
        }
    }
    EXPECT_EQ(CannotReadIniFile(Path).Message(), Path + " を読み込めません");
    EXPECT_EQ(NotAProjectFile(Path).Message(), Path + " はプロジェクト ファイルではありません");
}

// Saved back to the file it came from, a project writes what the user changed and what the
// file lacks, and leaves every other key as it is; any other file gets every row.
TEST_F(ProjectFileTest, ASaveToTheStoredFileWritesOnlyChangedRowsAndMissingKeys) {
    FillEdits("v");
    edits.Values[ProjectRowOf("FileVersion")].clear();
    Store();
    // The empty FileVersion gone meanwhile (a new file holds its keys in table order).
    files.Files.at(Path).erase(files.Files.at(Path).begin() + ProjectRowOf("FileVersion"));
    const StoredProject stored{Path, EditValues(edits)};
    edits.Values[ProjectRowOf("ManifestFile")] = "changed";
    edits.Values[ProjectRowOf("Comments")] = "";
    files.Written.clear();

    Store(Path, &stored);
    EXPECT_EQ(files.Written,
              (std::vector<std::string>{"MANIFEST/filename", "VERSION/FileVersion", "VERSION/Comments"}));
    EXPECT_EQ(files.Value(Path, "VERSION", "FileVersion"), "");
    EXPECT_EQ(files.Value(Path, "VERSION", "Comments"), "");

    // Nothing changed, nothing missing: nothing is written.
    files.Written.clear();
    const StoredProject now{Path, EditValues(edits)};
    Store(Path, &now);
    EXPECT_TRUE(files.Written.empty());

    // Another program changed the file, and the screen was kept over it: every value the file
    // holds otherwise than the edit shows is written, and only those.
    for (MemoryIniFiles::Entry& entry : files.Files.at(Path)) {
        if ((entry.Section == "RUNTIME" && entry.Key == "filename") || entry.Key == "Comments") {
            entry.Value = "theirs";
        }
    }
    edits.Values[ProjectRowOf("SpecialBuild")] = "mine";
    const StoredProject overFile{Path, std::nullopt};
    files.Written.clear();
    Store(Path, &overFile);
    EXPECT_EQ(files.Written,
              (std::vector<std::string>{"RUNTIME/filename", "VERSION/Comments", "VERSION/SpecialBuild"}));

    // Another file (no stored project): every row, even where every key is there already.
    files.Written.clear();
    Store(Path);
    EXPECT_EQ(files.Written.size(), ProjectRowCount);
}
