#pragma once

#include <compare>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

// The longest full path the program takes, in UTF-16 units: the system's MAX_PATH less its NUL.
// The file dialogs and the profile functions take no longer one.
inline constexpr std::size_t LongestPath = 259;

// The name of a file as the system has it: UTF-16, whatever the ANSI code page can hold, so that
// a file is opened, saved, watched and named under its very own name. Nothing converts it to the
// code page; the window shows it as it is.
class FilePath {
public:
    FilePath() = default;
    explicit FilePath(std::u16string path) : path_(std::move(path)) {}

    const std::u16string& Utf16() const { return path_; }
    bool Empty() const { return path_.empty(); }
    // In UTF-16 units, which the system's limits count.
    std::size_t Length() const { return path_.size(); }

    // The folder, ending in its separator (empty for a bare name), and the name in it.
    FilePath Folder() const;
    std::u16string_view Name() const;
    // The file name in the same folder.
    FilePath Beside(std::u16string_view name) const;

    // Whether two full paths name the same file as Windows compares names: the letters A to Z
    // match in either case, everything else exactly.
    bool SameName(const FilePath& other) const;

    // Exact comparison, for keeping paths apart as keys.
    auto operator<=>(const FilePath&) const = default;

private:
    std::u16string path_;
};
