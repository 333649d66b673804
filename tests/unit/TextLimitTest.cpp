#include "ui/TextLimit.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/text/AnsiText.h"

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

}  // namespace
