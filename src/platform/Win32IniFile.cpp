#include "platform/Win32IniFile.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Exception.h"
#include "platform/FileSharing.h"
#include "platform/ProfileText.h"
#include "platform/ProfileValue.h"
#include "platform/SafeSave.h"
#include "platform/UniqueHandle.h"
#include "platform/WideText.h"
#include "platform/Win32SaveFiles.h"

namespace {

constexpr DWORD FirstReadSize = 2048;

// The ANSI writer passes its texts on as counted Unicode strings of at most 32,766
// characters; a longer value is written as garbage while the call reports success (seen under
// Wine). Longer texts are converted here, as the ANSI writer would, and go to the Unicode writer.
constexpr std::size_t LongestAnsiWrite = 32766;

BOOL WriteProfileText(const std::string& section,
                      const std::string& key,
                      const std::string& text,
                      const std::string& fileName) {
    if (text.size() <= LongestAnsiWrite) {
        return WritePrivateProfileStringA(section.c_str(), key.c_str(), text.c_str(), fileName.c_str());
    }
    return WritePrivateProfileStringW(WidenAnsi(section).c_str(), WidenAnsi(key).c_str(), WidenAnsi(text).c_str(),
                                      WidenAnsi(fileName).c_str());
}

// A value can be no longer than the file that holds it; past this the file is not one the
// program could have written, and its reading stops growing.
constexpr DWORD LargestReadSize = 64u * 1024u * 1024u;

// A load, which keeps the file open for reading meanwhile, so that no other program can take
// it for itself between the look at it and the reads.
class TLoadedIniFile final : public TIniFile {
public:
    TLoadedIniFile(const std::string& fileName, HANDLE openFile) : TIniFile(fileName), openFile_(openFile) {}

private:
    UniqueFile openFile_;
};

// The copy a save writes to, made before the profile file that writes to it.
struct SaveCopy {
    explicit SaveCopy(const std::string& fileName) : save(fileName, files) {}

    TWin32SaveFiles files;
    TSafeSave save;
};

// A save: the writes go to a copy beside the file, which takes its place at Commit. The copy
// outlives the profile file, which is flushed before the copy goes.
class TSavedIniFile final : private SaveCopy, public TIniFile {
public:
    explicit TSavedIniFile(const std::string& fileName) : SaveCopy(fileName), TIniFile(fileName, save.WorkPath()) {}

    void Commit() override {
        Flush();
        save.Commit();
    }
};

std::unique_ptr<TCustomIniFile> OpenForLoad(const std::string& fileName) {
    const HANDLE handle =
        CreateFileW(WidenAnsi(fileName).c_str(), GENERIC_READ, ShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        // Only a name that is not there is a new project; a file that is there and cannot be
        // read (taken by another program, not the user's to read, a folder) must not open as
        // an empty one, which the next save would write over it.
        if (NamesNoFile(GetLastError())) {
            return std::make_unique<TIniFile>(fileName);
        }
        throw CannotReadIniFile(fileName);
    }
    auto loaded = std::make_unique<TLoadedIniFile>(fileName, handle);
    std::string head(ProfileTextProbeSize, '\0');
    DWORD length = 0;
    if (!ReadFile(handle, head.data(), static_cast<DWORD>(head.size()), &length, nullptr)) {
        throw CannotReadIniFile(fileName);
    }
    head.resize(length);
    if (!IsProfileText(head)) {
        throw NotAProjectFile(fileName);
    }
    return loaded;
}

}  // namespace

TIniFile::TIniFile(std::string fileName) : TIniFile(fileName, fileName) {}

TIniFile::TIniFile(std::string fileName, std::string workPath)
    : TCustomIniFile(std::move(fileName)), workPath_(std::move(workPath)) {}

TIniFile::~TIniFile() {
    Flush();
}

void TIniFile::Flush() {
    // Wine answers FALSE where Windows answers TRUE, and there is nothing to do about a failure
    // here, so the answer is not read.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, workPath_.c_str());
}

std::string TIniFile::ReadEntry(const std::string& section, const std::string& key, const std::string& defaultValue) {
    std::vector<char> buffer(FirstReadSize);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                                      size, workPath_.c_str());
        // A value that does not fit comes back cut, answering size - 1; a cut inside a
        // double-byte character or before a closing quote can answer one less. Only an answer
        // clearly short of the buffer is the whole value.
        if (length + 2 < size || size >= LargestReadSize) {
            return std::string(buffer.data(), length);
        }
        buffer.assign(static_cast<std::size_t>(size) * 2, '\0');
    }
}

void TIniFile::WriteEntry(const std::string& section, const std::string& key, const std::string& value) {
    const std::string text = ProfileValueForWriting(value);
    if (!WriteProfileText(section, key, text, workPath_)) {
        throw CannotWriteIniFile(FileName());
    }
}

std::unique_ptr<TCustomIniFile> OpenWin32IniFile(const std::string& fileName, IniFileUse use) {
    if (use == IniFileUse::Save) {
        return std::make_unique<TSavedIniFile>(fileName);
    }
    return OpenForLoad(fileName);
}
