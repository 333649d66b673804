#include <gtest/gtest.h>

#include <string>

#include "platform/profile/ProfileText.h"

using namespace std::string_literals;

TEST(IsProfileText, ANulByteInTheFirst64KiBMakesAFileNoText) {
    EXPECT_TRUE(IsProfileText(""));
    EXPECT_TRUE(IsProfileText("[VERSION]\r\nComments=\x81\x40\xFF\r\n"));
    EXPECT_TRUE(IsProfileText("\xEF\xBB\xBF[VERSION]\n"));
    EXPECT_FALSE(IsProfileText("MZ\x90\0\x03\0"s));
    EXPECT_FALSE(IsProfileText("[VERSION]\r\n\0"s));
    // UTF-16 is text when it says so with its byte-order mark, little-endian only: the profile
    // functions of Windows read no other, even where the big-endian file holds no NUL.
    EXPECT_TRUE(IsProfileText("\xFF\xFE[\0V\0"s));
    EXPECT_FALSE(IsProfileText("\xFE\xFF\0[\0V"s));
    EXPECT_FALSE(IsProfileText("\xFE\xFF[V]"s));
    EXPECT_FALSE(IsProfileText("[\0V\0"s));
    // Only the start is looked at.
    EXPECT_FALSE(IsProfileText(std::string(ProfileTextProbeSize - 1, 'a') + '\0'));
    EXPECT_TRUE(IsProfileText(std::string(ProfileTextProbeSize, 'a') + '\0'));
}

namespace {

struct Case {
    std::string Value;
    std::string Written;
};

}  // namespace

TEST(ProfileValue, OnlyValuesTheReaderWouldAlterAreQuoted) {
    const Case cases[] = {
        {"", ""},
        {"plain", "plain"},
        {"inner  blanks", "inner  blanks"},
        {"a=b;c[d]", "a=b;c[d]"},
        {"say \"hi\" now", "say \"hi\" now"},
        {"表ポ", "表ポ"},  // trail bytes 0x5C and 0x7C are no blanks or quotes
        {" lead", "\" lead\""},
        {"trail\t", "\"trail\t\""},
        {"\"quoted\"", "\"\"quoted\"\""},
        {"'single'", "\"'single'\""},
        {"\"", "\"\"\""},
        {"ends'", "\"ends'\""},
        {" ", "\" \""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProfileValueForWriting(c.Value), c.Written) << "value [" << c.Value << "]";
    }
}

TEST(ProfileValue, LineBreaksCanNeverStartANewLineInTheFile) {
    EXPECT_EQ(ProfileValueForWriting("a\r\n[VERSION]\nKey=x"), "a  [VERSION] Key=x");
    EXPECT_EQ(ProfileValueForWriting("a\r"), "\"a \"");
    EXPECT_EQ(ProfileValueForWriting("\nb"), "\" b\"");
}
