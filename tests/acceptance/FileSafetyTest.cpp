#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "acceptance/EditorFixture.h"
#include "acceptance/LockedFile.h"
#include "acceptance/Owned.h"
#include "acceptance/ProjectFileCheck.h"
#include "acceptance/UserInput.h"
#include "acceptance/Wait.h"
#include "acceptance/WindowQuery.h"

// The file the user chose is the file read and written, and nothing the user did not change
// is lost: a name outside the code page is never swapped for a look-alike, a file that cannot
// be read or is no text is refused instead of opening empty, a value the editor cannot show
// keeps its bytes, and a save that fails leaves the file whole and nothing beside it.

namespace {

std::string Utf16Bytes(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

void WriteBytesW(const std::wstring& path, const std::string& bytes) {
    const OwnedHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(file && WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
}

class FileSafety : public EditorTest {
protected:
    template <typename Path>
    void ChooseAfter(WORD key, std::initializer_list<WORD> modifiers, const std::string& title, const Path& path) {
        PressKey(key, modifiers);
        const HWND dialog = ExpectFileDialog(title);
        ASSERT_TRUE(dialog);
        ChooseInFileDialog(dialog, path);
    }
};

// What the program reads in a file named in UTF-16, as another program would read it.
std::wstring ValueIn(const std::wstring& path, const wchar_t* section, const wchar_t* key) {
    wchar_t value[256] = {};
    GetPrivateProfileStringW(section, key, L"<missing>", value, 256, path.c_str());
    return value;
}

}  // namespace

// A project whose folder and name hold what code page 932 cannot (accented Latin, Hangul, a
// character beyond the Basic Multilingual Plane, a symbol) opens, saves and is asked about under
// its very name, shown exactly; its look-alike (Cafe for Café, which the system's ANSI dialog
// would hand back) is never taken for it.
TEST_F(FileSafety, ANameOutsideTheCodePageOpensSavesAndIsAskedAboutExactly) {
    const std::wstring base = WidePath(folder.Path());
    const std::wstring inner = L"\\𠮷田 한글 ☕";
    for (const wchar_t* outer : {L"\\Café", L"\\Cafe"}) {
        ASSERT_TRUE(CreateDirectoryW((base + outer).c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW((base + outer + inner).c_str(), nullptr));
    }
    const std::wstring chosen = base + L"\\Café" + inner + L"\\p 𠮷 é.zrt";
    const std::wstring lookAlike = base + L"\\Cafe" + inner + L"\\p 𠮷 é.zrt";
    ASSERT_NO_FATAL_FAILURE(WriteBytesW(chosen, "[RUNTIME]\r\nfilename=accent.exe\r\n"));
    const std::string other = "[RUNTIME]\r\nfilename=cafe.exe\r\n";
    ASSERT_NO_FATAL_FAILURE(WriteBytesW(lookAlike, other));

    ASSERT_NO_FATAL_FAILURE(ChooseAfter('O', {VK_CONTROL}, OpenTitle, chosen));
    ASSERT_TRUE(MainWindowBack());
    EXPECT_EQ(UnicodeTextOf(Window().Handle()), chosen + L" - ZUB Runtime Editor");
    EXPECT_EQ(FieldText(RuntimeField), "accent.exe");

    TypeIntoField(RuntimeField, "mine.exe");
    PressKey('S', {VK_CONTROL});
    ASSERT_TRUE(WaitUntil([&] { return ValueIn(chosen, L"RUNTIME", L"filename") == L"mine.exe"; }));
    Editor().WaitForIdle();
    EXPECT_TRUE(NoDialogWithin(300)) << WhatShows();
    EXPECT_EQ(ReadFileBytes(lookAlike), other);

    // Another program's change is asked about, naming the file exactly.
    ASSERT_NO_FATAL_FAILURE(WriteBytesW(chosen, "[RUNTIME]\r\nfilename=theirs.exe\r\n"));
    ASSERT_NO_FATAL_FAILURE(SwitchAwayAndBack());
    ExpectBoxAndAnswer("the question whether to read the file again",
                       L"ファイル " + chosen + L" は他のプログラムで変更されました。\r\n\r\n読み込み直しますか?",
                       IconLook::Question, {IDYES, IDNO}, IDYES);
    ASSERT_TRUE(MainWindowBack());
    EXPECT_EQ(FieldText(RuntimeField), "theirs.exe");
    EXPECT_EQ(UnicodeTextOf(Window().Handle()), chosen + L" - ZUB Runtime Editor");
}

// Held by another program, or no text at all: refused with an error naming the file, and the
// project on screen stays as it was, so that its next save goes where it came from.
TEST_F(FileSafety, AFileThatCannotBeReadOrIsNoTextIsRefusedAndTheProjectStays) {
    const std::string mine = folder / "mine.zrt";
    WriteFileBytes(mine, "[RUNTIME]\r\nfilename=mine.exe\r\n[ICON]\r\nfilename=mine.ico\r\n");
    ASSERT_NO_FATAL_FAILURE(OpenProject(mine));

    const std::string held = folder / "other.zrt";
    const std::string heldBytes = "[RUNTIME]\r\nfilename=other.exe\r\n[ICON]\r\nfilename=other.ico\r\n";
    WriteFileBytes(held, heldBytes);
    std::string binary;
    unsigned seed = 12345;
    for (int i = 0; i < 200 * 1024; ++i) {
        seed = seed * 1103515245u + 12345u;
        binary.push_back(static_cast<char>(seed >> 16));
    }
    const std::string program = folder / "program.zrt";
    WriteFileBytes(program, binary);
    {
        LockedFile lock(held);
        ASSERT_TRUE(lock.Held());
        ASSERT_NO_FATAL_FAILURE(ChooseAfter('O', {VK_CONTROL}, OpenTitle, held));
        ASSERT_NO_FATAL_FAILURE(ExpectErrorAndOk(WidePath(held + " を読み込めません.")));
    }
    ASSERT_NO_FATAL_FAILURE(ChooseAfter('O', {VK_CONTROL}, OpenTitle, program));
    ASSERT_NO_FATAL_FAILURE(ExpectErrorAndOk(WidePath(program + " はプロジェクト ファイルではありません.")));
    // Zeros are told from their head, and a file larger than any project file from its size,
    // whatever its head: both at once, without reading the rest.
    const std::string zeros = folder / "zeros.zrt";
    const std::string huge = folder / "huge.zrt";
    for (const auto& [path, size, message] :
         {std::tuple{zeros, 200ll << 20, std::string(" はプロジェクト ファイルではありません.")},
          std::tuple{huge, 5ll << 30, std::string(" は大きすぎます: プロジェクト ファイルは 256 MB までです.")}}) {
        {
            OwnedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
            const std::string head = path == huge ? "[RUNTIME]\r\nfilename=huge.exe\r\n" : "";
            DWORD written = 0;
            LARGE_INTEGER end{};
            end.QuadPart = size;
            ASSERT_TRUE(WriteFile(file.Get(), head.data(), static_cast<DWORD>(head.size()), &written, nullptr) &&
                        SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(file.Get()));
        }
        const DWORD asked = GetTickCount();
        ASSERT_NO_FATAL_FAILURE(ChooseAfter('O', {VK_CONTROL}, OpenTitle, path));
        ASSERT_NO_FATAL_FAILURE(ExpectErrorAndOk(WidePath(path + message)));
        EXPECT_LT(GetTickCount() - asked, 5000u) << "the whole file was read";
    }

    EXPECT_EQ(Window().Caption(), CaptionFor(mine));
    EXPECT_EQ(FieldText(IconField), "mine.ico");
    TypeIntoField(RuntimeField, "edited.exe");
    ASSERT_NO_FATAL_FAILURE(SaveAndWait(mine, "RUNTIME", "filename", "edited.exe"));
    EXPECT_EQ(ReadProfileValue(mine, "ICON", "filename"), "mine.ico");
    EXPECT_EQ(ReadFileBytes(held), heldBytes);
    EXPECT_EQ(ReadFileBytes(program), binary);
}

// Values in UTF-16 and UTF-8 files that code page 932 cannot show come back from a save
// byte for byte when the user changed something else.
TEST_F(FileSafety, ValuesTheEditorCannotShowKeepTheirBytesWhenAnotherValueIsSaved) {
    // Every key is there, so that the save has nothing to add: these values, then every other
    // version key, empty.
    std::wstring lines =
        L"[RUNTIME]\r\nfilename=rt.exe\r\n[ICON]\r\nfilename=a.ico\r\n[MANIFEST]\r\nfilename=m.manifest\r\n"
        L"[VERSION]\r\nLegalCopyright=© 2024 株式会社テスト\r\nLegalTrademarks=™ mark\r\n"
        L"Comments=Café ☕ 한글 test\r\nProductName=𠮷野家\r\nFileVersion=1.0\r\n";
    for (std::size_t field = FirstVersionField; field < ProjectFields.size(); ++field) {
        const std::wstring key = WidePath(ProjectFields[field].Key) + L"=";
        if (lines.find(L"\n" + key) == std::wstring::npos) {
            lines += key + L"\r\n";
        }
    }
    const std::string utf16 = folder / "utf16.zrt";
    WriteFileBytes(utf16, "\xFF\xFE" + Utf16Bytes(lines));
    const std::string utf8 = folder / "utf8.zrt";
    std::string utf8Bytes(lines.size() * 4, '\0');
    utf8Bytes.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, lines.data(), static_cast<int>(lines.size()), utf8Bytes.data(),
                            static_cast<int>(utf8Bytes.size()), nullptr, nullptr)));
    WriteFileBytes(utf8, "\xEF\xBB\xBF" + utf8Bytes);

    const std::wstring changed = L"FileVersion=2.0";
    std::wstring expected = lines;
    expected.replace(expected.find(L"FileVersion=1.0"), 15, changed);
    for (const std::string& path : {utf16, utf8}) {
        SCOPED_TRACE(path);
        ASSERT_NO_FATAL_FAILURE(OpenProject(path));
        TypeIntoField(VersionField("FileVersion"), "2.0");
        ASSERT_NO_FATAL_FAILURE(SaveAndWait(path, "VERSION", "FileVersion", "2.0"));
        const std::string bytes = ReadFileBytes(path);
        if (path == utf16) {
            EXPECT_EQ(bytes, "\xFF\xFE" + Utf16Bytes(expected));
        } else {
            EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
            std::wstring read(bytes.size(), L'\0');
            read.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data() + 3,
                                                                     static_cast<int>(bytes.size() - 3), read.data(),
                                                                     static_cast<int>(read.size()))));
            EXPECT_TRUE(read == expected);
        }
    }
}

// Another program reads the file while it is saved and lets nobody write it: the save may not
// write it, says so, and leaves the file as it was with nothing beside it; once the file is free
// the save works.
TEST_F(FileSafety, ASaveThatFailsLeavesTheFileWholeAndNothingBesideIt) {
    const std::string path = folder / "p.zrt";
    const std::string before = "[RUNTIME]\r\nfilename=old.exe\r\n[OTHER]\r\nkeep=1\r\n";
    WriteFileBytes(path, before);
    ASSERT_NO_FATAL_FAILURE(OpenProject(path));
    TypeIntoField(RuntimeField, "new.exe");
    {
        const OwnedHandle reader(
            CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(reader);
        PressKey('S', {VK_CONTROL});
        ASSERT_NO_FATAL_FAILURE(ExpectErrorAndOk(WidePath(WriteErrorTextFor(path))));
        EXPECT_EQ(ReadFileBytes(path), before);
        EXPECT_EQ(FileNamesIn(folder.Path()), std::vector<std::wstring>{L"p.zrt"});
    }
    ASSERT_NO_FATAL_FAILURE(SaveAndWait(path, "RUNTIME", "filename", "new.exe"));
    EXPECT_EQ(ReadProfileValue(path, "OTHER", "keep"), "1");
    EXPECT_TRUE(WaitUntil([&] { return FileNamesIn(folder.Path()) == std::vector<std::wstring>{L"p.zrt"}; }));
}
