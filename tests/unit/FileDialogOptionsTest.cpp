#include "platform/FileDialogOptions.h"

#include <gtest/gtest.h>

TEST(FileDialogOptions, FlagsPassedForEachOptionSetOfTheProgram) {
    // The hook, the hidden read-only box, the Explorer look and resizing.
    EXPECT_EQ(DefaultOpenOptions().DialogFlags(), 0x880024u);

    TOpenOptions browse = DefaultOpenOptions();
    browse.Include(TOpenOption::ofDontAddToRecent);
    EXPECT_EQ(browse.DialogFlags(), 0x2880024u);

    TOpenOptions save = DefaultOpenOptions();
    save.Include(TOpenOption::ofOverwritePrompt);
    EXPECT_EQ(save.DialogFlags(), 0x880026u);
}
