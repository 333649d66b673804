#pragma once

#include <cstddef>
#include <string_view>

#include "document/ProjectTable.h"

// The identifiers the main window's controls are created with, by which WM_COMMAND names its
// sender and tests find them. The project edits come first, one per project table row in its
// order, so that an edit and its row are one addition apart.
enum ControlId : unsigned short {
    FirstProjectEdit = 1000,

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
    ScrollBoxVersionInfo,
};

static_assert(FirstProjectEdit + ProjectRowCount <= ButtonZubrt,
              "the project edits' identifiers run into the buttons'");

// The edit that shows a row of the project table.
constexpr ControlId ProjectEditId(std::size_t row) {
    return static_cast<ControlId>(FirstProjectEdit + row);
}

// The edit of the project field so named.
consteval ControlId ProjectEdit(std::string_view field) {
    return ProjectEditId(ProjectRowOf(field));
}

// The general page's file edits, which their browse buttons fill.
inline constexpr ControlId LabeledEditZubrt = ProjectEdit("RuntimeFile");
inline constexpr ControlId LabeledEditIcon = ProjectEdit("IconFile");
inline constexpr ControlId LabeledEditManifest = ProjectEdit("ManifestFile");

// Whether id is one of the project edits; which row it shows is id - FirstProjectEdit.
constexpr bool IsProjectEdit(int id) {
    return id >= FirstProjectEdit && id < ProjectEditId(ProjectRowCount);
}

// The caption label of a labelled edit.
constexpr int LabelId(ControlId edit) {
    return edit + 0x1000;
}
