#include "ui/MenuTable.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

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
