#include "platform/text/AnsiText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

// Shift-JIS characters whose trail byte is a separator or path character in ASCII.
const std::string Hyou = "表";  // 0x95 0x5C
const std::string So = "ソ";    // 0x83 0x5C
const std::string Po = "ポ";    // 0x83 0x7C

std::size_t LastStart(const std::string& text) {
    return LastCharacterStart(text, IsShiftJisLeadByte);
}

}  // namespace

TEST(AnsiText, ShiftJisLeadBytesAreTheTwoRanges) {
    for (int b = 0; b < 256; ++b) {
        const bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(IsShiftJisLeadByte(static_cast<unsigned char>(b)), expected) << b;
    }
}

TEST(AnsiText, LastCharacterIsFoundWalkingFromTheStart) {
    EXPECT_EQ(LastStart(""), 0u);
    EXPECT_EQ(LastStart("a"), 0u);
    EXPECT_EQ(LastStart("abc"), 2u);
    EXPECT_EQ(LastStart("a" + Hyou), 1u);
    // The trail byte of ソ is 0x5C, and a lead byte followed by it looks like two characters
    // to a backwards scan; only a forward walk gets this right.
    EXPECT_EQ(LastStart(So + So), 2u);
    EXPECT_EQ(LastStart("\x81\x81\x81"), 2u);  // two lead bytes make one character, the third stands alone
    EXPECT_EQ(LastStart(Hyou + "\x81"), 2u);   // a lone lead byte at the end is a character of its own
}

TEST(AnsiText, WholeCharacterPrefixNeverSplitsADoubleByteCharacter) {
    const std::string text = "ab" + Po + "c";  // 5 bytes
    EXPECT_EQ(WholeCharacterPrefix(text, 0, IsShiftJisLeadByte), 0u);
    EXPECT_EQ(WholeCharacterPrefix(text, 2, IsShiftJisLeadByte), 2u);
    EXPECT_EQ(WholeCharacterPrefix(text, 3, IsShiftJisLeadByte), 2u);
    EXPECT_EQ(WholeCharacterPrefix(text, 4, IsShiftJisLeadByte), 4u);
    EXPECT_EQ(WholeCharacterPrefix(text, 5, IsShiftJisLeadByte), 5u);
    EXPECT_EQ(WholeCharacterPrefix(text, 99, IsShiftJisLeadByte), 5u);
    EXPECT_EQ(WholeCharacterPrefix(text + "\x81", 99, IsShiftJisLeadByte), 6u)
        << "a lone lead byte at the end is one byte";
}

TEST(ByteOffsetOfCharacter, WalksWholeCharacters) {
    const std::string text = "aあb表";
    EXPECT_EQ(0u, ByteOffsetOfCharacter(text, 0, IsShiftJisLeadByte));
    EXPECT_EQ(1u, ByteOffsetOfCharacter(text, 1, IsShiftJisLeadByte));
    EXPECT_EQ(3u, ByteOffsetOfCharacter(text, 2, IsShiftJisLeadByte));
    EXPECT_EQ(4u, ByteOffsetOfCharacter(text, 3, IsShiftJisLeadByte));
    EXPECT_EQ(6u, ByteOffsetOfCharacter(text, 4, IsShiftJisLeadByte));
    EXPECT_EQ(6u, ByteOffsetOfCharacter(text, 9, IsShiftJisLeadByte)) << "past the end: the end";
}

TEST(IsShiftJisTrailByte, TakesTheTwoRangesAfterALeadByte) {
    for (const int byte : {0x40, 0x5C, 0x7E, 0x80, 0xA0, 0xFC}) {
        EXPECT_TRUE(IsShiftJisTrailByte(static_cast<unsigned char>(byte))) << byte;
    }
    for (const int byte : {0x00, 0x08, 0x20, 0x3F, 0x7F, 0xFD, 0xFF}) {
        EXPECT_FALSE(IsShiftJisTrailByte(static_cast<unsigned char>(byte))) << byte;
    }
}

// Read from a block of exactly its size: a read past its end is caught by the sanitizer.
TEST(TextInBlock, EndsAtTheFirstNulOrWithTheBlock) {
    const auto block = std::make_unique<char[]>(5);
    std::copy_n("abcde", 5, block.get());
    EXPECT_EQ("abcde", TextInBlock(block.get(), 5));
    block[2] = '\0';
    EXPECT_EQ("ab", TextInBlock(block.get(), 5));
    EXPECT_EQ("", TextInBlock(block.get(), 0));
    const auto wide = std::make_unique<wchar_t[]>(3);
    std::copy_n(L"xyz", 3, wide.get());
    EXPECT_EQ(L"xyz", TextInBlock(wide.get(), 3));
}
