// The window as the document's window: edits that mark the document changed, and the three
// browse buttons with their open dialogs.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "document/ProjectTable.h"
#include "win32/DialogDriver.h"
#include "win32/MainWindowFixture.h"
#include "win32/TempFolder.h"

namespace {

// The name a file dialog offers in its file-name field.
std::string OfferedName(HWND dialog) {
    HWND found = nullptr;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM result) -> BOOL {
            char name[16] = {};
            GetClassNameA(child, name, static_cast<int>(sizeof name));
            if (GetDlgCtrlID(child) == 0x47C && std::string(name) == "Edit") {
                *reinterpret_cast<HWND*>(result) = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found ? WindowText(found) : WindowText(GetDlgItem(dialog, 0x480));
}

class MainWindowDocumentTest : public MainWindowFixture {
protected:
    // Starts a clean new project, answering No to the prompt about the changes.
    void DiscardChanges() {
        DialogDriver answerNo([](HWND box) { PressDialogButton(box, IDNO); });
        Command(MenuFileNew);
        Pump();
    }

    void ClickButton(ControlId button) {
        SendMessageA(Component(button), BM_CLICK, 0, 0);
        Pump();
    }
};

TEST_F(MainWindowDocumentTest, TypingIntoAnyProjectEditMarksTheDocumentChanged) {
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        SCOPED_TRACE(ProjectTable[row].Field);
        const HWND edit = Component(ProjectEditId(row));
        SelectPage(row < 3 ? 0 : 2);
        ASSERT_FALSE(Document().Modified());
        SetFocus(edit);
        Type(L"v");
        EXPECT_EQ("v", Window().EditText(row));
        EXPECT_TRUE(Document().Modified());
        DiscardChanges();
        EXPECT_EQ("", TextOf(edit));
    }
}

TEST_F(MainWindowDocumentTest, TheHtmlPageEditsAreNoPartOfTheProject) {
    SetWindowTextA(Component(LabeledEditHtmlFile), "index.html");
    SetWindowTextA(Component(LabeledEditHtmlResource), "INDEX");
    EXPECT_FALSE(Document().Modified());
}

// What the document sets is its own: only the user's change marks it.
TEST_F(MainWindowDocumentTest, SetEditTextChangesTheEditWithoutReportingIt) {
    Window().SetEditText(ProjectRowOf("ProductVerNumber"), "1.0.0.0");
    EXPECT_EQ("1.0.0.0", TextOf(Component(ProjectEditId(ProjectRowOf("ProductVerNumber")))));
    EXPECT_FALSE(Document().Modified());
    SetWindowTextA(Component(ProjectEditId(ProjectRowOf("ProductVerNumber"))), "2.0");
    EXPECT_TRUE(Document().Modified());
}

TEST_F(MainWindowDocumentTest, CaptionFollowsTheDocumentAndExitClosesThroughTheCloseQuery) {
    EXPECT_EQ(Ansi(L"無題.zrt - ZUB Runtime Editor"), TextOf(Window().Handle()));
    SetFocus(Component(LabeledEditZubrt));
    Type(L"x");
    {
        DialogDriver cancel([](HWND box) { PressDialogButton(box, IDCANCEL); });
        Command(MenuFileExit);
        Pump();
        EXPECT_TRUE(cancel.Acted());
    }
    EXPECT_EQ(0, host_.Terminations) << "Cancel refuses the close";
    {
        DialogDriver answerNo([](HWND box) { PressDialogButton(box, IDNO); });
        EXPECT_TRUE(Window().CloseQuery());
    }
    {
        DialogDriver answerCancel([](HWND box) { PressDialogButton(box, IDCANCEL); });
        EXPECT_EQ(FALSE, SendMessageA(Window().Handle(), WM_QUERYENDSESSION, 0, 0));
    }
    SendMessageA(Window().Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(1, host_.Minimizations);
    EXPECT_FALSE(IsIconic(Window().Handle())) << "the application window minimizes in its place";
}

TEST_F(MainWindowDocumentTest, ASaveThatFailsIsReportedToTheHostAndTheWindowGoesOn) {
    TempFolder folder;
    const std::string path = folder / "missing\\project.zrt";
    SetFocus(Component(LabeledEditIcon));
    Type(L"i");
    DialogDriver choose([&](HWND dialog) { ChooseFileName(dialog, path); });
    PressKey('S', Ctrl);
    ASSERT_EQ(1u, host_.Errors.size());
    EXPECT_EQ(WidePath(path) + L" に書き込めません", host_.Errors[0]);
    EXPECT_TRUE(Document().Modified());
    host_.Errors.clear();
}

TEST_F(MainWindowDocumentTest, BrowseButtonFillsItsEditWithTheChosenPathAndCancelChangesNothing) {
    TempFolder folder;
    const std::string icon = folder / "app.ico";
    WriteFileBytes(icon, "icon");

    // A path typed by hand is offered (the dialog shows its name part, the folder being where
    // it looks); the chosen path goes in exactly as the dialog returns it.
    const HWND edit = Component(LabeledEditIcon);
    const std::string typed = "C:\\nowhere\\typed.ico";
    SetWindowTextA(edit, typed.c_str());
    std::string offered;
    {
        DialogDriver choose([&](HWND dialog) {
            offered = OfferedName(dialog);
            ChooseFileName(dialog, icon);
        });
        ClickButton(ButtonIcon);
        EXPECT_TRUE(choose.Acted());
    }
    EXPECT_FALSE(offered.empty());
    EXPECT_TRUE(typed.ends_with(offered)) << offered;
    EXPECT_EQ(icon, TextOf(edit));
    EXPECT_EQ(FilePathOf(icon), Dialog(OpenDialogIcon).FileName);

    // A name longer than the edit takes is refused, saying why, and the edit keeps its text (the
    // rule is the drop's, tested there).
    const std::wstring longName = WidePath(folder / std::string(258 - folder.Path().size() - 1 - 4, 'n')) + L".ico";
    {
        DialogDriver choose([&](HWND dialog) { ChooseFileName(dialog, longName); });
        ClickButton(ButtonIcon);
    }
    ASSERT_EQ(1u, host_.Errors.size());
    EXPECT_EQ(L"ファイル名 " + longName + L" は長すぎます: 256 バイトまでです", host_.Errors[0]);
    EXPECT_EQ(icon, TextOf(edit));
    host_.Errors.clear();

    // A clean project whose icon edit shows that file: choosing it again changes nothing.
    const std::string project = folder / "project.zrt";
    WriteFileBytes(project, "[ICON]\r\nfilename=" + icon + "\r\n");
    DiscardChanges();
    {
        DialogDriver choose([&](HWND dialog) { ChooseFileName(dialog, project); });
        Command(MenuFileOpen);
        Pump();
    }
    ASSERT_EQ(icon, TextOf(edit));
    ASSERT_FALSE(Document().Modified());
    {
        DialogDriver choose([&](HWND dialog) { ChooseFileName(dialog, icon); });
        ClickButton(ButtonIcon);
        EXPECT_TRUE(choose.Acted());
    }
    EXPECT_EQ(icon, TextOf(edit));
    EXPECT_FALSE(Document().Modified());

    // Cancel leaves the edit and the document alone.
    {
        DialogDriver cancel([&](HWND dialog) {
            offered = OfferedName(dialog);
            PressDialogButton(dialog, IDCANCEL);
        });
        ClickButton(ButtonIcon);
        EXPECT_TRUE(cancel.Acted());
    }
    EXPECT_EQ("app.ico", offered) << "the dialog offers what the edit shows";
    EXPECT_EQ(icon, TextOf(edit));
    EXPECT_FALSE(Document().Modified());
}

TEST_F(MainWindowDocumentTest, EachBrowseButtonRunsItsOwnDialogForItsOwnEdit) {
    TempFolder folder;
    const struct {
        ControlId Button;
        ControlId Edit;
        DialogId Dialog;
        const char* File;
    } pickers[] = {
        {ButtonZubrt, LabeledEditZubrt, OpenDialogZubrt, "runtime.bin"},
        {ButtonIcon, LabeledEditIcon, OpenDialogIcon, "app.ico"},
        {ButtonManifest, LabeledEditManifest, OpenDialogManifest, "app.manifest"},
    };
    for (const auto& picker : pickers) {
        SCOPED_TRACE(picker.Button);
        const std::string path = folder / picker.File;
        WriteFileBytes(path, "x");
        DialogDriver choose([&](HWND dialog) { ChooseFileName(dialog, path); });
        ClickButton(picker.Button);
        EXPECT_EQ(path, TextOf(Component(picker.Edit)));
        EXPECT_EQ(FilePathOf(path), Dialog(picker.Dialog).FileName);
    }
    EXPECT_TRUE(Dialog(OpenDialog).FileName.Empty()) << "the project's open dialog is untouched";
}

// Each file dialog as the user meets it, opened from the menu or its browse button: its title,
// the name it offers, its file types in order, no read-only box and a frame that resizes.
TEST_F(MainWindowDocumentTest, EachFileDialogShowsItsTitleNameAndFileTypes) {
    struct Seen {
        std::string Title;
        std::string Name;
        std::vector<std::string> Types;
        bool ReadOnlyBox = true;
        bool Resizable = false;
    };
    const auto seenIn = [&](const std::function<void()>& open) {
        Seen seen;
        DialogDriver look([&](HWND dialog) {
            seen = {WindowText(dialog), OfferedName(dialog), FileTypes(dialog), ShowsReadOnlyBox(dialog),
                    IsResizable(dialog)};
            PressDialogButton(dialog, IDCANCEL);
        });
        open();
        EXPECT_TRUE(look.Acted());
        return seen;
    };
    const struct {
        const char* Opened;
        std::function<void()> Open;
        const char* Title;
        const char* Name;
        std::vector<std::string> Types;
    } dialogs[] = {
        {"File > Open", [&] { Command(MenuFileOpen); }, "開く", "", {"ZRT ファイル (*.zrt)", "すべてのファイル (*.*)"}},
        {"File > Save As", [&] { Command(MenuFileSaveAs); }, "名前を付けて保存", "無題.zrt", {"ZRT ファイル (*.zrt)"}},
        {"runtime", [&] { ClickButton(ButtonZubrt); }, "開く", "", {"ZUB ランタイム ファイル (*.*)"}},
        {"icon", [&] { ClickButton(ButtonIcon); }, "開く", "", {"アイコン ファイル (*.ico)"}},
        {"manifest", [&] { ClickButton(ButtonManifest); }, "開く", "", {"マニフェスト ファイル (*.manifest)"}},
    };
    for (const auto& expected : dialogs) {
        SCOPED_TRACE(expected.Opened);
        const Seen seen = seenIn(expected.Open);
        EXPECT_EQ(expected.Title, seen.Title);
        EXPECT_EQ(expected.Name, seen.Name);
        EXPECT_EQ(expected.Types, seen.Types);
        EXPECT_FALSE(seen.ReadOnlyBox);
        EXPECT_TRUE(seen.Resizable);
    }
    EXPECT_FALSE(Document().Modified());
}

}  // namespace
