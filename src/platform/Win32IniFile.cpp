#include "platform/Win32IniFile.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Exception.h"
#include "platform/ProfileValue.h"

namespace {

constexpr DWORD FirstReadSize = 2048;

// The ANSI writer passes its texts on as counted Unicode strings of at most 32,766
// characters; a longer value is written as garbage while the call reports success (seen under
// Wine). Longer texts are converted here, as the ANSI writer would, and go to the Unicode writer.
constexpr std::size_t LongestAnsiWrite = 32766;

std::wstring Widened(const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

BOOL WriteProfileText(const std::string& section, const std::string& key, const std::string& text,
                      const std::string& fileName) {
    if (text.size() <= LongestAnsiWrite) {
        return WritePrivateProfileStringA(section.c_str(), key.c_str(), text.c_str(), fileName.c_str());
    }
    return WritePrivateProfileStringW(Widened(section).c_str(), Widened(key).c_str(), Widened(text).c_str(),
                                      Widened(fileName).c_str());
}

// A value can be no longer than the file that holds it; past this the file is not one the
// program could have written, and its reading stops growing.
constexpr DWORD LargestReadSize = 64u * 1024u * 1024u;

}  // namespace

TIniFile::TIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)) {}

TIniFile::~TIniFile() {
    // Flushes the platform's cache of the file. Wine answers FALSE where Windows answers
    // TRUE, and there is nothing to do about a failure here, so the answer is not read.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, FileName().c_str());
}

std::string TIniFile::ReadEntry(const std::string& section, const std::string& key,
                                const std::string& defaultValue) {
    std::vector<char> buffer(FirstReadSize);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                                      buffer.data(), size, FileName().c_str());
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
    if (!WriteProfileText(section, key, text, FileName())) {
        throw CannotWriteIniFile(FileName());
    }
}

std::unique_ptr<TCustomIniFile> OpenWin32IniFile(const std::string& fileName) {
    return std::make_unique<TIniFile>(fileName);
}
