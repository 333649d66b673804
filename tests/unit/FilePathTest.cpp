#include "platform/disk/FilePath.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/text/ShownText.h"

// Names compare as Windows compares them: a letter and its capital are one, in the alphabets
// names are written in; any other character, and the halves of one beyond the Basic Multilingual
// Plane, only itself.
TEST(FilePath, SameNameFoldsTheCaseOfLettersOnly) {
    const struct {
        std::u16string A;
        std::u16string B;
        bool Same;
    } cases[] = {
        {u"C:\\Dir\\a.zrt", u"c:\\dIR\\A.ZRT", true},
        {u"C:\\Café\\Ärger.zrt", u"C:\\CAFÉ\\ärger.zrt", true},
        {u"C:\\Ōsaka\\Łódź.zrt", u"C:\\ōSAKA\\łÓDŹ.zrt", true},
        {u"C:\\σοφια\\москва.zrt", u"C:\\ΣΟΦΙΑ\\МОСКВА.zrt", true},
        {u"C:\\ｚｕｂ.zrt", u"C:\\ＺＵＢ.zrt", true},
        {u"C:\\a.zrt", u"C:\\b.zrt", false},
        {u"C:\\a.zrt", u"C:\\a.zrt ", false},
        {u"C:\\Cafe.zrt", u"C:\\Café.zrt", false},
        {u"C:\\𠮷田\\a.zrt", u"C:\\𠮷田\\A.zrt", true},
        {u"C:\\𠮷.zrt", u"C:\\吉.zrt", false},
        {u"C:\\ア.zrt", u"C:\\ヂ.zrt", false},
        {u"C:\\÷.zrt", u"C:\\×.zrt", false},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(testing::Message() << FilePath(each.A) << " / " << FilePath(each.B));
        EXPECT_EQ(FilePath(each.A).SameName(FilePath(each.B)), each.Same);
        EXPECT_EQ(FilePath(each.B).SameName(FilePath(each.A)), each.Same);
    }
}

TEST(FilePath, SplitsIntoFolderAndName) {
    // Outside the assertions, which quote their text in the code page.
    const FilePath path(u"C:\\𠮷田\\Café.zrt");
    const FilePath folder(u"C:\\𠮷田\\");
    const std::u16string name = u"Café.zrt";
    const FilePath copy(u"C:\\𠮷田\\~Café.zrt.1.tmp");
    EXPECT_EQ(path.Folder(), folder);
    EXPECT_EQ(path.Name(), name);
    EXPECT_EQ(path.Beside(u"~" + name + u".1.tmp"), copy);
    EXPECT_EQ(FilePath(u"a.zrt").Folder(), FilePath());
    EXPECT_EQ(FilePath(u"C:/p/a.zrt").Name(), u"a.zrt");
}

// What a text shows is its pieces in order, words and names kept apart; adjacent pieces of one
// kind are one.
TEST(ShownText, KeepsWordsAndNamesApartInOrder) {
    const FilePath name(u"C:\\Café.zrt");  // outside the assertions, which quote them in the code page
    const ShownText text = "ファイル " + name + " " + "を読み込めません";
    ASSERT_EQ(text.Pieces().size(), 3u);
    EXPECT_EQ(text.Pieces()[0].Words, "ファイル ");
    EXPECT_EQ(text.Pieces()[1].Name, name.Utf16());
    EXPECT_EQ(text.Pieces()[2].Words, " を読み込めません");
    EXPECT_EQ(text.Rough(), "ファイル C:\\Caf?.zrt を読み込めません");
    EXPECT_TRUE(ShownText(FilePath()).Empty());
}
