#include <windows.h>

#include <commdlg.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/Exception.h"
#include "platform/dialogs/FileDialog.h"
#include "platform/dialogs/ModalFrame.h"
#include "platform/text/WideText.h"
#include "win32/DialogDriver.h"
#include "win32/TempFolder.h"

using namespace std::string_literals;

namespace {

// Keeps the record the dialog was given and answers as a user would have.
class RecordingOpenDialog : public TOpenDialog {
public:
    std::wstring NameBuffer;
    DWORD NameBufferSize = 0;
    std::string DefaultExtension;
    HWND Owner = nullptr;
    DWORD InitialFilterIndex = 0;

    bool ChooseName = false;
    std::wstring ChosenName;
    DWORD ChosenFilterIndex = 1;

protected:
    int RunDialog(OPENFILENAMEW& record) override {
        NameBuffer = std::wstring(record.lpstrFile, record.nMaxFile);
        NameBufferSize = record.nMaxFile;
        DefaultExtension = record.lpstrDefExt ? NearestAnsi(record.lpstrDefExt) : "(none)";
        Owner = record.hwndOwner;
        InitialFilterIndex = record.nFilterIndex;
        if (!ChooseName) {
            return 0;
        }
        ChosenName.copy(record.lpstrFile, ChosenName.size());
        record.lpstrFile[ChosenName.size()] = L'\0';
        record.nFilterIndex = ChosenFilterIndex;
        return 1;
    }
};

}  // namespace

TEST(TOpenDialog, RecordCarriesNameAndOwner) {
    const HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    SetModalOwner(owner);
    RecordingOpenDialog dialog;
    const std::wstring name = L"C:\\𠮷田\\Café.zrt";
    dialog.FileName = PathOf(name);
    EXPECT_FALSE(dialog.Execute());

    EXPECT_EQ(dialog.NameBuffer.substr(0, name.size() + 1), name + L'\0');
    EXPECT_EQ(dialog.NameBuffer.find_first_not_of(L'\0', name.size()), std::wstring::npos);
    EXPECT_EQ(dialog.DefaultExtension, "(none)");
    EXPECT_EQ(dialog.Owner, owner);
    EXPECT_EQ(dialog.InitialFilterIndex, 1u);
    SetModalOwner(nullptr);
    DestroyWindow(owner);
}

TEST(TOpenDialog, ANameTooLongForTheSystemIsOfferedCutAtAWholeCharacter) {
    RecordingOpenDialog dialog;
    dialog.FileName = PathOf(std::wstring(258, L'a') + L"𠮷");  // 260 units: the last character cannot fit
    dialog.Execute();
    EXPECT_EQ(dialog.NameBuffer.substr(0, 260), std::wstring(258, L'a') + std::wstring(2, L'\0'));
}

// The name comes back as the system names the file, whatever the code page holds: the ANSI
// dialog would hand back a look-alike for each of these (Cafe, a question mark, a backslash for
// the yen sign).
TEST(TOpenDialog, AChosenNameThatFitsIsTakenExactly) {
    RecordingOpenDialog dialog;
    dialog.Filter = "A\0*.a\0B\0*.b\0"s;
    const FilePath before(u"before");
    dialog.FileName = before;
    dialog.ChooseName = true;
    dialog.ChosenFilterIndex = 2;

    dialog.ChosenName = L"C:\\" + std::wstring(257, L'n');  // 260 characters
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, before);
    EXPECT_EQ(dialog.FilterIndex, 1);

    for (const wchar_t* chosen : {L"C:\\Café\\p.zrt", L"C:\\한글\\p.zrt", L"C:\\𠮷野家.zrt", L"C:\\a¥b.zrt"}) {
        dialog.ChosenName = chosen;
        EXPECT_TRUE(dialog.Execute());
        EXPECT_EQ(Wide(dialog.FileName), chosen);
    }
    dialog.ChosenName = L"C:\\" + std::wstring(254, L'n') + L"𠮷";  // 259 units: the longest a path may be
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(Wide(dialog.FileName), dialog.ChosenName);
    EXPECT_EQ(dialog.FilterIndex, 2);
}

TEST(TOpenDialog, CancelKeepsNameAndFilterAChoiceReplacesThem) {
    RecordingOpenDialog dialog;
    dialog.Filter = "A\0*.a\0B\0*.b\0"s;
    const FilePath before(u"before");
    dialog.FileName = before;
    dialog.FilterIndex = 1;
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, before);
    EXPECT_EQ(dialog.FilterIndex, 1);

    dialog.ChooseName = true;
    dialog.ChosenName = L"C:\\x\\chosen.b";
    dialog.ChosenFilterIndex = 2;
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(Wide(dialog.FileName), L"C:\\x\\chosen.b");
    EXPECT_EQ(dialog.FilterIndex, 2);

    dialog.ChooseName = false;
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.InitialFilterIndex, 2u);  // the next run starts on the filter chosen last
    EXPECT_EQ(Wide(dialog.FileName), L"C:\\x\\chosen.b");
}

TEST(TSaveDialog, RealDialogAddsTheDefaultExtensionAndCancelChangesNothing) {
    TempFolder folder;
    TSaveDialog dialog;
    dialog.Filter = "ZRT ファイル (*.zrt)\0*.zrt\0"s;
    dialog.DefaultExt = "zrt";
    dialog.FileName = FilePath(u"無題.zrt");

    {
        DialogDriver cancel([](HWND d) { PressDialogButton(d, IDCANCEL); });
        EXPECT_FALSE(dialog.Execute());
        EXPECT_TRUE(cancel.Acted());
    }
    EXPECT_EQ(dialog.FileName, FilePath(u"無題.zrt"));

    const std::string typed = folder / "新しい";
    {
        DialogDriver choose([&](HWND d) { ChooseFileName(d, typed); });
        EXPECT_TRUE(dialog.Execute());
        EXPECT_TRUE(choose.Acted());
    }
    EXPECT_EQ(dialog.FileName, PathOf(WidePath(typed + ".zrt")));
}

TEST(TOpenDialog, RealDialogAcceptsANameThatDoesNotExist) {
    TempFolder folder;
    TOpenDialog dialog;
    dialog.Filter = "ZRT ファイル (*.zrt)\0*.zrt\0すべてのファイル (*.*)\0*.*\0"s;
    // A name the code page cannot hold comes back as it was typed.
    const std::wstring typed = WidePath(folder.Path()) + L"\\まだない 𠮷 Café 한.zrt";
    DialogDriver choose([&](HWND d) { ChooseFileName(d, typed); });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(Wide(dialog.FileName), typed);
}

TEST(TOpenDialog, RealDialogOpensCentredAcrossAndAThirdDownTheActiveWindowsMonitor) {
    const HWND active = CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                                        nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(active);
    for (const bool save : {false, true}) {
        TSaveDialog saveDialog;
        TOpenDialog openDialog;
        TOpenDialog& dialog = save ? saveDialog : openDialog;
        dialog.Filter = "ZRT ファイル (*.zrt)\0*.zrt\0"s;
        bool placed = false;
        std::string where;
        {
            DialogDriver driver([&](HWND d) {
                placed = StandsWhereDialogsOpen(d, active, where);
                PressDialogButton(d, IDCANCEL);
            });
            dialog.Execute();
        }
        EXPECT_TRUE(placed) << (save ? "save " : "open ") << where;
    }
    DestroyWindow(active);
}
