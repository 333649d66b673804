#include "platform/ProfileValue.h"

#include <gtest/gtest.h>

#include <string>

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
