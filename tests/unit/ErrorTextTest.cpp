#include "main/ErrorText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Shown(const std::string& message) {
    return ErrorBoxText(message, IsShiftJisLeadByte);
}

}  // namespace

TEST(ErrorBoxText, AppendsAPeriodAfterAnythingThatSortsAfterIt) {
    for (const std::string message : {"a", "Z", "0", "9", "?", ":", "/", "~", "\x7F"}) {
        EXPECT_EQ(Shown("x" + message), "x" + message + ".") << message;
    }
    // The write error of the profile file: its last character is double-byte.
    EXPECT_EQ(Shown("C:\\a.zrt に書き込めません"), "C:\\a.zrt に書き込めません.");
    // A lone half-width katakana is a single byte above 0x7F.
    EXPECT_EQ(Shown("ｱ"), "ｱ.");
}

TEST(ErrorBoxText, LeavesMessagesEndingInPunctuationOrBlanksAlone) {
    for (const std::string message : {".", "!", ",", "-", ")", " ", "\n", "\r\n", "\t", "\"", "'", "+"}) {
        EXPECT_EQ(Shown("x" + message), "x" + message) << static_cast<int>(message.back());
    }
    EXPECT_EQ(Shown(""), "");
}

TEST(ErrorBoxText, JudgesTheLastCharacterNotTheLastByte) {
    // ー and ソ end in trail bytes 0x5B and 0x5C, which alone would sort after "."; 。's trail
    // byte is 0x42. All three are double-byte characters whose lead byte decides.
    EXPECT_EQ(Shown("データー"), "データー.");
    EXPECT_EQ(Shown("ソ"), "ソ.");
    EXPECT_EQ(Shown("終わり。"), "終わり。.");
    // A lone lead byte left at the end counts as a character of its own.
    EXPECT_EQ(Shown("x\x81"), "x\x81.");
}
