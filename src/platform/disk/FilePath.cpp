#include "platform/disk/FilePath.h"

#include <algorithm>

namespace {

std::size_t NameStart(std::u16string_view path) {
    const std::size_t separator = path.find_last_of(u"\\/");
    return separator == std::u16string_view::npos ? 0 : separator + 1;
}

// A letter's capital, as Windows matches letters in names: those of the alphabets names are
// mostly written in (Latin with its accented letters, Greek, Cyrillic, and the full-width Latin
// of Japanese text). Any other character matches only itself.
char16_t Upper(char16_t c) {
    const auto minus = [c](int offset) { return static_cast<char16_t>(c - offset); };
    if ((c >= u'a' && c <= u'z') || (c >= 0x00E0 && c <= 0x00FE && c != 0x00F7) ||
        (c >= 0x03B1 && c <= 0x03CB && c != 0x03C2) || (c >= 0x0430 && c <= 0x044F) || (c >= 0xFF41 && c <= 0xFF5A)) {
        return minus(0x20);
    }
    if (c >= 0x0450 && c <= 0x045F) {
        return minus(0x50);
    }
    // Latin Extended-A pairs its capitals and small letters, capital first.
    if (c >= 0x0100 && c <= 0x017F && c != 0x0130 && c != 0x0131 && c != 0x0138 && c != 0x0149 && c != 0x017F) {
        const bool oddPairs = (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E);
        return (c % 2 == 1) != oddPairs ? minus(1) : c;
    }
    return c;
}

}  // namespace

FilePath FilePath::Folder() const {
    return FilePath(path_.substr(0, NameStart(path_)));
}

std::u16string_view FilePath::Name() const {
    return std::u16string_view(path_).substr(NameStart(path_));
}

FilePath FilePath::Beside(std::u16string_view name) const {
    return FilePath(Folder().path_ + std::u16string(name));
}

bool FilePath::SameName(const FilePath& other) const {
    return std::ranges::equal(path_, other.path_, [](char16_t a, char16_t b) { return Upper(a) == Upper(b); });
}
