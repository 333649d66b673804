#include "document/ProjectFile.h"

#include <gtest/gtest.h>

#include <string>

#include "doubles/MemoryIniFile.h"
#include "doubles/RecordingEdits.h"

namespace {

const std::string Path = "C:\\p\\a.zrt";

class ProjectFileTest : public testing::Test {
protected:
    MemoryIniFiles files;
    RecordingEdits edits;
    TProjectRecord record;

    void Load(const std::string& path = Path) { LoadProject(path, files.Opener(), record, edits); }
    void Store(const std::string& path = Path) { StoreProject(path, files.Opener(), edits); }

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
        // The version keys are the record's own names, and each edit is named after its field.
        EXPECT_STREQ(ProjectTable[row].Key, ProjectTable[row].Field);
        EXPECT_EQ(std::string(ProjectTable[row].Edit), std::string("LabeledEdit") + ProjectTable[row].Field);
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
        EXPECT_EQ(record[row], "stored" + std::to_string(row));
        EXPECT_EQ(edits.Texts[row], record[row]);
        EXPECT_EQ(edits.Changes[row], row);
    }
    EXPECT_EQ(files.Released, 2);
}

TEST_F(ProjectFileTest, WhatTheFileLacksLoadsEmptyNotThePreviousProjectsValue) {
    FillEdits("x");
    Store("C:\\p\\previous.zrt");
    Load("C:\\p\\previous.zrt");

    files.Files[Path] = {{"ICON", "filename", "a.ico"}, {"VERSION", "FileVersion", ""}};
    Load();
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        const std::string expected = row == 1 ? "a.ico" : "";
        EXPECT_EQ(record[row], expected) << ProjectTable[row].Field;
        EXPECT_EQ(edits.Texts[row], expected) << ProjectTable[row].Edit;
    }

    Load("C:\\p\\missing.zrt");
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        EXPECT_EQ(record[row], "");
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

TEST_F(ProjectFileTest, ARefusedWriteStopsAtItsRowAndLeavesTheRowsBeforeWritten) {
    FillEdits("w");
    files.RefuseWrites(Path, 5);
    try {
        Store();
        FAIL() << "the store did not raise";
    } catch (const EIniFileException& error) {
        EXPECT_EQ(std::string(error.what()), Path + " に書き込めません");
    }
    const auto& file = files.Files.at(Path);
    ASSERT_EQ(file.size(), 5u);
    EXPECT_EQ(file[4].Value, "w4");
    EXPECT_EQ(files.Released, 1);  // the profile object is released on the way out
}
