#pragma once

#include <array>

// The browse buttons of the general page: each fills its edit from its own open dialog.
struct FilePickerRow {
    const char* Button;
    const char* Edit;
    const char* Dialog;
};

namespace layout {

inline constexpr std::array<FilePickerRow, 3> FilePickers = {{
    {"ButtonZubrt", "LabeledEditZubrt", "OpenDialogZubrt"},
    {"ButtonIcon", "LabeledEditIcon", "OpenDialogIcon"},
    {"ButtonManifest", "LabeledEditManifest", "OpenDialogManifest"},
}};

}  // namespace layout
