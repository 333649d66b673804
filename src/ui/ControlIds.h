#pragma once

#include <cstddef>

#include "document/ProjectTable.h"

// The identifiers the main window's controls are created with, by which WM_COMMAND names its
// sender and tests find them. The seventeen project edits come first, in the project table's
// order, so that an edit and its row are one addition apart.
enum ControlId : unsigned short {
    LabeledEditZubrt = 1000,
    LabeledEditIcon,
    LabeledEditManifest,
    LabeledEditFileVerNumber,
    LabeledEditProductVerNumber,
    LabeledEditFileVersion,
    LabeledEditProductVersion,
    LabeledEditFileDescription,
    LabeledEditLegalCopyright,
    LabeledEditComments,
    LabeledEditCompanyName,
    LabeledEditLegalTrademarks,
    LabeledEditOriginalFilename,
    LabeledEditProductName,
    LabeledEditInternalName,
    LabeledEditPrivateBuild,
    LabeledEditSpecialBuild,

    ButtonZubrt = 1100,
    ButtonIcon,
    ButtonManifest,

    LabeledEditHtmlFile = 1200,
    ButtonHtmlFile,
    LabeledEditHtmlResource,
    ButtonHtmlAddition,
    ListViewHtml,
    ButtonHtmlReplace,
    ButtonHtmlDelete,
    ButtonHtmlUp,
    ButtonHtmlDown,

    PageControl = 1300,
    TabSheetGeneral,
    TabSheetHtmlResources,
    TabSheetVersionInfo,
    ScrollBoxHtml,
};

static_assert(LabeledEditSpecialBuild - LabeledEditZubrt + 1 == ProjectRowCount);

// The edit that shows a row of the project table.
constexpr ControlId ProjectEditId(std::size_t row) {
    return static_cast<ControlId>(LabeledEditZubrt + row);
}

// Whether id is one of the seventeen project edits; which row it shows is id - LabeledEditZubrt.
constexpr bool IsProjectEdit(int id) {
    return id >= LabeledEditZubrt && id <= LabeledEditSpecialBuild;
}

// The caption label of a labelled edit.
constexpr int LabelId(ControlId edit) {
    return edit + 0x1000;
}
