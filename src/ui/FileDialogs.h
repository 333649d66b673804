#pragma once

#include <array>
#include <memory>

#include "platform/FileDialog.h"
#include "platform/FileDialogOptions.h"

// The main window's six file dialogs, each made from its row below and kept for the window's
// life, so that each one keeps the name and filter chosen in it last.
enum DialogId { OpenDialog, SaveDialog, OpenDialogZubrt, OpenDialogIcon, OpenDialogManifest, OpenDialogHtml };

enum class DialogKind { Open, Save };

struct DialogRow {
    DialogId Id;
    DialogKind Kind;
    const char* Filter;
    const char* DefaultExt;
    TOpenOptions Options;
};

namespace layout {

using enum TOpenOption;

inline constexpr std::array<DialogRow, 6> Dialogs = {{
    {OpenDialog,
     DialogKind::Open,
     "ZRT ファイル (*.zrt)|*.zrt|すべてのファイル (*.*)|*.*",
     "",
     {ofHideReadOnly, ofEnableSizing}},
    // Asks before replacing a file: Save As onto another project would otherwise overwrite
    // its values without a word.
    {SaveDialog,
     DialogKind::Save,
     "ZRT ファイル (*.zrt)|*.zrt",
     "zrt",
     {ofHideReadOnly, ofEnableSizing, ofOverwritePrompt}},
    {OpenDialogZubrt,
     DialogKind::Open,
     "ZUB ランタイム ファイル (*.*)|*.*",
     "",
     {ofHideReadOnly, ofEnableSizing, ofDontAddToRecent}},
    {OpenDialogIcon,
     DialogKind::Open,
     "アイコン ファイル (*.ico)|*.ico",
     "",
     {ofHideReadOnly, ofEnableSizing, ofDontAddToRecent}},
    {OpenDialogManifest,
     DialogKind::Open,
     "マニフェスト ファイル (*.manifest)|*.manifest",
     "",
     {ofHideReadOnly, ofEnableSizing, ofDontAddToRecent}},
    {OpenDialogHtml, DialogKind::Open, "すべてのファイル (*.*)|*.*", "", {ofHideReadOnly, ofEnableSizing}},
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

}  // namespace layout

class TFileDialogs {
public:
    TFileDialogs();

    TOpenDialog& operator[](DialogId id) { return *dialogs_.at(id); }
    const TOpenDialog& operator[](DialogId id) const { return *dialogs_.at(id); }

private:
    std::array<std::unique_ptr<TOpenDialog>, layout::Dialogs.size()> dialogs_;
};
