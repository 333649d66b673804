#include "platform/dialogs/FileDialog.h"

#include <string_view>
#include <utility>
#include <vector>

#include "platform/dialogs/DialogPlacementHook.h"
#include "platform/dialogs/ModalFrame.h"
#include "platform/text/WideText.h"

namespace {

// Wine's dialogs have cut a name that does not fit the buffer and still reported success, which
// would save under a name the user never typed. The buffer is made roomy enough to see such a
// name whole, and the limit (LongestPath: a longer path counts as no choice at all) is applied
// here.
constexpr std::size_t RoomyNameBufferSize = 32768;

UINT_PTR CALLBACK DialogHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* record = reinterpret_cast<const OPENFILENAMEW*>(lParam);
        SetWindowLongPtrW(hook, GWLP_USERDATA, static_cast<LONG_PTR>(record->lCustData));
    } else if (message == WM_NOTIFY && reinterpret_cast<const OFNOTIFYW*>(lParam)->hdr.code == CDN_INITDONE) {
        // An Explorer dialog's hook is a hidden child of the dialog itself.
        PlaceDialog(GetParent(hook), reinterpret_cast<HWND>(GetWindowLongPtrW(hook, GWLP_USERDATA)));
    }
    return 0;
}

const wchar_t* TextOrNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

// The name the user chose, as it ends in the buffer at its NUL. A name that ends nowhere in the
// buffer was cut.
std::wstring_view ChosenText(const std::vector<wchar_t>& buffer) {
    const std::wstring_view text(buffer.data(), buffer.size());
    return text.substr(0, text.find(L'\0'));
}

}  // namespace

bool TOpenDialog::Execute() {
    // The Unicode dialog hands back the name exactly as chosen; the ANSI one would hand back a
    // look-alike (Cafe for Café) and report success, opening or writing another file.
    const std::wstring filterList = WidenAnsi(Filter);
    std::vector<wchar_t> name(RoomyNameBufferSize, L'\0');
    // Cut to whole characters: never between the halves of a surrogate pair.
    std::wstring initialName = Wide(FileName);
    if (initialName.size() > LongestPath) {
        initialName.resize(IS_HIGH_SURROGATE(initialName[LongestPath - 1]) ? LongestPath - 1 : LongestPath);
    }
    initialName.copy(name.data(), initialName.size());
    const std::wstring defaultExt = WidenAnsi(DefaultExt);

    std::wstring_view chosenText;
    DWORD chosenFilter = 0;
    {
        TModalFrame frame;
        OPENFILENAMEW record{};
        record.lStructSize = sizeof record;
        record.hwndOwner = ModalOwner();
        record.lpstrFilter = Filter.empty() ? nullptr : filterList.c_str();
        record.nFilterIndex = static_cast<DWORD>(FilterIndex);
        record.lpstrFile = name.data();
        record.nMaxFile = static_cast<DWORD>(name.size());
        record.Flags = OFN_ENABLEHOOK | OFN_EXPLORER | Options;
        record.lpstrDefExt = TextOrNull(defaultExt);
        record.lCustData = reinterpret_cast<LPARAM>(frame.PreviouslyActive());
        record.lpfnHook = DialogHook;
        if (!RunDialog(record)) {
            return false;
        }
        chosenText = ChosenText(name);
        chosenFilter = record.nFilterIndex;
    }
    if (chosenText.size() > LongestPath) {
        return false;
    }
    FileName = PathOf(chosenText);
    FilterIndex = static_cast<int>(chosenFilter);
    return true;
}

int TOpenDialog::RunDialog(OPENFILENAMEW& record) {
    return GetOpenFileNameW(&record);
}

int TSaveDialog::RunDialog(OPENFILENAMEW& record) {
    return GetSaveFileNameW(&record);
}
