#include "platform/FileDialog.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "platform/AnsiText.h"
#include "platform/DialogPlacementHook.h"
#include "platform/ModalFrame.h"
#include "platform/ModalOwner.h"

static_assert(static_cast<DWORD>(TOpenOption::ofOverwritePrompt) == OFN_OVERWRITEPROMPT);
static_assert(static_cast<DWORD>(TOpenOption::ofHideReadOnly) == OFN_HIDEREADONLY);
static_assert(static_cast<DWORD>(TOpenOption::ofAllowMultiSelect) == OFN_ALLOWMULTISELECT);
static_assert(static_cast<DWORD>(TOpenOption::ofPathMustExist) == OFN_PATHMUSTEXIST);
static_assert(static_cast<DWORD>(TOpenOption::ofFileMustExist) == OFN_FILEMUSTEXIST);
static_assert(static_cast<DWORD>(TOpenOption::ofOldStyleDialog) == OFN_EXPLORER);
static_assert(static_cast<DWORD>(TOpenOption::ofEnableSizing) == OFN_ENABLESIZING);
static_assert(static_cast<DWORD>(TOpenOption::ofDontAddToRecent) == OFN_DONTADDTORECENT);

namespace {

// What a chosen name may fill, its NUL included: a longer path counts as no choice at all.
constexpr std::size_t NameLimit = 260;
constexpr std::size_t MultiSelectNameBufferSize = 65519;
// Wine's ANSI dialogs cut a name that does not fit the buffer and still report success, which
// would save under a name the user never typed. The buffer is made roomy enough to see such a
// name whole, and the limit is applied here.
constexpr std::size_t RoomyNameBufferSize = 32768;

bool IsAnsiLeadByte(unsigned char byte) {
    return IsDBCSLeadByte(byte) != FALSE;
}

UINT_PTR CALLBACK DialogHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* record = reinterpret_cast<const OPENFILENAMEA*>(lParam);
        SetWindowLongPtrA(hook, GWLP_USERDATA, static_cast<LONG_PTR>(record->lCustData));
    } else if (message == WM_NOTIFY && reinterpret_cast<const OFNOTIFYA*>(lParam)->hdr.code == CDN_INITDONE) {
        // An Explorer dialog's hook is a hidden child of the dialog itself.
        PlaceDialog(GetParent(hook), reinterpret_cast<HWND>(GetWindowLongPtrA(hook, GWLP_USERDATA)));
    }
    return 0;
}

const char* TextOrNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

}  // namespace

bool TOpenDialog::Execute() {
    const std::string filterList = FilterListFromText(Filter, IsAnsiLeadByte);
    const bool multiSelect = Options.Contains(TOpenOption::ofAllowMultiSelect);
    std::vector<char> name(multiSelect ? MultiSelectNameBufferSize : RoomyNameBufferSize, '\0');
    const std::size_t limit = multiSelect ? MultiSelectNameBufferSize : NameLimit;
    // Cut to whole characters, leaving room for the terminating NUL.
    FileName.copy(name.data(), WholeCharacterPrefix(FileName, limit - 1, IsAnsiLeadByte));

    TModalFrame frame;
    OPENFILENAMEA record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = ModalOwner();
    record.lpstrFilter = Filter.empty() ? nullptr : filterList.c_str();
    record.nFilterIndex = static_cast<DWORD>(FilterIndex);
    record.lpstrFile = name.data();
    record.nMaxFile = static_cast<DWORD>(name.size());
    record.lpstrInitialDir = TextOrNull(InitialDir);
    record.lpstrTitle = TextOrNull(Title);
    record.Flags = Options.DialogFlags();
    record.lpstrDefExt = TextOrNull(DefaultExt);
    record.lCustData = reinterpret_cast<LPARAM>(frame.PreviouslyActive());
    record.lpfnHook = DialogHook;
    if (!RunDialog(record)) {
        return false;
    }
    // A name that ends nowhere in the buffer was cut too.
    const std::string chosen(name.begin(), std::find(name.begin(), name.end(), '\0'));
    if (chosen.size() >= limit) {
        return false;
    }
    FileName = chosen;
    FilterIndex = static_cast<int>(record.nFilterIndex);
    return true;
}

int TOpenDialog::RunDialog(OPENFILENAMEA& record) {
    return GetOpenFileNameA(&record);
}

int TSaveDialog::RunDialog(OPENFILENAMEA& record) {
    return GetSaveFileNameA(&record);
}
