// The window's rules that need no window: the byte limit of an edit, where the window opens,
// how a shortcut reads in the menu.
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <string>

#include "platform/AnsiText.h"
#include "platform/TextInBlock.h"
#include "ui/MenuTable.h"
#include "ui/Placement.h"
#include "ui/TextLimit.h"

namespace {

TEST(RoomForInput, CountsBytesLeftAfterTheSelectionGoes) {
    EXPECT_EQ(256u, RoomForInput(0, 0, 256));
    EXPECT_EQ(2u, RoomForInput(254, 0, 256));
    EXPECT_EQ(0u, RoomForInput(256, 0, 256));
    EXPECT_EQ(4u, RoomForInput(256, 4, 256)) << "a selection is replaced";
    EXPECT_EQ(0u, RoomForInput(300, 0, 256)) << "longer text the program set leaves no room";
    EXPECT_EQ(0u, RoomForInput(300, 44, 256));
    EXPECT_EQ(1u, RoomForInput(300, 45, 256));
    EXPECT_EQ(NoLimit, RoomForInput(100000, 0, 0)) << "0 sets no limit";
}

TEST(PasteForRoom, TakesOneLineCutAtAWholeCharacter) {
    const std::string kana = "あいう";  // three double-byte characters
    EXPECT_EQ(kana, PasteForRoom(kana, 6, IsShiftJisLeadByte));
    EXPECT_EQ("あい", PasteForRoom(kana, 5, IsShiftJisLeadByte)) << "never half a character";
    EXPECT_EQ("", PasteForRoom(kana, 1, IsShiftJisLeadByte));
    EXPECT_EQ("aあ", PasteForRoom("aあb", 3, IsShiftJisLeadByte));
    EXPECT_EQ("first", PasteForRoom("first\r\nsecond", 100, IsShiftJisLeadByte));
    EXPECT_EQ("first", PasteForRoom("first\nsecond", 100, IsShiftJisLeadByte));
    EXPECT_EQ("", PasteForRoom("\r\nsecond", 100, IsShiftJisLeadByte));
    // A trail byte 0x5C is no backslash of its own, nor 0x0A-looking bytes a line break.
    EXPECT_EQ("表", PasteForRoom("表", 2, IsShiftJisLeadByte));  // 表 is 0x95 0x5C
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

TEST(CentredOrigin, CentresOnTheVirtualScreenNeverBelowZero) {
    EXPECT_EQ(273, CentredOrigin(1024, 768, 478, 358).Left);
    EXPECT_EQ(205, CentredOrigin(1024, 768, 478, 358).Top);
    EXPECT_EQ(1, CentredOrigin(481, 100, 478, 97).Left) << "div truncates";
    EXPECT_EQ(0, CentredOrigin(400, 300, 478, 358).Left) << "a negative place is raised to 0";
    EXPECT_EQ(0, CentredOrigin(400, 300, 478, 358).Top);
    EXPECT_EQ(0, CentredOrigin(477, 357, 478, 358).Left) << "-1 div 2 is 0, not -1";
}

TEST(ShortcutText, ReadsAsTheMenuShowsIt) {
    EXPECT_EQ("Ctrl+N", ShortcutText({ShortcutModifier::Ctrl, 'N', 0}));
    EXPECT_EQ("Alt+F4", ShortcutText({ShortcutModifier::Alt, 0, 4}));
    EXPECT_EQ("Ctrl+F12", ShortcutText({ShortcutModifier::Ctrl, 0, 12}));
    EXPECT_EQ("", ShortcutText(NoShortcut));
}

TEST(MenuGlyphSetFor, TakesTheLargestSetNotLargerThanTheDensityAsksFor) {
    // MulDiv(16, dpi, 96) at 96, 108, 120, 144, 168, 192 and 288 pixels per inch.
    const int asked[] = {16, 18, 20, 24, 28, 32, 48};
    const int shown[] = {16, 16, 20, 24, 24, 32, 32};
    for (std::size_t i = 0; i < std::size(asked); ++i) {
        EXPECT_EQ(shown[i], MenuGlyphSetFor(asked[i])) << asked[i];
    }
    EXPECT_EQ(16, MenuGlyphSetFor(12)) << "below every set, the smallest: never none";
}

}  // namespace
