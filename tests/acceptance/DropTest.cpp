#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "acceptance/EditorFixture.h"
#include "acceptance/UserInput.h"
#include "acceptance/Wait.h"
#include "acceptance/WindowQuery.h"

// Files dragged onto the window: a project let go anywhere but on a file edit opens as Open
// opens it, after asking about unsaved changes; an icon let go on the icon edit fills it in.

namespace {

class Drop : public EditorTest {};

}  // namespace

TEST_F(Drop, AProjectOnTheWindowOpensAfterThePromptAndAnIconOnItsEditFillsIt) {
    const std::string project = folder / "ドロップ.zrt";
    WriteFileBytes(project, "[RUNTIME]\r\nfilename=C:\\zub\\zubrt.exe\r\n");
    const std::string icon = folder / "アイコン.ico";
    WriteFileBytes(icon, "icon");
    TypeIntoField(ProductNameField, "未保存");

    // Let go over the tabs of the version page, which shows no file edit.
    ASSERT_TRUE(ShowPage(Page::VersionInfo));
    DropFiles(CentreOf(ScreenRectOf(Window().PageControl())), {WidePath(project)});
    const HWND box = ExpectPrompt(UntitledName);
    ASSERT_TRUE(box);
    Answer(box, IDNO);
    ASSERT_TRUE(MainWindowBack());
    EXPECT_TRUE(WaitUntil([&] { return Window().Caption() == CaptionFor(project); })) << Window().Caption();
    EXPECT_EQ(FieldText(RuntimeField), "C:\\zub\\zubrt.exe");
    EXPECT_EQ(FieldText(ProductNameField), "");

    ASSERT_TRUE(ShowPage(Page::General));
    DropFiles(CentreOf(ScreenRectOf(Window().Edit(ProjectFields[IconField]))), {WidePath(icon)});
    EXPECT_TRUE(WaitUntil([&] { return FieldText(IconField) == icon; })) << FieldText(IconField);
    EXPECT_EQ(FieldText(RuntimeField), "C:\\zub\\zubrt.exe");
    EXPECT_EQ(Window().Caption(), CaptionFor(project));

    // The icon changed the project: closing asks about it.
    PressAltF4();
    const HWND prompt = ExpectPrompt(project);
    ASSERT_TRUE(prompt);
    Answer(prompt, IDCANCEL);
}
