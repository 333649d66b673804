#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "document/ProjectFile.h"
#include "doubles/RecordingEdits.h"
#include "platform/Exception.h"
#include "platform/Win32IniFile.h"
#include "win32/TempFolder.h"

namespace {

// Values that the platform's reader or writer would alter if they were passed as they are,
// and values whose bytes look like separators.
std::string TrickyValue(std::size_t row) {
    static const std::string values[] = {
        "C:\\表\\ソフト\\能力\\ポ.exe",   // trail bytes 0x5C and 0x7C
        "  leading and trailing  ",
        "\"quoted\"",
        "'single'",
        "a=b;c[d]e",
        "",
        "\t",
        "inner \"quotes\" and 'apostrophes'",
        "[VERSION]",
        ";not a comment",
        "日本語の説明",
        "\"",
        "' lone",
        "x ",
        std::string(3000, 'a'),
        std::string(60000, 'b') + "表",
        "1.2.3.4",
    };
    return values[row];
}

class Win32ProjectFileTest : public testing::Test {
protected:
    TempFolder folder;
    std::string path = folder / "project.zrt";
    RecordingEdits edits;
    TProjectRecord record;

    void Store(const std::string& at) { StoreProject(at, OpenWin32IniFile, edits); }
    void Load(const std::string& at) { LoadProject(at, OpenWin32IniFile, record, edits); }
};

}  // namespace

TEST_F(Win32ProjectFileTest, EveryValueComesBackByteForByte) {
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        edits.Texts[row] = TrickyValue(row);
    }
    Store(path);
    edits = RecordingEdits();
    Load(path);
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        EXPECT_EQ(record[row], TrickyValue(row)) << ProjectTable[row].Field;
        EXPECT_EQ(edits.Texts[row], TrickyValue(row)) << ProjectTable[row].Edit;
    }
}

TEST_F(Win32ProjectFileTest, ANewFileHoldsTheSectionsAndKeysInTableOrder) {
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        edits.Texts[row] = row == 2 ? "" : "v" + std::to_string(row);
    }
    Store(path);
    std::string expected;
    std::string section;
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        if (section != ProjectTable[row].Section) {
            section = ProjectTable[row].Section;
            expected += "[" + section + "]\r\n";
        }
        expected += std::string(ProjectTable[row].Key) + "=" + edits.Texts[row] + "\r\n";
    }
    EXPECT_EQ(ReadFileBytes(path), expected);
}

TEST_F(Win32ProjectFileTest, StoringKeepsEverythingElseInTheFile) {
    WriteFileBytes(path,
                   "; made by hand\r\n"
                   "[OTHER]\r\n"
                   "keep=this value\r\n"
                   "[VERSION]\r\n"
                   "; about the version\r\n"
                   "Extra=stays\r\n"
                   "FileVersion=old\r\n");
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        edits.Texts[row] = "new" + std::to_string(row);
    }
    Store(path);
    const std::string text = ReadFileBytes(path);
    for (const char* kept : {"; made by hand", "[OTHER]", "keep=this value", "; about the version", "Extra=stays"}) {
        EXPECT_NE(text.find(kept), std::string::npos) << kept << "\n" << text;
    }
    EXPECT_EQ(text.find("FileVersion=old"), std::string::npos);

    TIniFile file(path);
    EXPECT_EQ(file.ReadEntry("OTHER", "keep", "?"), "this value");
    EXPECT_EQ(file.ReadEntry("VERSION", "FileVersion", "?"), "new5");
}

TEST_F(Win32ProjectFileTest, FilesWrittenByOtherToolsLoad) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"only the icon", "[ICON]\r\nfilename=a.ico\r\n"},
        {"LF line ends", "[ICON]\nfilename=a.ico\n"},
        {"CR line ends", "[ICON]\rfilename=a.ico\r"},
        {"blanks round names", "[ ICON ]\r\n  filename  =  a.ico  \r\n"},
        {"other letter case", "[icon]\r\nFILENAME=a.ico\r\n"},
    };
    for (const Case& c : cases) {
        WriteFileBytes(path, c.bytes);
        edits = RecordingEdits();
        edits.Texts[0] = "left over";
        Load(path);
        for (std::size_t row = 0; row < ProjectRowCount; ++row) {
            EXPECT_EQ(edits.Texts[row], row == 1 ? "a.ico" : "") << c.name << ": " << ProjectTable[row].Field;
        }
    }
}

TEST_F(Win32ProjectFileTest, AMissingFileLoadsEmptyValues) {
    edits.Texts.fill("previous");
    Load(folder / "missing.zrt");
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        EXPECT_EQ(edits.Texts[row], "");
    }
    EXPECT_FALSE(FileExists(folder / "missing.zrt"));
}

TEST(TIniFile, ReadsValuesLongerThanAnyOneBuffer) {
    TempFolder folder;
    const std::string path = folder / "long.ini";
    // Lengths round the first buffer's edges and round the longest text the ANSI writer can
    // carry, with and without a double-byte character across them.
    for (const std::size_t length : {2045u, 2046u, 2047u, 2048u, 2049u, 4095u, 4096u, 32764u, 32765u, 32766u, 32767u}) {
        for (const std::string& tail : {std::string(), std::string("表")}) {
            const std::string value = std::string(length, 'x') + tail;
            {
                TIniFile file(path);
                file.WriteEntry("S", "k", value);
                file.WriteEntry("S", "q", "\"" + value + "\"");
            }
            TIniFile file(path);
            EXPECT_EQ(file.ReadEntry("S", "k", ""), value) << length;
            EXPECT_EQ(file.ReadEntry("S", "q", ""), "\"" + value + "\"") << length;
        }
    }
}

TEST(TIniFile, WriteErrorNamesTheFileAndKeepsEarlierRows) {
    TempFolder folder;
    RecordingEdits edits;
    edits.Texts.fill("v");

    const std::string inMissingFolder = folder / "no such folder\\p.zrt";
    try {
        StoreProject(inMissingFolder, OpenWin32IniFile, edits);
        FAIL() << "no error";
    } catch (const EIniFileException& error) {
        EXPECT_EQ(std::string(error.what()), inMissingFolder + " に書き込めません");
    }

    // A file that another program holds open without sharing: the first write fails.
    const std::string locked = folder / "locked.zrt";
    WriteFileBytes(locked, "[OTHER]\r\nx=1\r\n");
    const HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                      nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_THROW(StoreProject(locked, OpenWin32IniFile, edits), EIniFileException);
    CloseHandle(holder);
    EXPECT_EQ(ReadFileBytes(locked), "[OTHER]\r\nx=1\r\n");

    // The message of a path whose folder name ends in a 0x5C trail byte.
    const std::string folderName = folder / "ソ";
    const std::string inFolder = folderName + "\\p.zrt";
    ASSERT_TRUE(CreateDirectoryA(folderName.c_str(), nullptr));
    StoreProject(inFolder, OpenWin32IniFile, edits);
    TIniFile file(inFolder);
    EXPECT_EQ(file.ReadEntry("VERSION", "SpecialBuild", ""), "v");
}

namespace {

// The real profile file, which another program locks without sharing just before a given write.
class FileLockedMidway : public TCustomIniFile {
public:
    FileLockedMidway(const std::string& path, int lockBeforeWrite)
        : TCustomIniFile(path), file_(path), lockBeforeWrite_(lockBeforeWrite) {}
    ~FileLockedMidway() override {
        if (holder_ != INVALID_HANDLE_VALUE) {
            CloseHandle(holder_);
        }
    }

    std::string ReadEntry(const std::string& section, const std::string& key, const std::string& value) override {
        return file_.ReadEntry(section, key, value);
    }
    void WriteEntry(const std::string& section, const std::string& key, const std::string& value) override {
        if (writes_++ == lockBeforeWrite_) {
            holder_ = CreateFileA(FileName().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                  nullptr);
        }
        file_.WriteEntry(section, key, value);
    }

private:
    TIniFile file_;
    int lockBeforeWrite_;
    int writes_ = 0;
    HANDLE holder_ = INVALID_HANDLE_VALUE;
};

}  // namespace

TEST(TIniFile, RowsWrittenBeforeARefusedOneStayInTheFile) {
    TempFolder folder;
    const std::string path = folder / "p.zrt";
    RecordingEdits edits;
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        edits.Texts[row] = "v" + std::to_string(row);
    }
    const IniFileOpener lockAtRow6 = [](const std::string& at) { return std::make_unique<FileLockedMidway>(at, 5); };
    EXPECT_THROW(StoreProject(path, lockAtRow6, edits), EIniFileException);

    TIniFile file(path);
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        EXPECT_EQ(file.ReadEntry(ProjectTable[row].Section, ProjectTable[row].Key, "(missing)"),
                  row < 5 ? edits.Texts[row] : "(missing)")
            << ProjectTable[row].Field;
    }
}
