// Files dropped on the main window, each drop made in the test process as the system makes it:
// an HDROP block of DROPFILES and the UTF-16 names, sent with WM_DROPFILES to the window that
// accepts it, at a point of its client area.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "document/ProjectTable.h"
#include "win32/DialogDriver.h"
#include "win32/DropBlock.h"
#include "win32/MainWindowFixture.h"
#include "win32/TempFolder.h"

namespace {

class MainWindowDropTest : public MainWindowFixture {
protected:
    // Drops the files at the middle of target, as the system hands them to the main window.
    void Drop(const std::vector<std::wstring>& names, HWND target) {
        RECT bounds{};
        GetWindowRect(target, &bounds);
        POINT point{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
        ScreenToClient(Window().Handle(), &point);
        const std::vector<char> bytes = DropBlock(point, names);
        const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        // The window releases the block, as it must release every drop it is handed.
        SendMessageW(Window().Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
        Pump();
    }

    std::wstring Error() {
        const std::wstring error = host_.Errors.empty() ? L"" : host_.Errors.back();
        host_.Errors.clear();
        return error;
    }
};

// The shell's link to a recent document, named after it.
std::wstring RecentLink(const std::wstring& fileName) {
    wchar_t recent[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_RECENT, nullptr, 0, recent);
    return std::wstring(recent) + L"\\" + fileName + L".lnk";
}

}  // namespace

TEST_F(MainWindowDropTest, OneFileOnAFileEditFillsItAsItsBrowseButtonWouldWithinItsLimit) {
    TempFolder folder;
    const std::string icon = folder / "app.ico";
    WriteFileBytes(icon, "icon");
    const HWND edit = Component(LabeledEditIcon);
    Drop({WidePath(icon)}, edit);
    EXPECT_EQ(TextOf(edit), icon);
    EXPECT_TRUE(Document().Modified());
    EXPECT_EQ(Error(), L"");

    // Never cut: a name longer than the edit takes, or one the code page cannot hold, is
    // refused and the edit keeps its text. One that fills it exactly is taken.
    const std::string longest = folder / std::string(256 - (folder / "").size(), 'a');
    Drop({WidePath(longest + "a")}, edit);
    EXPECT_EQ(TextOf(edit), icon);
    EXPECT_EQ(Error(), L"ファイル名 " + WidePath(longest) + L"a は長すぎます: 256 バイトまでです");
    Drop({WidePath(longest)}, Component(LabeledEditZubrt));
    EXPECT_EQ(TextOf(Component(LabeledEditZubrt)), longest);
    EXPECT_EQ(Error(), L"");
    Drop({WidePath(folder / "") + L"Café.ico"}, Component(LabeledEditManifest));
    EXPECT_EQ(TextOf(Component(LabeledEditManifest)), "");
    EXPECT_NE(Error().find(L"は使えません"), std::wstring::npos);

    // Over the place of the edit while another page shows, the file is a project to open.
    SelectPage(2);
    DialogDriver cancel([](HWND box) { PressDialogButton(box, IDCANCEL); });
    Drop({WidePath(icon)}, edit);
    EXPECT_TRUE(cancel.Acted()) << "no save-changes prompt";
    EXPECT_EQ(TextOf(edit), icon);
}

TEST_F(MainWindowDropTest, OneFileElsewhereOpensAsOpenDoesAfterTheSaveChangesPrompt) {
    TempFolder folder;
    const std::string project = folder / "dropped.zrt";
    WriteFileBytes(project, "[VERSION]\r\nProductName=dropped\r\n");
    DeleteFileW(RecentLink(L"dropped.zrt").c_str());  // left by an earlier run
    SetWindowTextA(Component(LabeledEditIcon), "unsaved.ico");
    {
        // Over a browse button too: only the three edits take a file name.
        DialogDriver answerNo([](HWND box) { PressDialogButton(box, IDNO); });
        Drop({WidePath(project)}, Component(ButtonIcon));
        EXPECT_TRUE(answerNo.Acted()) << "no save-changes prompt";
    }
    EXPECT_EQ(TextOf(Window().Handle()), project + " - ZUB Runtime Editor");
    EXPECT_EQ(TextOf(Component(LabeledEditIcon)), "");
    EXPECT_EQ(Window().EditText(ProjectRowOf("ProductName")), "dropped");
    EXPECT_FALSE(Document().Modified());
    EXPECT_NE(GetFileAttributesW(RecentLink(L"dropped.zrt").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the shell was not told";
    EXPECT_EQ(Error(), L"");

    // Named with what the code page cannot hold, a project opens under its very name, which the
    // caption shows as it is. (Wine's shell makes no recent link for such a name.)
    const std::wstring other = WidePath(folder.Path()) + L"\\dropped 𠮷 Café 한.zrt";
    WriteFileBytes(other, "[VERSION]\r\nProductName=other\r\n");
    Drop({other}, Component(PageControl));
    EXPECT_EQ(WideTextOf(Window().Handle()), other + L" - ZUB Runtime Editor");
    EXPECT_EQ(Window().EditText(ProjectRowOf("ProductName")), "other");
    EXPECT_EQ(Error(), L"");
}

TEST_F(MainWindowDropTest, SeveralFilesOrAFolderAreRefusedAndNothingChanges) {
    TempFolder folder;
    const std::string a = folder / "a.zrt";
    const std::string b = folder / "b.zrt";
    WriteFileBytes(a, "[RUNTIME]\r\nfilename=a\r\n");
    WriteFileBytes(b, "[RUNTIME]\r\nfilename=b\r\n");
    for (const HWND target : {Component(PageControl), Component(LabeledEditZubrt)}) {
        Drop({WidePath(a), WidePath(b)}, target);
        EXPECT_EQ(Error(), L"ドロップできるのはファイル 1 つだけです");
        Drop({WidePath(folder.Path())}, target);
        EXPECT_EQ(Error(), L"ドロップできるのはファイル 1 つだけです");
    }
    EXPECT_EQ(TextOf(Component(LabeledEditZubrt)), "");
    EXPECT_EQ(Document().CurrentFileName(), FilePath(u"無題.zrt"));
    EXPECT_FALSE(Document().Modified());
}
