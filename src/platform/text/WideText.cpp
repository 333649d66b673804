#include "platform/text/WideText.h"

#include <windows.h>

namespace {

int Length(std::size_t size) {
    return static_cast<int>(size);
}

// text in the ANSI code page, converted with flags and defaultCharacter as WideCharToMultiByte
// takes them; usedDefault (where given) tells whether a character had no form of its own.
std::string Narrow(std::wstring_view text, DWORD flags, const char* defaultCharacter, BOOL* usedDefault) {
    if (text.empty()) {
        return {};
    }
    const int length =
        WideCharToMultiByte(CP_ACP, flags, text.data(), Length(text.size()), nullptr, 0, defaultCharacter, usedDefault);
    if (length <= 0) {
        return {};
    }
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, flags, text.data(), Length(text.size()), ansi.data(), length, defaultCharacter,
                        usedDefault);
    return ansi;
}

}  // namespace

bool IsAnsiLeadByte(unsigned char byte) {
    return IsDBCSLeadByte(byte) != FALSE;
}

std::wstring WidenAnsi(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), Length(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), Length(text.size()), wide.data(), length);
    return wide;
}

std::optional<std::string> ExactAnsi(std::wstring_view text) {
    BOOL usedDefault = FALSE;
    std::string ansi = Narrow(text, WC_NO_BEST_FIT_CHARS, nullptr, &usedDefault);
    // The way back must give the very same text: a character mapped to one that reads
    // differently (a yen sign to a backslash) would name another file.
    if (usedDefault || WidenAnsi(ansi) != text) {
        return std::nullopt;
    }
    return ansi;
}

std::string NearestAnsi(std::wstring_view text) {
    return Narrow(text, WC_NO_BEST_FIT_CHARS, "?", nullptr);
}

std::string BestFitAnsi(std::wstring_view text) {
    return Narrow(text, 0, nullptr, nullptr);
}

std::wstring LongPathForm(std::wstring path) {
    if (path.size() < MAX_PATH || path.starts_with(L"\\\\?\\")) {
        return path;
    }
    if (path.starts_with(L"\\\\")) {
        return L"\\\\?\\UNC\\" + path.substr(2);
    }
    return L"\\\\?\\" + path;
}

std::wstring SystemPath(const FilePath& path) {
    return LongPathForm(Wide(path));
}

std::wstring Wide(const FilePath& path) {
    return std::wstring(path.Utf16().begin(), path.Utf16().end());
}

FilePath PathOf(std::wstring_view path) {
    return FilePath(std::u16string(path.begin(), path.end()));
}

std::wstring Wide(const ShownText& text) {
    std::wstring wide;
    for (const ShownText::Piece& piece : text.Pieces()) {
        wide += piece.IsName ? std::wstring(piece.Name.begin(), piece.Name.end()) : WidenAnsi(piece.Words);
    }
    return wide;
}
