#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "platform/disk/FilePath.h"

// A text the program shows: its own words, byte strings in the ANSI code page as all its texts
// are, and the names of files, which are the system's UTF-16 and may hold what the code page
// cannot. The two are kept apart until the window shows the text, which converts the words as
// the system's ANSI functions would and takes the names as they are.
class ShownText {
public:
    struct Piece {
        bool IsName = false;
        std::string Words;    // the program's own, in the ANSI code page
        std::u16string Name;  // a file's name
        bool operator==(const Piece&) const = default;
    };

    ShownText() = default;
    ShownText(const char* words) : ShownText(std::string(words)) {}
    ShownText(std::string words);
    ShownText(const FilePath& name);

    ShownText& operator+=(const ShownText& more);
    const std::vector<Piece>& Pieces() const { return pieces_; }
    bool Empty() const { return pieces_.empty(); }
    // The text as bytes, for what can take nothing else (an exception's what(), a test's
    // report): the words as they are, and in names "?" for every character beyond ASCII.
    std::string Rough() const;

    bool operator==(const ShownText&) const = default;

private:
    // Never an empty piece, and never two of one kind in a row.
    std::vector<Piece> pieces_;
};

ShownText operator+(ShownText text, const ShownText& more);

// For test reports.
std::ostream& operator<<(std::ostream& out, const ShownText& text);
std::ostream& operator<<(std::ostream& out, const FilePath& path);
