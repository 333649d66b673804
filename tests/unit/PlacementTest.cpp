#include <gtest/gtest.h>

#include "platform/dialogs/Placement.h"

namespace {

// Work areas of monitors anywhere in the virtual screen: the primary at the origin, one to its
// right, one to its left and above (negative coordinates).
TEST(PlaceOnWorkArea, CentresAcrossAndAThirdOfTheWayDown) {
    const Origin primary = PlaceOnWorkArea({0, 0, 1024, 768}, 400, 150);
    EXPECT_EQ(312, primary.Left);
    EXPECT_EQ(206, primary.Top);  // (768 - 150) / 3; half-way would be 309
    const Origin right = PlaceOnWorkArea({1920, 0, 3840, 1040}, 600, 440);
    EXPECT_EQ(2580, right.Left);
    EXPECT_EQ(200, right.Top);
    const Origin leftAbove = PlaceOnWorkArea({-1280, -1024, 0, -64}, 400, 300);
    EXPECT_EQ(-840, leftAbove.Left);
    EXPECT_EQ(-804, leftAbove.Top);
}

TEST(PlaceOnWorkArea, ADialogLargerThanTheWorkAreaStartsAtItsTopLeftCorner) {
    const Origin origin = PlaceOnWorkArea({100, 50, 740, 530}, 800, 600);
    EXPECT_EQ(100, origin.Left);
    EXPECT_EQ(50, origin.Top);
}

TEST(CentredOrigin, CentresOnTheVirtualScreenNeverBelowZero) {
    EXPECT_EQ(273, CentredOrigin(1024, 768, 478, 358).Left);
    EXPECT_EQ(205, CentredOrigin(1024, 768, 478, 358).Top);
    EXPECT_EQ(1, CentredOrigin(481, 100, 478, 97).Left) << "div truncates";
    EXPECT_EQ(0, CentredOrigin(400, 300, 478, 358).Left) << "a negative place is raised to 0";
    EXPECT_EQ(0, CentredOrigin(400, 300, 478, 358).Top);
    EXPECT_EQ(0, CentredOrigin(477, 357, 478, 358).Left) << "-1 div 2 is 0, not -1";
}

}  // namespace
