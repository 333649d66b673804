#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "acceptance/EditorFixture.h"
#include "acceptance/Screenshot.h"
#include "acceptance/UserInput.h"
#include "acceptance/Wait.h"
#include "acceptance/WindowQuery.h"

// Pictures of the program for people: each page filled in as a user would, the File menu
// open, the save-changes prompt and the error box. Run at each screen density the program
// is checked at; the tests only fail when a window to picture is missing.

namespace {

class Screenshots : public EditorTest {
protected:
    void SetUp() override {
        if (!ScreenshotsWanted()) {
            GTEST_SKIP() << "no --screenshots folder given";
        }
        EditorTest::SetUp();
    }

    void Take(const std::string& name, std::vector<HWND> windows) {
        windows.insert(windows.begin(), Window().Handle());
        EXPECT_EQ(TakeScreenshot(name, windows), "") << name;
    }
};

}  // namespace

TEST_F(Screenshots, PagesMenuPromptAndErrorBox) {
    TypeIntoField(RuntimeField, "C:\\ZUB\\zubrt.exe");
    TypeIntoField(IconField, "C:\\ZUB\\表示\\アプリ.ico");
    TypeIntoField(ManifestField, "C:\\ZUB\\app.manifest");
    Take("general-page", {});

    ASSERT_TRUE(ShowPage(Page::HtmlResources));
    Take("html-resources-page", {});

    const char* const versions[] = {"1.0.0.0",          "1.0.0.0", "1.0", "1.0", "サンプル アプリケーション",
                                    "(c) 2024 サンプル"};
    for (std::size_t i = 0; i < 6; ++i) {
        TypeIntoField(FirstVersionField + i, versions[i]);
    }
    ASSERT_TRUE(ShowPage(Page::General));
    ASSERT_TRUE(ShowPage(Page::VersionInfo));
    Take("version-page", {});

    PressKey('F', {VK_MENU});
    ASSERT_TRUE(WaitUntil([&] { return OpenMenu() != nullptr; }, 3000)) << "Alt+F opened no menu";
    Take("file-menu", {OpenMenu()});
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    WaitUntil([&] { return OpenMenu() == nullptr; }, 3000);

    PressKey('N', {VK_CONTROL});
    const HWND prompt = ExpectDialog("the save-changes prompt");
    ASSERT_TRUE(prompt);
    Take("save-changes-prompt", {prompt});
    Answer(prompt, IDCANCEL);
    ASSERT_TRUE(MainWindowBack());

    PressKey('S', {VK_CONTROL});
    const HWND dialog = ExpectFileDialog(SaveTitle);
    ASSERT_TRUE(dialog);
    ChooseInFileDialog(dialog, folder / "ない\\p.zrt");
    const HWND error = ExpectDialog("the error box");
    ASSERT_TRUE(error);
    Take("error-box", {error});
    Answer(error, IDOK);
}
