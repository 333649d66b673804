#pragma once

#include <array>
#include <memory>
#include <string_view>

#include "document/DocumentWindow.h"
#include "platform/dialogs/FileDialog.h"

// The main window's six file dialogs, each made from its row below and kept for the window's
// life, so that each one keeps the name and filter chosen in it last.
enum DialogId { OpenDialog, SaveDialog, OpenDialogZubrt, OpenDialogIcon, OpenDialogManifest, OpenDialogHtml };

enum class DialogKind { Open, Save };

struct DialogRow {
    DialogId Id;
    DialogKind Kind;
    std::string_view Filter;  // "description\0pattern\0" for each file type, as OPENFILENAME takes them
    const char* DefaultExt;
    DWORD Options;  // OFN_ flags
};

namespace dialogs {

using namespace std::string_view_literals;

// What every dialog of the window does: no read-only box, and a frame that resizes.
inline constexpr DWORD DialogOptions = OFN_HIDEREADONLY | OFN_ENABLESIZING;
// A browse button's choice is a part of the project, not a document of its own.
inline constexpr DWORD BrowseOptions = DialogOptions | OFN_DONTADDTORECENT;

inline constexpr std::array<DialogRow, 6> Dialogs = {{
    {OpenDialog, DialogKind::Open, "ZRT ファイル (*.zrt)\0*.zrt\0すべてのファイル (*.*)\0*.*\0"sv, "", DialogOptions},
    // Asks before replacing a file: Save As onto another project would otherwise overwrite
    // its values without a word.
    {SaveDialog, DialogKind::Save, "ZRT ファイル (*.zrt)\0*.zrt\0"sv, "zrt", DialogOptions | OFN_OVERWRITEPROMPT},
    {OpenDialogZubrt, DialogKind::Open, "ZUB ランタイム ファイル (*.*)\0*.*\0"sv, "", BrowseOptions},
    {OpenDialogIcon, DialogKind::Open, "アイコン ファイル (*.ico)\0*.ico\0"sv, "", BrowseOptions},
    {OpenDialogManifest, DialogKind::Open, "マニフェスト ファイル (*.manifest)\0*.manifest\0"sv, "", BrowseOptions},
    {OpenDialogHtml, DialogKind::Open, "すべてのファイル (*.*)\0*.*\0"sv, "", DialogOptions},
}};

// Each row sits at its identifier's index.
constexpr bool DialogsInIdOrder() {
    for (std::size_t index = 0; index < Dialogs.size(); ++index) {
        if (Dialogs[index].Id != static_cast<DialogId>(index)) {
            return false;
        }
    }
    return true;
}
static_assert(DialogsInIdOrder());

// Each list of file types ends in a NUL, which the text's own NUL follows: the two that end the
// list for the dialog.
constexpr bool FiltersEndInNul() {
    for (const DialogRow& row : Dialogs) {
        if (!row.Filter.ends_with('\0')) {
            return false;
        }
    }
    return true;
}
static_assert(FiltersEndInNul());

}  // namespace dialogs

class TFileDialogs {
public:
    TFileDialogs();

    TOpenDialog& operator[](DialogId id) { return *dialogs_.at(id); }
    const TOpenDialog& operator[](DialogId id) const { return *dialogs_.at(id); }

private:
    std::array<std::unique_ptr<TOpenDialog>, dialogs::Dialogs.size()> dialogs_;
};

// Shows a question of the document's in the program's modal message box, under the program's
// name, and reads the button pressed; a box closed otherwise, or not shown at all, answers Cancel.
Answer AskInMessageBox(const Box& question);
