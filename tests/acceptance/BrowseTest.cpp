#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "acceptance/EditorFixture.h"
#include "acceptance/UserInput.h"
#include "acceptance/Wait.h"
#include "acceptance/WindowQuery.h"

// The three "..." buttons of the general page with their real open dialogs: each offers
// its edit's text and lists its own kind of file; a chosen path goes into the edit and
// counts as a change, unless it is the path already there; Cancel changes nothing.

namespace {

struct BrowseCase {
    std::size_t field;
    const char* filter;
    const char* fileName;
};

std::string Name(const testing::TestParamInfo<BrowseCase>& info) {
    static const char* const names[] = {"Runtime", "Icon", "Manifest"};
    return names[info.param.field];
}

void PrintTo(const BrowseCase& params, std::ostream* out) {
    *out << ProjectFields[params.field].Key << " in " << ProjectFields[params.field].Section;
}

class BrowseButton : public EditorTest, public testing::WithParamInterface<BrowseCase> {
protected:
    // Clicks the button beside the field's edit and waits for its dialog.
    HWND ClickBrowse() {
        const HWND edit = Window().Edit(ProjectFields[GetParam().field]);
        if (!edit) {
            ADD_FAILURE() << "no edit labelled " << ProjectFields[GetParam().field].Label;
            return nullptr;
        }
        const HWND button = Window().BrowseButtonBeside(edit);
        if (!button) {
            ADD_FAILURE() << "no \"...\" button beside the edit";
            return nullptr;
        }
        ClickCentreOf(button);
        const HWND dialog = ExpectFileDialog(OpenTitle);
        if (dialog) {
            EXPECT_EQ(ReadFileDialog(dialog).filter, GetParam().filter);
        }
        return dialog;
    }

    // Whether the project counts as changed: a close asks first. Cancels the question.
    bool ProjectChanged() {
        PressAltF4();
        const HWND box = WaitForDialog(Editor().Id(), 2000);
        if (!box) {
            return false;
        }
        Answer(box, IDCANCEL);
        MainWindowBack();
        return true;
    }
};

}  // namespace

TEST_P(BrowseButton, OffersTheEditsTextAndPutsTheChosenPathIntoTheEdit) {
    const std::string typed = folder / "手で入力した名前";
    TypeIntoField(GetParam().field, typed);
    const HWND dialog = ClickBrowse();
    ASSERT_TRUE(dialog);
    const std::string offered = ReadFileDialog(dialog).fileName;
    EXPECT_TRUE(offered == typed || offered == "手で入力した名前") << "the dialog offers \"" << offered << "\"";

    const std::string chosen = folder / GetParam().fileName;
    WriteFileBytes(chosen, "");
    ChooseInFileDialog(dialog, chosen);
    ASSERT_TRUE(MainWindowBack());
    EXPECT_TRUE(WaitUntil([&] { return FieldText(GetParam().field) == chosen; }))
        << "the edit shows " << FieldText(GetParam().field);
    EXPECT_TRUE(ProjectChanged());
}

TEST_P(BrowseButton, CancelChangesNothing) {
    ASSERT_TRUE(ShowPage(Page::General));
    const HWND dialog = ClickBrowse();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ReadFileDialog(dialog).fileName, "");
    CancelDialog(dialog);
    ASSERT_TRUE(MainWindowBack());
    EXPECT_EQ(FieldText(GetParam().field), "");
    EXPECT_FALSE(ProjectChanged()) << "a cancelled dialog marked the project changed";
    ExpectEndsCleanly();
}

TEST_P(BrowseButton, ChoosingThePathAlreadyShownChangesNothing) {
    const std::string chosen = folder / GetParam().fileName;
    WriteFileBytes(chosen, "");
    const std::string project = folder / "p.zrt";
    WriteFileBytes(project,
                   std::string("[") + ProjectFields[GetParam().field].Section + "]\r\nfilename=" + chosen + "\r\n");
    PressKey('O', {VK_CONTROL});
    HWND dialog = ExpectFileDialog(OpenTitle);
    ASSERT_TRUE(dialog);
    ChooseInFileDialog(dialog, project);
    ASSERT_TRUE(MainWindowBack());
    ASSERT_TRUE(WaitUntil([&] { return FieldText(GetParam().field) == chosen; }));

    dialog = ClickBrowse();
    ASSERT_TRUE(dialog);
    ChooseInFileDialog(dialog, chosen);
    ASSERT_TRUE(MainWindowBack());
    EXPECT_EQ(FieldText(GetParam().field), chosen);
    EXPECT_FALSE(ProjectChanged()) << "choosing the same file marked the project changed";
    ExpectEndsCleanly();
}

INSTANTIATE_TEST_SUITE_P(EachFileEdit,
                         BrowseButton,
                         testing::Values(BrowseCase{RuntimeField, "ZUB ランタイム ファイル (*.*)", "zubrt.bin"},
                                         BrowseCase{IconField, "アイコン ファイル (*.ico)", "表示.ico"},
                                         BrowseCase{ManifestField, "マニフェスト ファイル (*.manifest)",
                                                    "app.manifest"}),
                         Name);
