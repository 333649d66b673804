#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

namespace {

// Every text of the program is Shift-JIS: a run in another code page tests nothing real.
class CodePageEnvironment : public testing::Environment {
public:
    void SetUp() override { ASSERT_EQ(GetACP(), 932u) << "run the tests with LC_ALL=ja_JP.UTF-8 under Wine"; }
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    testing::AddGlobalTestEnvironment(new CodePageEnvironment);
    return RUN_ALL_TESTS();
}
