#include "platform/profile/Win32IniFile.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Exception.h"
#include "platform/UniqueHandle.h"
#include "platform/disk/FileHandles.h"
#include "platform/profile/ProfileText.h"
#include "platform/save/SafeSave.h"
#include "platform/save/Win32SaveFiles.h"
#include "platform/text/WideText.h"

namespace {

constexpr DWORD FirstReadSize = 2048;

// The profile functions are called in their Unicode forms, which take any file name; the
// section, key and texts are converted from the ANSI code page and back as the ANSI forms
// convert them, so that the same bytes reach the same file. (The ANSI writer also passes its
// texts on as counted strings of at most 32,766 characters, and writes a longer value as garbage
// while it reports success: seen under Wine.)
const wchar_t* OrNull(const std::wstring& text, bool given) {
    return given ? text.c_str() : nullptr;
}

// A value can be no longer than the file that holds it; past this the file is not one the
// program could have written, and its reading stops growing.
constexpr DWORD LargestReadSize = 64u * 1024u * 1024u;

// A load, which holds the file open for reading meanwhile, sharing only reading, so that no
// other program writes it between the look at it and the reads: what it found is what it reads.
class TLoadedIniFile final : public TIniFile {
public:
    TLoadedIniFile(const FilePath& fileName, UniqueFile openFile, const FileSnapshot& found)
        : TIniFile(fileName), openFile_(std::move(openFile)) {
        SetFound(found);
    }

private:
    UniqueFile openFile_;
};

// The save a profile file writes for, made before it and gone after it, so that the profile
// file is flushed while its work file is still there.
struct SaveUnderway {
    explicit SaveUnderway(const FilePath& fileName) : save(fileName, files) {}

    TWin32SaveFiles files;
    TSafeSave save;
};

class TSavedIniFile final : private SaveUnderway, public TIniFile {
public:
    explicit TSavedIniFile(const FilePath& fileName) : SaveUnderway(fileName), TIniFile(fileName, save.WorkPath()) {
        SetFound(save.Found());
    }

    // The values wait for the save's last look at the file, so that a change another program made
    // meanwhile is asked about before any of them is written, on every road.
    void WriteEntry(const std::string& section, const std::string& key, const std::string& value) override {
        pending_.push_back({section, key, value});
    }
    bool ChangedSinceFound() override { return save.ChangedSinceFound(); }
    void BuildOn(const FilePath& base) override { save.BuildOn(base); }
    FileSnapshot Commit() override {
        return save.Commit([this] {
            for (const Entry& entry : pending_) {
                TIniFile::WriteEntry(entry.Section, entry.Key, entry.Value);
            }
            Flush();
        });
    }

private:
    struct Entry {
        std::string Section;
        std::string Key;
        std::string Value;
    };
    std::vector<Entry> pending_;
};

std::unique_ptr<TCustomIniFile> OpenForLoad(const FilePath& fileName) {
    UniqueFile file = OpenDiskFile(fileName, GENERIC_READ, FILE_SHARE_READ, FILE_FLAG_SEQUENTIAL_SCAN);
    if (!file) {
        // Only a name that is not there is a new project; a file that is there and cannot be
        // read (taken by another program, not the user's to read, a folder, a device) must not
        // open as an empty one, which the next save would write over it.
        if (NamesNoFile(GetLastError())) {
            return std::make_unique<TIniFile>(fileName);
        }
        throw CannotReadIniFile(fileName);
    }
    // Read whole for its fingerprint, its head first: a file that is no text is refused from it.
    const SaveFiles::Reading read = ReadWhole(file.get());
    if (read.Kind == DiskKind::NotAProject) {
        throw NotAProjectFile(fileName);
    }
    if (read.Kind == DiskKind::TooLarge) {
        throw TooLargeFile(fileName);
    }
    const DiskStamp stamp = StampOf(file.get());
    if (read.Done != SaveFiles::Written::All || stamp.Kind != DiskKind::Project) {
        throw CannotReadIniFile(fileName);
    }
    return std::make_unique<TLoadedIniFile>(fileName, std::move(file), FileSnapshot{stamp, read.Fingerprint});
}

}  // namespace

TIniFile::TIniFile(FilePath fileName) : TIniFile(fileName, fileName) {}

TIniFile::TIniFile(FilePath fileName, FilePath workPath)
    : TCustomIniFile(std::move(fileName)), workPath_(std::move(workPath)) {}

TIniFile::~TIniFile() {
    Flush();
}

void TIniFile::Flush() {
    // Wine answers FALSE where Windows answers TRUE, and there is nothing to do about a failure
    // here, so the answer is not read.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, Wide(workPath_).c_str());
}

std::string TIniFile::ReadEntry(const std::string& section, const std::string& key, const std::string& defaultValue) {
    return Read(&section, &key, defaultValue);
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) {
    // The names come back one after another, each ending in NUL.
    const std::string names = Read(&section, nullptr, "");
    std::vector<std::string> keys;
    for (std::size_t start = 0; start < names.size();) {
        const std::size_t end = names.find('\0', start);
        keys.push_back(names.substr(start, end - start));
        start = end == std::string::npos ? names.size() : end + 1;
    }
    return keys;
}

std::string TIniFile::Read(const std::string* section, const std::string* key, const std::string& defaultValue) {
    const std::wstring sectionText = section ? WidenAnsi(*section) : std::wstring();
    const std::wstring keyText = key ? WidenAnsi(*key) : std::wstring();
    const std::wstring defaultText = WidenAnsi(defaultValue);
    const std::wstring path = Wide(workPath_);
    std::vector<wchar_t> buffer(FirstReadSize);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetPrivateProfileStringW(OrNull(sectionText, section), OrNull(keyText, key),
                                                      defaultText.c_str(), buffer.data(), size, path.c_str());
        // A value that does not fit comes back cut, answering size - 1 (a list of names size - 2);
        // a cut before a closing quote can answer one less. Only an answer clearly short of the
        // buffer is the whole value.
        if (length + 2 < size || size >= LargestReadSize) {
            // The list of names ends in a NUL of its own, which is not part of its text.
            const std::size_t text = key || length == 0 ? length : length - 1;
            return BestFitAnsi(std::wstring_view(buffer.data(), text));
        }
        buffer.assign(static_cast<std::size_t>(size) * 2, L'\0');
    }
}

void TIniFile::WriteEntry(const std::string& section, const std::string& key, const std::string& value) {
    const std::string text = ProfileValueForWriting(value);
    if (!WritePrivateProfileStringW(WidenAnsi(section).c_str(), WidenAnsi(key).c_str(), WidenAnsi(text).c_str(),
                                    Wide(workPath_).c_str())) {
        throw CannotWriteIniFile(FileName());
    }
}

std::unique_ptr<TCustomIniFile> OpenWin32IniFile(const FilePath& fileName, IniFileUse use) {
    if (use == IniFileUse::Save) {
        return std::make_unique<TSavedIniFile>(fileName);
    }
    return OpenForLoad(fileName);
}
