#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/ProjectFile.h"
#include "doubles/RecordingEdits.h"
#include "platform/Exception.h"
#include "platform/disk/FileHandles.h"
#include "platform/disk/Win32DiskFiles.h"
#include "platform/profile/ProfileText.h"
#include "platform/profile/Win32IniFile.h"
#include "platform/save/SaveCopies.h"
#include "platform/save/Win32SaveFiles.h"
#include "platform/text/WideText.h"
#include "win32/TempFolder.h"
#include "win32/TestThread.h"

namespace {

// Values that the platform's reader or writer would alter if they were passed as they are,
// and values whose bytes look like separators.
std::string TrickyValue(std::size_t row) {
    static const std::string values[] = {
        "C:\\表\\ソフト\\能力\\ポ.exe",  // trail bytes 0x5C and 0x7C
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
    return values[row % std::size(values)];
}

// One whole save of texts to the file at path, as the document makes it.
FileSnapshot StoreAt(const FilePath& at, const ProjectValues& texts) {
    const auto file = OpenWin32IniFile(at, IniFileUse::Save);
    StoreProject(*file, texts, nullptr);
    return file->Commit();
}

class Win32ProjectFileTest : public testing::Test {
protected:
    TempFolder folder;
    std::string path = folder / "project.zrt";
    RecordingEdits edits;

    void Store(const std::string& at) { StoreAt(FilePathOf(at), EditValues(edits)); }
    void Load(const std::string& at) { LoadProject(FilePathOf(at), OpenWin32IniFile, edits); }
};

}  // namespace

TEST_F(Win32ProjectFileTest, EveryValueComesBackByteForByte) {
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        edits.Values[row] = TrickyValue(row);
    }
    Store(path);
    edits = RecordingEdits();
    Load(path);
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        EXPECT_EQ(edits.Values[row], TrickyValue(row)) << ProjectTable[row].Field;
    }
}

TEST_F(Win32ProjectFileTest, ANewFileHoldsTheSectionsAndKeysInTableOrder) {
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        edits.Values[row] = row == ProjectRowOf("ManifestFile") ? "" : "v" + std::string(ProjectTable[row].Field);
    }
    Store(path);
    std::string expected;
    std::string section;
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        if (section != ProjectTable[row].Section) {
            section = ProjectTable[row].Section;
            expected += "[" + section + "]\r\n";
        }
        expected += std::string(ProjectTable[row].Key) + "=" + edits.Values[row] + "\r\n";
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
        edits.Values[row] = "new" + std::string(ProjectTable[row].Field);
    }
    Store(path);
    const std::string text = ReadFileBytes(path);
    for (const char* kept : {"; made by hand", "[OTHER]", "keep=this value", "; about the version", "Extra=stays"}) {
        EXPECT_NE(text.find(kept), std::string::npos) << kept << "\n" << text;
    }
    EXPECT_EQ(text.find("FileVersion=old"), std::string::npos);

    TIniFile file(FilePathOf(path));
    EXPECT_EQ(file.ReadEntry("OTHER", "keep", "?"), "this value");
    EXPECT_EQ(file.ReadEntry("VERSION", "FileVersion", "?"), "newFileVersion");
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
        edits.Values[ProjectRowOf("RuntimeFile")] = "left over";
        Load(path);
        for (std::size_t row = 0; row < ProjectRowCount; ++row) {
            EXPECT_EQ(edits.Values[row], row == ProjectRowOf("IconFile") ? "a.ico" : "")
                << c.name << ": " << ProjectTable[row].Field;
        }
    }
}

TEST_F(Win32ProjectFileTest, AMissingFileLoadsEmptyValues) {
    edits.Values.assign(ProjectRowCount, "previous");
    Load(folder / "missing.zrt");
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        EXPECT_EQ(edits.Values[row], "");
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
                TIniFile file(FilePathOf(path));
                file.WriteEntry("S", "k", value);
                file.WriteEntry("S", "q", "\"" + value + "\"");
            }
            TIniFile file(FilePathOf(path));
            EXPECT_EQ(file.ReadEntry("S", "k", ""), value) << length;
            EXPECT_EQ(file.ReadEntry("S", "q", ""), "\"" + value + "\"") << length;
        }
    }
}

TEST(TIniFile, WriteErrorNamesTheFile) {
    TempFolder folder;
    const ProjectValues texts(ProjectRowCount, "v");

    const std::string inMissingFolder = folder / "no such folder\\p.zrt";
    try {
        StoreAt(FilePathOf(inMissingFolder), texts);
        FAIL() << "no error";
    } catch (const EIniFileException& error) {
        EXPECT_EQ(error.Message(), FilePathOf(inMissingFolder) + " に書き込めません");
    }

    // A file that another program holds open without sharing cannot even be copied.
    const std::string locked = folder / "locked.zrt";
    WriteFileBytes(locked, "[OTHER]\r\nx=1\r\n");
    const HANDLE holder =
        CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_THROW(StoreAt(FilePathOf(locked), texts), EIniFileException);
    CloseHandle(holder);
    EXPECT_EQ(ReadFileBytes(locked), "[OTHER]\r\nx=1\r\n");

    // The message of a path whose folder name ends in a 0x5C trail byte.
    const std::string folderName = folder / "ソ";
    const std::string inFolder = folderName + "\\p.zrt";
    ASSERT_TRUE(CreateDirectoryA(folderName.c_str(), nullptr));
    StoreAt(FilePathOf(inFolder), texts);
    TIniFile file(FilePathOf(inFolder));
    EXPECT_EQ(file.ReadEntry("VERSION", "SpecialBuild", ""), "v");
}

namespace {

std::string Utf16Bytes(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

// The error a load of path raises, or "(none)".
ShownText LoadError(const std::string& path) {
    try {
        OpenWin32IniFile(FilePathOf(path), IniFileUse::Load);
    } catch (const EIniFileException& error) {
        return error.Message();
    }
    return "(none)";
}

HANDLE Hold(const std::string& path, DWORD share) {
    return CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
}

}  // namespace

// Only a name that is not there opens as a new project; anything there that cannot be read,
// or is no text, is refused with an error naming it.
TEST(OpenWin32IniFile, ALoadTellsAMissingFileFromOneItCannotUse) {
    TempFolder folder;
    EXPECT_EQ(
        OpenWin32IniFile(FilePathOf(folder / "missing.zrt"), IniFileUse::Load)->ReadEntry("ICON", "filename", "d"),
        "d");
    EXPECT_EQ(LoadError(folder / "no folder\\p.zrt"), "(none)");
    EXPECT_EQ(LoadError(folder.Path()), FilePathOf(folder.Path()) + " を読み込めません");

    const std::string locked = folder / "locked.zrt";
    WriteFileBytes(locked, "[ICON]\r\nfilename=a.ico\r\n");
    const HANDLE holder = Hold(locked, 0);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(LoadError(locked), FilePathOf(locked) + " を読み込めません");
    CloseHandle(holder);

    const std::string program = folder / "program.zrt";
    WriteFileBytes(program, "MZ\x90" + std::string(1, '\0') + std::string(70000, 'x'));
    EXPECT_EQ(LoadError(program), FilePathOf(program) + " はプロジェクト ファイルではありません");
    const std::string lateNul = folder / "late.zrt";
    WriteFileBytes(lateNul, std::string(ProfileTextProbeSize - 1, 'x') + '\0');
    EXPECT_EQ(LoadError(lateNul), FilePathOf(lateNul) + " はプロジェクト ファイルではありません")
        << "the last byte looked at";

    const std::string utf16 = folder / "utf16.zrt";
    WriteFileBytes(utf16, Utf16Bytes(L"\xFEFF[ICON]\r\nfilename=表.ico\r\n"));
    EXPECT_EQ(OpenWin32IniFile(FilePathOf(utf16), IniFileUse::Load)->ReadEntry("ICON", "filename", ""), "表.ico");

    // While it loads, no other program can take the file for itself.
    const auto loading = OpenWin32IniFile(FilePathOf(utf16), IniFileUse::Load);
    EXPECT_EQ(Hold(utf16, 0), INVALID_HANDLE_VALUE);
}

TEST(OpenWin32IniFile, ASaveLandsWholeOrNotAtAllAndLeavesNoCopy) {
    TempFolder folder;
    const std::string path = folder / "p.zrt";
    const std::string old = "[OTHER]\r\nx=1\r\n";
    const auto expectOnlyTheTarget = [&] {
        EXPECT_EQ(FileNamesIn(folder.Path()), std::vector<std::wstring>{L"p.zrt"});
    };

    // Not committed: nothing lands, and nothing is left.
    WriteFileBytes(path, old);
    {
        const auto file = OpenWin32IniFile(FilePathOf(path), IniFileUse::Save);
        file->WriteEntry("ICON", "filename", "new.ico");
    }
    EXPECT_EQ(ReadFileBytes(path), old);
    expectOnlyTheTarget();

    // Committed: everything lands, and a hidden file stays hidden. Meanwhile no other program
    // can write the file; one that reads it, sharing, does not keep the save out.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    {
        const auto file = OpenWin32IniFile(FilePathOf(path), IniFileUse::Save);
        EXPECT_EQ(CreateFileA(path.c_str(), GENERIC_WRITE, ShareAll, nullptr, OPEN_EXISTING, 0, nullptr),
                  INVALID_HANDLE_VALUE);
        const HANDLE reader = Hold(path, ShareReadWrite);
        ASSERT_NE(reader, INVALID_HANDLE_VALUE);
        file->WriteEntry("ICON", "filename", "new.ico");
        file->Commit();
        CloseHandle(reader);
    }
    EXPECT_EQ(ReadFileBytes(path), old + "[ICON]\r\nfilename=new.ico\r\n");
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    expectOnlyTheTarget();

    // A read-only file is refused before anything is made.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(OpenWin32IniFile(FilePathOf(path), IniFileUse::Save), EIniFileException);
    expectOnlyTheTarget();
}

namespace {}  // namespace

// Whatever road a save must take, it lands the values under the file's own name, answers the
// file as a later look at it sees it (so that the editor's own save is never taken for another
// program's change), and leaves nothing beside the file or in the temporary folder. A file is
// cut to its new, shorter length on every road.
TEST(OpenWin32IniFile, EveryRoadLandsTheSaveAsALookSeesItAndLeavesNothing) {
    TempFolder folder;
    // Names the code page cannot hold: every rule of the file on disk holds for them too.
    const std::wstring base = WidePath(folder.Path()) + L"\\𠮷 Café 한";
    ASSERT_TRUE(CreateDirectoryW(base.c_str(), nullptr));
    // A folder whose name leaves room for p.zrt, but not for a copy's name, within what the
    // profile functions take.
    const std::wstring deep = base + L"\\" + std::wstring(250 - base.size() - 1 - 6, L'd');
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
    // A name so long that no copy's name beside it is one the system takes.
    TempFolder shortFolder("C:\\");
    const std::wstring shortBase = WidePath(shortFolder.Path());
    const std::wstring longName =
        shortBase + L"\\" + std::wstring(MAX_PATH - 1 - shortBase.size() - 1 - 4, L'n') + L".zrt";
    ASSERT_GT(longName.size() - shortBase.size() - 1 + 14, 255u);
    const std::wstring noFolder = base + L"\\no such folder";
    const struct {
        const char* Condition;
        std::wstring Path;
        bool NoTemporaryFolder;
        bool Reader;
        bool OtherName;
        bool Replaced;  // a new file takes the old one's place
    } cases[] = {
        {"a file", base + L"\\p ☕.zrt", false, false, false, true},
        {"no temporary folder", base + L"\\p ☕.zrt", true, false, false, true},
        {"held by a reader that lets others write", base + L"\\p ☕.zrt", false, true, false, false},
        {"under two names", base + L"\\p ☕.zrt", false, false, true, false},
        {"a copy's name too long for the profile functions", deep + L"\\p.zrt", false, false, false, true},
        {"the same without a temporary folder", deep + L"\\p.zrt", true, false, false, false},
        {"a name too long for a copy", longName, false, false, false, false},
    };
    const ProjectValues texts(ProjectRowCount, "v");
    const std::vector<std::wstring> inTemp = FilesInTemporaryFolder();
    for (const auto& each : cases) {
        SCOPED_TRACE(each.Condition);
        const FilePath path = PathOf(each.Path);
        const std::wstring where = Wide(path.Folder());
        WriteFileBytes(each.Path, "[TOOL]\r\nkeep=this\r\n[RUNTIME]\r\nfilename=" + std::string(5000, 'x') + "\r\n");
        const FileIdentity identity = StampAt(path).Identity;
        const std::wstring linked = base + L"\\other name.zrt";
        if (each.OtherName) {
            ASSERT_TRUE(CreateHardLinkW(linked.c_str(), each.Path.c_str(), nullptr));
        }
        std::optional<TemporaryFolderAt> noTemporaryFolder;
        if (each.NoTemporaryFolder) {
            noTemporaryFolder.emplace(noFolder);
        }
        const HANDLE reader = each.Reader ? CreateFileW(each.Path.c_str(), GENERIC_READ, ShareReadWrite, nullptr,
                                                        OPEN_EXISTING, 0, nullptr)
                                          : INVALID_HANDLE_VALUE;

        const FileSnapshot written = StoreAt(path, texts);
        TWin32DiskFiles disk;
        EXPECT_EQ(written.Stamp, disk.Stamp(path));
        EXPECT_EQ(written.Fingerprint, disk.Content(path).Fingerprint);
        TIniFile file(path);
        EXPECT_EQ(file.ReadEntry("RUNTIME", "filename", ""), "v");
        EXPECT_EQ(file.ReadEntry("TOOL", "keep", ""), "this");
        EXPECT_LT(ReadFileBytes(each.Path).size(), 1000u);
        EXPECT_EQ(StampAt(path).Identity != identity, each.Replaced);
        if (each.OtherName) {
            EXPECT_EQ(ReadFileBytes(linked), ReadFileBytes(each.Path));
            DeleteFileW(linked.c_str());
        }
        EXPECT_EQ(FileNamesIn(where), std::vector<std::wstring>{std::wstring(path.Name().begin(), path.Name().end())});
        noTemporaryFolder.reset();
        EXPECT_EQ(FilesInTemporaryFolder(), inTemp);
        if (reader != INVALID_HANDLE_VALUE) {
            CloseHandle(reader);
        }
        DeleteFileW(LongPathForm(each.Path).c_str());
    }
}

namespace {

BY_HANDLE_FILE_INFORMATION InformationOf(const std::string& path) {
    BY_HANDLE_FILE_INFORMATION information{};
    const UniqueFile file = OpenDiskFile(FilePathOf(path), FILE_READ_ATTRIBUTES, ShareAll);
    EXPECT_TRUE(file && GetFileInformationByHandle(file.get(), &information)) << path;
    return information;
}

ULONGLONG LastWriteOf(const BY_HANDLE_FILE_INFORMATION& information) {
    const FILETIME& time = information.ftLastWriteTime;
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Another program writing bytes over the file's own, as a program that keeps records of a fixed
// length does.
void WriteOver(const std::string& path, const std::string& bytes) {
    const UniqueFile file = OpenDiskFile(FilePathOf(path), GENERIC_WRITE, ShareAll);
    DWORD written = 0;
    ASSERT_TRUE(file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
}

}  // namespace

// A change written into the file that keeps its length (a version 1.0 made 2.0) leaves its name,
// size and identity as they were: only the time of that write tells the editor of it, on its
// return and in the save's last look.
TEST(TWin32DiskFiles, AChangeWrittenIntoTheFileThatKeepsItsSizeChangesItsStamp) {
    TempFolder folder;
    const std::string path = folder / "p.zrt";
    WriteFileBytes(path, "[VERSION]\r\nFileVersion=1.0\r\n");
    TWin32DiskFiles disk;
    const DiskStamp stamp = disk.Stamp(FilePathOf(path));
    const BY_HANDLE_FILE_INFORMATION before = InformationOf(path);
    // Two writes within one tick of the file system's clock share their time: the change comes
    // once a file written beside has a later time than the file.
    const std::string clock = folder / "clock";
    for (const DWORD start = GetTickCount();; Sleep(1)) {
        WriteFileBytes(clock, "");
        if (LastWriteOf(InformationOf(clock)) > LastWriteOf(before)) {
            break;
        }
        ASSERT_LT(GetTickCount() - start, 10000u) << "the file system's clock stood still";
    }
    WriteOver(path, "[VERSION]\r\nFileVersion=2.0");

    const DiskStamp changed = disk.Stamp(FilePathOf(path));
    EXPECT_EQ(changed.Size, stamp.Size);
    EXPECT_EQ(changed.Identity, stamp.Identity);
    EXPECT_NE(changed, stamp);
    // Wine answers a file's last-write time for its creation time too, where Windows keeps the
    // creation time through writes into the file (docs/wine-files.md): the stamp of the file as
    // Windows describes it must change all the same.
    BY_HANDLE_FILE_INFORMATION onWindows = InformationOf(path);
    onWindows.ftCreationTime = before.ftCreationTime;
    EXPECT_NE(StampFrom(onWindows), StampFrom(before));
}

// A file larger than a project file can be is refused from its size, before a byte of it is read
// or written on; one whose reads go on past its size (a file that grows while it is read, as a
// file of Linux's /proc that Wine shows with no size) once they pass the limit.
TEST(CopyWhole, RefusesAFileLargerThanTheLimitBeforeReadingItOrOnceItGrowsPastIt) {
    TempFolder folder;
    const std::string path = folder / "large.zrt";
    // Larger than one piece of the reading, so that a reading refused only as it goes would have
    // written on before it was.
    const std::string bytes = "[RUNTIME]\r\nfilename=a.exe\r\n" + std::string(2 << 20, 'x');
    WriteFileBytes(path, bytes);
    const UniqueFile file = OpenDiskFile(FilePathOf(path), GENERIC_READ, ShareAll);
    ASSERT_TRUE(file);
    WriteFileBytes(folder / "sink", "");
    const UniqueFile sink = OpenDiskFile(FilePathOf(folder / "sink"), GENERIC_WRITE, ShareAll);
    ASSERT_TRUE(sink);
    const SaveFiles::Reading larger = CopyWhole(file.get(), sink.get(), bytes.size() - 1);
    EXPECT_EQ(larger.Kind, DiskKind::TooLarge);
    EXPECT_EQ(larger.Done, SaveFiles::Written::Nothing);
    EXPECT_EQ(ReadFileBytes(folder / "sink"), "");
    EXPECT_EQ(CopyWhole(file.get(), sink.get(), bytes.size()).Kind, DiskKind::Project);

    const UniqueFile growing = OpenDiskFile(FilePath(u"Z:\\proc\\self\\status"), GENERIC_READ, ShareAll);
    ASSERT_TRUE(growing);
    EXPECT_EQ(StampOf(growing.get()).Size, 0u);
    EXPECT_EQ(ReadWhole(growing.get(), 16).Kind, DiskKind::TooLarge);
}

// A device (AUX, AUX.zrt, CON) is no file: a load, a look and a save refuse it at once, before
// anything reads from it or writes to it.
TEST(OpenWin32IniFile, ADeviceIsRefusedBeforeAnyRead) {
    TempFolder folder;
    for (const std::string& device : {folder / "AUX.zrt", folder / "AUX", folder / "CON"}) {
        SCOPED_TRACE(device);
        EXPECT_FALSE(OpenDiskFile(FilePathOf(device), FILE_READ_ATTRIBUTES, ShareAll));
        EXPECT_FALSE(NamesNoFile(GetLastError()));
        TestThread refusals(
            [&] {
                EXPECT_EQ(LoadError(device), FilePathOf(device) + " を読み込めません");
                TWin32DiskFiles disk;
                EXPECT_NE(disk.Stamp(FilePathOf(device)).Kind, DiskKind::Project);
                EXPECT_NE(disk.Content(FilePathOf(device)).Kind, DiskKind::Project);
                const ProjectValues texts(ProjectRowCount);
                EXPECT_THROW(StoreAt(FilePathOf(device), texts), EIniFileException);
            },
            10000);
        refusals.Join();
    }
}

// Another editor's save of the same file, starting meanwhile, clears what killed saves left
// beside it and in the temporary folder: the work file this save is writing is not among them,
// and the profile functions write it all the same.
TEST(OpenWin32IniFile, ASaveInProgressKeepsItsWorkFromAnotherSavesCleanUp) {
    TempFolder folder;
    const std::string path = folder / "p.zrt";
    WriteFileBytes(path, "[OTHER]\r\nx=1\r\n");
    const auto file = OpenWin32IniFile(FilePathOf(path), IniFileUse::Save);
    file->WriteEntry("ICON", "filename", "first.ico");
    std::optional<FilePath> work;
    {
        TWin32SaveFiles running;
        work = running.CreateWorkFile();
        ASSERT_TRUE(work);
        RemoveLeftSaveCopies(FilePathOf(path));
        RemoveLeftWorkFiles();
    }
    // Let go of, not removed, by its save: a clean-up that took it would have deleted it by now.
    EXPECT_NE(GetFileAttributesW(Wide(*work).c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileW(Wide(*work).c_str());
    file->WriteEntry("ICON", "filename", "new.ico");
    file->Commit();
    EXPECT_EQ(ReadFileBytes(path), "[OTHER]\r\nx=1\r\n[ICON]\r\nfilename=new.ico\r\n");
    EXPECT_EQ(FileNamesIn(folder.Path()), std::vector<std::wstring>{L"p.zrt"});
}

// A save that ended between writing its complete copy into the file and removing the copy left
// it under a name of its own. The clean-up removes it only where the file holds its bytes, and
// answers the others; one that a running save holds is neither removed nor answered.
TEST(OpenWin32IniFile, ACompleteCopyGoesOnlyWhereTheFileHoldsItsBytes) {
    TempFolder folder;
    const std::string path = folder / "p.zrt";
    WriteFileBytes(path, "[OTHER]\r\nx=1\r\n");
    TWin32SaveFiles running;
    const std::optional<FilePath> copy = running.CreateCopyBeside(FilePathOf(path));
    ASSERT_TRUE(copy && running.Copy(FilePathOf(path), *copy).Done == SaveFiles::Written::All);
    const std::optional<FilePath> held = running.NameComplete(*copy);
    ASSERT_TRUE(held);

    const std::string whole = "[OTHER]\r\nx=1\r\n[ICON]\r\nfilename=new.ico\r\n";
    WriteFileBytes(path, whole);
    WriteFileBytes(folder / "~p.zrt.0000ABCD.zrt", whole);
    // As long as the file, other bytes: written since by another program.
    WriteFileBytes(folder / "~P.ZRT.0000BEEF.zrt", "[OTHER]\r\nx=2\r\n[ICON]\r\nfilename=new.ico\r\n");
    // Copies killed saves left go, in any letter case; names that only look like copies stay.
    std::vector<std::wstring> kept{L"p.zrt", L"~P.ZRT.0000BEEF.zrt",
                                   std::wstring(Wide(*held).substr(Wide(held->Folder()).size()))};
    for (const char* killed : {"~p.zrt.0000ABCD.tmp", "~P.ZRT.12345678.tmp"}) {
        WriteFileBytes(folder / killed, "[OTHER]\r\n");
    }
    // Named as this program names its copies: random digits, letters among them now and then.
    for (int copies = 0; copies < 20; ++copies) {
        WriteFileBytes(Wide(CopyNameBeside(FilePathOf(path))), "[OTHER]\r\n");
    }
    for (const char* lookAlike : {"p.zrt.0000ABCD.tmp", "~p.zrt.running0.tmp", "~q.zrt.0000ABCD.tmp"}) {
        WriteFileBytes(folder / lookAlike, "[OTHER]\r\n");
        kept.push_back(WidePath(lookAlike));
    }
    // The work files killed saves left in the temporary folder go too.
    const std::wstring work = Wide(*NewWorkFileName());
    WriteFileBytes(work, "[OTHER]\r\n");
    EXPECT_EQ(TWin32DiskFiles().ClearLeftCopies(FilePathOf(path)),
              std::vector<FilePath>{FilePathOf(folder / "~P.ZRT.0000BEEF.zrt")});
    EXPECT_EQ(GetFileAttributesW(work.c_str()), INVALID_FILE_ATTRIBUTES);
    std::vector<std::wstring> left = FileNamesIn(folder.Path());
    std::sort(left.begin(), left.end());
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(left, kept);
}
