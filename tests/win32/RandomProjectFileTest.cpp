#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "document/ProjectFile.h"
#include "doubles/RecordingEdits.h"
#include "platform/profile/Win32IniFile.h"
#include "win32/TempFolder.h"

// Project files as other tools write them, in every encoding the profile functions know, each
// loaded, partly changed and saved back through the real profile functions: whatever the user
// did not change must read back exactly as before, and nothing else of the file may go.
// The seed comes from ZUB_SEED when it is set, else from the clock; a failure names it.

namespace {

enum class Encoding { ShiftJis, Utf16, Utf8 };

// One key of the file as generated, and whether the reader can see it (a key in a second
// section of the same name cannot be seen).
struct Line {
    std::wstring Section;
    std::wstring Key;
    std::wstring Value;
};

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool Chance(int percent) { return Below(100) < percent; }

    // A value of up to a few dozen characters: Japanese and ASCII text, inner blanks, and
    // now and then blanks or quotes at its ends or characters outside code page 932.
    std::wstring Value(bool unicodeFile) {
        static const std::wstring common = L"abcXYZ019 .,-_:\\/表ソ能ポ日本語テストｱｲ";
        static const std::wstring outside = L"é©™☕한𠮷€";
        std::wstring value;
        const int length = Below(24);
        for (int i = 0; i < length; ++i) {
            if (unicodeFile && Chance(10)) {
                const std::size_t at = static_cast<std::size_t>(Below(static_cast<int>(outside.size())));
                // The surrogate pair of 𠮷 goes whole.
                value += outside[at] >= 0xD800 && outside[at] < 0xDC00   ? outside.substr(at, 2)
                         : outside[at] >= 0xDC00 && outside[at] < 0xE000 ? outside.substr(at - 1, 2)
                                                                         : outside.substr(at, 1);
            } else {
                value += common[static_cast<std::size_t>(Below(static_cast<int>(common.size())))];
            }
        }
        switch (Below(6)) {
            case 0:
                return L"  " + value + L" ";
            case 1:
                return L"\"" + value + L"\"";
            case 2:
                return L"'" + value;
            default:
                return value;
        }
    }

    // A new value in the code page, as a user types it.
    std::string AnsiValue() {
        static const char* pieces[] = {"a", "Z", "1", " ", "\"", "'", "表", "ソ", "能", "ポ", "ｱ", "\\", "|", "="};
        std::string value = "new";
        const int length = Below(12);
        for (int i = 0; i < length; ++i) {
            value += pieces[Below(static_cast<int>(std::size(pieces)))];
        }
        return value;
    }

    std::mt19937& Random() { return random_; }

private:
    std::mt19937 random_;
};

std::wstring OtherCase(const std::wstring& name, Generator& random) {
    std::wstring changed = name;
    for (wchar_t& c : changed) {
        if (random.Chance(50) && c < 0x80 && std::isalpha(static_cast<int>(c))) {
            c = static_cast<wchar_t>(std::islower(static_cast<int>(c)) ? std::toupper(static_cast<int>(c))
                                                                       : std::tolower(static_cast<int>(c)));
        }
    }
    return changed;
}

struct ProjectFileText {
    std::wstring Text;
    std::vector<Line> Foreign;       // keys of sections the project does not use
    std::vector<std::wstring> Kept;  // lines that must still be there, as written
};

ProjectFileText RandomProjectFile(Generator& random, Encoding encoding) {
    const bool unicode = encoding != Encoding::ShiftJis;
    const std::wstring end = std::vector<std::wstring>{L"\r\n", L"\n", L"\r"}[random.Below(3)];
    ProjectFileText file;
    std::vector<std::wstring> sections = {L"RUNTIME", L"ICON", L"MANIFEST", L"VERSION"};
    const int foreignCount = random.Below(3);
    for (int i = 0; i < foreignCount; ++i) {
        sections.push_back(i == 0 ? L"表の節" : L"Other" + std::to_wstring(i));
    }
    std::shuffle(sections.begin(), sections.end(), random.Random());
    for (const std::wstring& section : sections) {
        const bool ours =
            section == L"RUNTIME" || section == L"ICON" || section == L"MANIFEST" || section == L"VERSION";
        file.Text += L"[" + (ours ? OtherCase(section, random) : section) + L"]" + end;
        if (random.Chance(30)) {
            const std::wstring comment = L"; note " + std::to_wstring(random.Below(1000)) + L" 注記";
            file.Text += comment + end;
            file.Kept.push_back(comment);
        }
        if (ours) {
            for (std::size_t row = 0; row < ProjectRowCount; ++row) {
                const std::wstring rowSection(ProjectTable[row].Section,
                                              ProjectTable[row].Section + std::strlen(ProjectTable[row].Section));
                if (rowSection != section || random.Chance(15)) {
                    continue;
                }
                const std::wstring key(ProjectTable[row].Key,
                                       ProjectTable[row].Key + std::strlen(ProjectTable[row].Key));
                const std::wstring around = random.Chance(20) ? L" " : L"";
                file.Text += OtherCase(key, random) + around + L"=" + around + random.Value(unicode) + end;
            }
        } else {
            const int keys = 1 + random.Below(3);
            for (int i = 0; i < keys; ++i) {
                Line line{section, L"k" + std::to_wstring(i), random.Value(unicode)};
                file.Text += line.Key + L"=" + line.Value + end;
                file.Foreign.push_back(line);
            }
        }
        if (random.Chance(20)) {
            file.Text += end;  // a blank line, which the reader skips
        }
    }
    // A second section of a name the project uses: the reader never looks into it, and the
    // save must leave it as it is.
    if (random.Chance(30)) {
        const std::wstring hidden = L"hidden" + std::to_wstring(random.Below(100)) + L"=v";
        file.Text += L"[VERSION]" + end + hidden + end;
        file.Kept.push_back(hidden);
    }
    return file;
}

std::string Encoded(const std::wstring& text, Encoding encoding) {
    const auto bytesIn = [&](UINT codePage) {
        std::string bytes(text.size() * 4 + 4, '\0');
        bytes.resize(static_cast<std::size_t>(WideCharToMultiByte(codePage, 0, text.data(),
                                                                  static_cast<int>(text.size()), bytes.data(),
                                                                  static_cast<int>(bytes.size()), nullptr, nullptr)));
        return bytes;
    };
    switch (encoding) {
        case Encoding::Utf16:
            return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
        case Encoding::Utf8:
            return "\xEF\xBB\xBF" + bytesIn(CP_UTF8);
        case Encoding::ShiftJis:
            break;
    }
    return bytesIn(932);
}

std::wstring Decoded(const std::string& bytes) {
    if (bytes.rfind("\xFF\xFE", 0) == 0) {
        return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    }
    const bool utf8 = bytes.rfind("\xEF\xBB\xBF", 0) == 0;
    const std::string body = utf8 ? bytes.substr(3) : bytes;
    std::wstring text(body.size(), L'\0');
    text.resize(static_cast<std::size_t>(MultiByteToWideChar(utf8 ? CP_UTF8 : 932, 0, body.data(),
                                                             static_cast<int>(body.size()), text.data(),
                                                             static_cast<int>(text.size()))));
    return text;
}

std::wstring Widened(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()),
                                                             wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

// What the profile reader gives for a key, exactly, in UTF-16; "<missing>" when it has none.
std::wstring ReadExactly(const std::string& path, const std::wstring& section, const std::wstring& key) {
    std::vector<wchar_t> buffer(8192);
    const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"\x01", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), Widened(path).c_str());
    const std::wstring value(buffer.data(), length);
    return value == L"\x01" ? L"<missing>" : value;
}

// What the ANSI profile reader gives for a key, which is what a project's values have always been.
std::string ReadAnsi(const std::string& path, std::size_t row) {
    std::vector<char> buffer(8192);
    const DWORD length = GetPrivateProfileStringA(ProjectTable[row].Section, ProjectTable[row].Key, "", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), path.c_str());
    return std::string(buffer.data(), length);
}

std::wstring RowSection(std::size_t row) {
    return Widened(ProjectTable[row].Section);
}

std::wstring RowKey(std::size_t row) {
    return Widened(ProjectTable[row].Key);
}

unsigned Seed() {
    if (const char* given = std::getenv("ZUB_SEED")) {
        return static_cast<unsigned>(std::strtoul(given, nullptr, 10));
    }
    return static_cast<unsigned>(std::time(nullptr));
}

}  // namespace

TEST(RandomProjectFiles, ASaveChangesWhatTheUserChangedAndNothingElse) {
    const unsigned seed = Seed();
    SCOPED_TRACE(testing::Message() << "ZUB_SEED=" << seed);
    Generator random(seed);
    TempFolder folder;
    const std::string path = folder / "project.zrt";
    constexpr int Cases = 300;
    for (int run = 0; run < Cases && !HasFailure(); ++run) {
        const auto encoding = static_cast<Encoding>(random.Below(3));
        SCOPED_TRACE(testing::Message() << "case " << run << ", encoding " << static_cast<int>(encoding));
        const ProjectFileText file = RandomProjectFile(random, encoding);
        WriteFileBytes(path, Encoded(file.Text, encoding));

        std::vector<std::wstring> before;
        for (std::size_t row = 0; row < ProjectRowCount; ++row) {
            before.push_back(ReadExactly(path, RowSection(row), RowKey(row)));
        }
        std::vector<std::wstring> foreignBefore;
        for (const Line& line : file.Foreign) {
            foreignBefore.push_back(ReadExactly(path, line.Section, line.Key));
        }
        RecordingEdits edits;
        LoadProject(FilePathOf(path), OpenWin32IniFile, edits);
        const StoredProject stored{FilePathOf(path), EditValues(edits)};
        for (std::size_t row = 0; row < ProjectRowCount; ++row) {
            EXPECT_EQ(edits.Values[row], ReadAnsi(path, row))
                << "loaded as the ANSI reader reads " << ProjectTable[row].Key;
        }
        std::vector<bool> changed(ProjectRowCount, false);
        for (std::size_t row = 0; row < ProjectRowCount; ++row) {
            if (random.Chance(30)) {
                edits.Values[row] = random.AnsiValue();
                changed[row] = edits.Values[row] != (*stored.Values)[row];
            }
        }
        {
            const auto saving = OpenWin32IniFile(FilePathOf(path), IniFileUse::Save);
            StoreProject(*saving, EditValues(edits), &stored);
            saving->Commit();
        }

        TIniFile saved(FilePathOf(path));
        for (std::size_t row = 0; row < ProjectRowCount; ++row) {
            SCOPED_TRACE(ProjectTable[row].Key);
            if (changed[row] || before[row] == L"<missing>") {
                EXPECT_EQ(saved.ReadEntry(ProjectTable[row].Section, ProjectTable[row].Key, "<missing>"),
                          edits.Values[row]);
            } else {
                EXPECT_TRUE(ReadExactly(path, RowSection(row), RowKey(row)) == before[row]);
            }
        }
        for (std::size_t i = 0; i < file.Foreign.size(); ++i) {
            EXPECT_TRUE(ReadExactly(path, file.Foreign[i].Section, file.Foreign[i].Key) == foreignBefore[i]);
        }
        const std::wstring after = Decoded(ReadFileBytes(path));
        for (const std::wstring& kept : file.Kept) {
            EXPECT_NE(after.find(kept), std::wstring::npos);
        }
        EXPECT_EQ(FileNamesIn(folder.Path()), std::vector<std::wstring>{L"project.zrt"});
    }
}
