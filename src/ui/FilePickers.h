#pragma once

#include <array>

#include "ui/ControlIds.h"
#include "ui/Dialogs.h"

// The browse buttons of the general page: each fills its edit from its own open dialog.
struct FilePickerRow {
    ControlId Button;
    ControlId Edit;
    DialogId Dialog;
};

namespace layout {

inline constexpr std::array<FilePickerRow, 3> FilePickers = {{
    {ButtonZubrt, LabeledEditZubrt, OpenDialogZubrt},
    {ButtonIcon, LabeledEditIcon, OpenDialogIcon},
    {ButtonManifest, LabeledEditManifest, OpenDialogManifest},
}};

}  // namespace layout

// The picker of a browse button; null for any other control.
constexpr const FilePickerRow* FilePickerOf(int button) {
    for (const FilePickerRow& picker : layout::FilePickers) {
        if (picker.Button == button) {
            return &picker;
        }
    }
    return nullptr;
}
