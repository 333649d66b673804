#include "platform/text/ShownText.h"

#include <ostream>

ShownText::ShownText(std::string words) {
    if (!words.empty()) {
        pieces_.push_back({false, std::move(words), {}});
    }
}

ShownText::ShownText(const FilePath& name) {
    if (!name.Empty()) {
        pieces_.push_back({true, {}, name.Utf16()});
    }
}

ShownText& ShownText::operator+=(const ShownText& more) {
    for (const Piece& piece : more.pieces_) {
        if (!pieces_.empty() && pieces_.back().IsName == piece.IsName) {
            pieces_.back().Words += piece.Words;
            pieces_.back().Name += piece.Name;
        } else {
            pieces_.push_back(piece);
        }
    }
    return *this;
}

std::string ShownText::Rough() const {
    std::string rough;
    for (const Piece& piece : pieces_) {
        rough += piece.Words;
        for (const char16_t character : piece.Name) {
            rough += character < 0x80 ? static_cast<char>(character) : '?';
        }
    }
    return rough;
}

ShownText operator+(ShownText text, const ShownText& more) {
    text += more;
    return text;
}

std::ostream& operator<<(std::ostream& out, const ShownText& text) {
    return out << text.Rough();
}

std::ostream& operator<<(std::ostream& out, const FilePath& path) {
    return out << ShownText(path).Rough();
}
