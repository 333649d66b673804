#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "acceptance/EditorFixture.h"
#include "acceptance/Owned.h"
#include "acceptance/ProjectFileCheck.h"
#include "acceptance/UserInput.h"
#include "acceptance/Wait.h"

// A save reaches the file the user chose wherever and however it lies: behind a symbolic link,
// under two names, held open by a reader, in a folder whose name is long; and it leaves nothing
// of its own beside it, not even what saves killed before their end left there.

namespace {

const std::string Before = "[RUNTIME]\r\nfilename=old.exe\r\n[TOOL]\r\nkeep=this\r\n";

// The identity of the file at path (its volume and index), which a rename of another file over
// it changes and a write into it keeps.
std::string FileIdentity(const std::string& path) {
    const OwnedHandle file(CreateFileW(WidePath(path).c_str(), FILE_READ_ATTRIBUTES,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       0, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file || !GetFileInformationByHandle(file.Get(), &information)) {
        return "<none>";
    }
    return std::to_string(information.dwVolumeSerialNumber) + ":" + std::to_string(information.nFileIndexHigh) + ":" +
           std::to_string(information.nFileIndexLow);
}

// Makes link a symbolic link to target, a name relative to link's folder: through Windows where
// it makes one, else (Wine) through the system's own ln. False where neither can.
bool MakeSymbolicLink(const std::string& folder, const std::string& link, const std::string& target) {
    const std::wstring linkPath = WidePath(folder + "\\" + link);
    CreateSymbolicLinkW(linkPath.c_str(), WidePath(target).c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    if (GetFileAttributesW(linkPath.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    std::string unixTarget = target;
    for (char& character : unixTarget) {
        character = character == '\\' ? '/' : character;
    }
    std::wstring command = WidePath("ln -s \"" + unixTarget + "\" \"" + link + "\"");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(L"Z:\\bin\\ln", command.data(), nullptr, nullptr, FALSE, 0, nullptr, WidePath(folder).c_str(),
                        &startup, &process)) {
        return false;
    }
    WaitForSingleObject(process.hProcess, ReactionTimeout);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return WaitUntil([&] { return GetFileAttributesW(linkPath.c_str()) != INVALID_FILE_ATTRIBUTES; }, 3000);
}

class WhereTheFileIs : public EditorTest {
protected:
    // Opens path, changes the runtime file and saves.
    void EditAndSave(const std::string& path) {
        ASSERT_NO_FATAL_FAILURE(OpenProject(path));
        TypeIntoField(RuntimeField, "new.exe");
        ASSERT_NO_FATAL_FAILURE(SaveAndWait(path, "RUNTIME", "filename", "new.exe"));
        EXPECT_TRUE(NoDialogWithin(300)) << WhatShows();
    }
};

}  // namespace

// The link stays a link: the file it leads to takes the save, the copy goes beside that file,
// and the editor goes on calling the project by the name the user chose.
TEST_F(WhereTheFileIs, BehindASymbolicLink) {
    const std::string real = folder / "real";
    ASSERT_TRUE(CreateDirectoryA(real.c_str(), nullptr));
    WriteFileBytes(real + "\\p.zrt", Before);
    if (!MakeSymbolicLink(folder.Path(), "link.zrt", "real\\p.zrt")) {
        GTEST_SKIP() << "no symbolic link can be made here";
    }
    const std::string link = folder / "link.zrt";
    ASSERT_NO_FATAL_FAILURE(EditAndSave(link));
    EXPECT_EQ(ReadProfileValue(real + "\\p.zrt", "RUNTIME", "filename"), "new.exe");
    EXPECT_EQ(ReadProfileValue(real + "\\p.zrt", "TOOL", "keep"), "this");
    EXPECT_EQ(Window().Caption(), CaptionFor(link));
    EXPECT_EQ(FileNamesIn(folder.Path()), std::vector<std::wstring>{L"link.zrt"});
    EXPECT_EQ(FileNamesIn(real), std::vector<std::wstring>{L"p.zrt"});

    // The file the link leads to is deleted: the save makes it anew there, through the link.
    ASSERT_TRUE(DeleteFileA((real + "\\p.zrt").c_str()));
    ASSERT_NO_FATAL_FAILURE(SwitchAwayAndBack());
    ExpectBoxAndAnswer("the notice that the file is gone", WidePath(GoneTextFor(link)), IconLook::Exclamation, {IDOK},
                       IDOK);
    ASSERT_TRUE(MainWindowBack());
    TypeIntoField(RuntimeField, "again.exe");
    ASSERT_NO_FATAL_FAILURE(SaveAndWait(real + "\\p.zrt", "RUNTIME", "filename", "again.exe"));
    EXPECT_TRUE(NoDialogWithin(300)) << WhatShows();
    EXPECT_EQ(FileNamesIn(real), std::vector<std::wstring>{L"p.zrt"});
    EXPECT_EQ(ReadProfileValue(link, "RUNTIME", "filename"), "again.exe") << "the link is no longer one";
    ASSERT_TRUE(DeleteFileA((real + "\\p.zrt").c_str()));
    EXPECT_EQ(ReadProfileValue(link, "RUNTIME", "filename"), "<missing>") << "the link became a file of its own";
}

// Without a temporary folder (TEMP and TMP name a folder that is not there, as after a user's
// folder was renamed), the save goes by its copy beside the file all the same: it asks nothing
// about its own writes, then or later, and leaves nothing anywhere.
TEST_F(WhereTheFileIs, WithoutATemporaryFolder) {
    const std::vector<std::wstring> inTemp = FilesInTemporaryFolder();
    {
        const TemporaryFolderAt gone(WidePath(folder / "gone"));
        ASSERT_NO_FATAL_FAILURE(Start());
    }
    const std::string path = folder / "eta.zrt";
    WriteFileBytes(path, Before);
    const std::string identity = FileIdentity(path);
    ASSERT_NO_FATAL_FAILURE(EditAndSave(path));
    ASSERT_NO_FATAL_FAILURE(SwitchAwayAndBack());
    EXPECT_TRUE(NoDialogWithin(300)) << WhatShows();
    EXPECT_NE(FileIdentity(path), identity) << "the save did not go by a copy";
    EXPECT_EQ(ReadProfileValue(path, "TOOL", "keep"), "this");
    EXPECT_EQ(FileNamesIn(folder.Path()), std::vector<std::wstring>{L"eta.zrt"});
    EXPECT_EQ(FilesInTemporaryFolder(), inTemp);
}

// Every name of a file with hard links reads the saved values: the save wrote into the file.
TEST_F(WhereTheFileIs, UnderTwoNames) {
    const std::string first = folder / "first.zrt";
    const std::string second = folder / "second.zrt";
    WriteFileBytes(first, Before);
    ASSERT_TRUE(CreateHardLinkA(second.c_str(), first.c_str(), nullptr));
    ASSERT_NO_FATAL_FAILURE(EditAndSave(first));
    EXPECT_EQ(ReadProfileValue(second, "RUNTIME", "filename"), "new.exe");
    EXPECT_EQ(FileIdentity(first), FileIdentity(second));
    EXPECT_EQ(FileNamesIn(folder.Path()), (std::vector<std::wstring>{L"first.zrt", L"second.zrt"}));
}

// A viewer, a build tool or a virus scanner reads the file and lets others write it: the
// rename cannot take its place, so the save writes into it.
TEST_F(WhereTheFileIs, HeldOpenByAReader) {
    const std::string path = folder / "p.zrt";
    WriteFileBytes(path, Before);
    const std::string identity = FileIdentity(path);
    const OwnedHandle reader(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(reader);
    ASSERT_NO_FATAL_FAILURE(EditAndSave(path));
    EXPECT_EQ(ReadProfileValue(path, "TOOL", "keep"), "this");
    EXPECT_EQ(FileIdentity(path), identity);
    EXPECT_EQ(FileNamesIn(folder.Path()), std::vector<std::wstring>{L"p.zrt"});
}

// Where the copy's name passes the system's 260 characters, the save still goes through a copy
// that takes the file's place in one step, and leaves nothing behind, there or elsewhere.
TEST_F(WhereTheFileIs, InAFolderWithALongName) {
    const std::string base = folder.Path();
    const std::size_t fileBytes = 255;
    const std::string deep = base + "\\" + std::string(fileBytes - base.size() - 1 - 6, 'd');
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + WidePath(deep)).c_str(), nullptr));
    const std::string path = deep + "\\p.zrt";
    ASSERT_EQ(path.size(), fileBytes);
    WriteFileBytes(path, Before);
    const std::string identity = FileIdentity(path);
    const std::vector<std::wstring> inTemp = FilesInTemporaryFolder();

    ASSERT_NO_FATAL_FAILURE(EditAndSave(path));
    EXPECT_EQ(ReadProfileValue(path, "TOOL", "keep"), "this");
    EXPECT_NE(FileIdentity(path), identity) << "the save wrote into the file instead of through a copy";
    EXPECT_EQ(FileNamesIn(deep), std::vector<std::wstring>{L"p.zrt"});
    EXPECT_EQ(FilesInTemporaryFolder(), inTemp);
}

// What saves killed before their end left beside the file goes when the file is opened, and
// every other file stays. (Which names are copies: the clean-up's own test.)
TEST_F(WhereTheFileIs, BesideCopiesKilledSavesLeft) {
    const std::string path = folder / "p.zrt";
    WriteFileBytes(path, Before);
    WriteFileBytes(folder / "~p.zrt.0000ABCD.tmp", Before);
    WriteFileBytes(folder / "~p.zrt.notes.tmp", Before);
    ASSERT_NO_FATAL_FAILURE(OpenProject(path));
    std::vector<std::wstring> left = FileNamesIn(folder.Path());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::wstring>{L"p.zrt", L"~p.zrt.notes.tmp"}));
}
