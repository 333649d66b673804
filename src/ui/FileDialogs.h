#pragma once

#include <array>
#include <memory>
#include <string_view>

#include "platform/FileDialog.h"
#include "platform/FileDialogOptions.h"

// The main window's six file dialogs, each made from its row below and kept for the window's
// life, so that each one keeps the name and filter chosen in it last.
enum class DialogKind { Open, Save };

struct DialogRow {
    const char* Name;
    DialogKind Kind;
    const char* Filter;
    const char* DefaultExt;
    TOpenOptions Options;
};

namespace layout {

using enum TOpenOption;

inline const std::array<DialogRow, 6> Dialogs = {{
    {"OpenDialog",
     DialogKind::Open,
     "ZRT ファイル (*.zrt)|*.zrt|すべてのファイル (*.*)|*.*",
     "",
     {ofHideReadOnly, ofEnableSizing}},
    // Asks before replacing a file: Save As onto another project would otherwise overwrite
    // its values without a word.
    {"SaveDialog",
     DialogKind::Save,
     "ZRT ファイル (*.zrt)|*.zrt",
     "zrt",
     {ofHideReadOnly, ofEnableSizing, ofOverwritePrompt}},
    {"OpenDialogZubrt",
     DialogKind::Open,
     "ZUB ランタイム ファイル (*.*)|*.*",
     "",
     {ofHideReadOnly, ofEnableSizing, ofDontAddToRecent}},
    {"OpenDialogIcon",
     DialogKind::Open,
     "アイコン ファイル (*.ico)|*.ico",
     "",
     {ofHideReadOnly, ofEnableSizing, ofDontAddToRecent}},
    {"OpenDialogManifest",
     DialogKind::Open,
     "マニフェスト ファイル (*.manifest)|*.manifest",
     "",
     {ofHideReadOnly, ofEnableSizing, ofDontAddToRecent}},
    {"OpenDialogHtml", DialogKind::Open, "すべてのファイル (*.*)|*.*", "", {ofHideReadOnly, ofEnableSizing}},
}};

}  // namespace layout

class TFileDialogs {
public:
    TFileDialogs();

    // The dialog of the row with this name; an unknown name is a fault of the program and raises Exception.
    TOpenDialog& operator[](std::string_view name);
    const TOpenDialog& operator[](std::string_view name) const;

private:
    std::array<std::unique_ptr<TOpenDialog>, layout::Dialogs.size()> dialogs_;
};
