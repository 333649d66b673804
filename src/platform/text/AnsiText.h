#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Byte strings in the ANSI code page, where a character is one byte or a lead byte followed
// by one trail byte. The code page is passed in as its lead-byte test, so that these helpers
// run the same with the platform's answer and with a fixed Shift-JIS table in tests.
using LeadByteTest = bool (*)(unsigned char);

// Shift-JIS (code page 932) lead bytes.
bool IsShiftJisLeadByte(unsigned char byte);
// Whether byte can be the second byte of a Shift-JIS double-byte character (0x40-0x7E, 0x80-0xFC).
bool IsShiftJisTrailByte(unsigned char byte);

// Where the last character of text starts (text.size() for an empty text). A trailing lone
// lead byte counts as a character of its own.
std::size_t LastCharacterStart(std::string_view text, LeadByteTest isLeadByte);

// The longest prefix of text, in bytes, that holds whole characters only and is at most
// maxBytes long.
std::size_t WholeCharacterPrefix(std::string_view text, std::size_t maxBytes, LeadByteTest isLeadByte);

// Byte offset of the character with index characters into text (its size when past the end).
std::size_t ByteOffsetOfCharacter(std::string_view text, std::size_t characters, LeadByteTest isLeadByte);

// The text in a memory block of count characters: up to its first NUL, or all of it when it
// holds none, as a block another program filled may not.
template <typename Character>
std::basic_string_view<Character> TextInBlock(const Character* text, std::size_t count) {
    std::size_t length = 0;
    while (length < count && text[length] != Character{}) {
        ++length;
    }
    return {text, length};
}
