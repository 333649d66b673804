#include "platform/WideText.h"

#include <windows.h>

namespace {

int Length(std::size_t size) {
    return static_cast<int>(size);
}

}  // namespace

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
    if (text.empty()) {
        return std::string();
    }
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), Length(text.size()), nullptr, 0,
                                           nullptr, &usedDefault);
    if (length <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), Length(text.size()), ansi.data(), length, nullptr,
                        &usedDefault);
    // The way back must give the very same text: a character mapped to one that reads
    // differently (a yen sign to a backslash) would name another file.
    if (usedDefault || WidenAnsi(ansi) != text) {
        return std::nullopt;
    }
    return ansi;
}

std::string NearestAnsi(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int length =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), Length(text.size()), nullptr, 0, "?", nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), Length(text.size()), ansi.data(), length, "?",
                        nullptr);
    return ansi;
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

std::wstring SystemPath(std::string_view path) {
    return LongPathForm(WidenAnsi(path));
}
