#pragma once

#include <array>
#include <cstddef>

// The main window's layout as numbers at 96 pixels per inch, for a window font whose text is
// 12 pixels high. Bounds are left, top, width, height within the parent's client area.
struct Bounds {
    int Left;
    int Top;
    int Width;
    int Height;

    bool operator==(const Bounds&) const = default;
};

enum class ControlKind { LabeledEdit, Button, ListView };

// Where a labelled edit's caption sits: over the edit's left edge, or before it, centred on
// the edit's height.
enum class LabelPosition { None, Above, Left };

// One control of a page, in tab order.
struct ControlRow {
    const char* Name;
    ControlKind Kind;
    Bounds Place;
    const char* Text;  // the label of an edit, the caption of a button
    LabelPosition Label;
    int MaxLength;  // bytes of the ANSI text the user may type; 0 for no limit
};

struct ListColumn {
    const char* Text;
    int Width;
};

namespace layout {

inline constexpr int ClientWidth = 472;
inline constexpr int ClientHeight = 314;
inline constexpr const char* FontFace = "ＭＳ Ｐゴシック";
inline constexpr int FontTextHeight = 12;

inline constexpr const char* PageControlName = "PageControl";
inline constexpr Bounds PageControl = {8, 8, 456, 298};

inline constexpr int LabelSpacing = 3;

struct PageRow {
    const char* Name;
    const char* Caption;
};

// The pages in order; the first shows at start.
inline constexpr std::array<PageRow, 3> Pages = {{
    {"TabSheetGeneral", "基本設定"},
    {"TabSheetHtmlResources", "HTML リソース"},
    {"TabSheetVersionInfo", "バージョン情報"},
}};

inline constexpr std::array<ControlRow, 6> GeneralPage = {{
    // Name                  Kind                       Bounds                Caption or label             Label Max
    {"LabeledEditZubrt",
     ControlKind::LabeledEdit,
     {16, 31, 388, 20},
     "ZUB ランタイム ファイル:",
     LabelPosition::Above,
     256},
    {"ButtonZubrt", ControlKind::Button, {412, 31, 20, 20}, "...", LabelPosition::None, 0},
    {"LabeledEditIcon", ControlKind::LabeledEdit, {16, 82, 388, 20}, "アイコン ファイル:", LabelPosition::Above, 256},
    {"ButtonIcon", ControlKind::Button, {412, 82, 20, 20}, "...", LabelPosition::None, 0},
    {"LabeledEditManifest",
     ControlKind::LabeledEdit,
     {16, 133, 388, 20},
     "マニフェスト ファイル:",
     LabelPosition::Above,
     256},
    {"ButtonManifest", ControlKind::Button, {412, 133, 20, 20}, "...", LabelPosition::None, 0},
}};

inline constexpr std::array<ControlRow, 9> HtmlResourcesPage = {{
    {"LabeledEditHtmlFile", ControlKind::LabeledEdit, {70, 16, 332, 20}, "ファイル名:", LabelPosition::Left, 256},
    {"ButtonHtmlFile", ControlKind::Button, {412, 16, 20, 20}, "...", LabelPosition::None, 0},
    {"LabeledEditHtmlResource", ControlKind::LabeledEdit, {70, 52, 332, 20}, "リソース名:", LabelPosition::Left, 0},
    {"ButtonHtmlAddition", ControlKind::Button, {412, 52, 20, 20}, "+", LabelPosition::None, 0},
    {"ListViewHtml", ControlKind::ListView, {16, 88, 320, 167}, "", LabelPosition::None, 0},
    {"ButtonHtmlReplace", ControlKind::Button, {352, 88, 80, 25}, "置換", LabelPosition::None, 0},
    {"ButtonHtmlDelete", ControlKind::Button, {352, 129, 80, 25}, "削除", LabelPosition::None, 0},
    {"ButtonHtmlUp", ControlKind::Button, {352, 170, 80, 25}, "上へ", LabelPosition::None, 0},
    {"ButtonHtmlDown", ControlKind::Button, {352, 211, 80, 25}, "下へ", LabelPosition::None, 0},
}};

inline constexpr std::array<ListColumn, 2> ListViewHtmlColumns = {{
    {"リソース名", 75},
    {"パス", 200},
}};

inline constexpr const char* ScrollBoxName = "ScrollBoxHtml";
inline constexpr Bounds ScrollBox = {0, 16, 448, 239};
inline constexpr int ScrollBoxLineStepVertical = 8;
inline constexpr int ScrollBoxLineStepHorizontal = 38;

// The version edits, all 192 x 20, labelled above, without a length limit.
struct VersionRow {
    const char* Name;
    int Left;
    int Top;
    const char* Label;
};

inline constexpr int VersionEditWidth = 192;
inline constexpr int VersionEditHeight = 20;

inline constexpr std::array<VersionRow, 14> VersionInfoPage = {{
    {"LabeledEditFileVerNumber", 16, 15, "FileVersionNumber:"},
    {"LabeledEditProductVerNumber", 224, 15, "ProductVersionNumber:"},
    {"LabeledEditFileVersion", 16, 66, "ファイル バージョン:"},
    {"LabeledEditProductVersion", 224, 66, "製品バージョン:"},
    {"LabeledEditFileDescription", 16, 117, "説明:"},
    {"LabeledEditLegalCopyright", 224, 117, "著作権:"},
    {"LabeledEditComments", 16, 168, "コメント:"},
    {"LabeledEditCompanyName", 224, 168, "会社名:"},
    {"LabeledEditLegalTrademarks", 16, 219, "商標:"},
    {"LabeledEditOriginalFilename", 224, 219, "正式ファイル名:"},
    {"LabeledEditProductName", 16, 270, "製品名:"},
    {"LabeledEditInternalName", 224, 270, "内部名:"},
    {"LabeledEditPrivateBuild", 16, 321, "プライベート ビルド番号:"},
    {"LabeledEditSpecialBuild", 224, 321, "スペシャル ビルド番号:"},
}};

inline constexpr ControlRow VersionControl(const VersionRow& row) {
    return {row.Name,  ControlKind::LabeledEdit, {row.Left, row.Top, VersionEditWidth, VersionEditHeight},
            row.Label, LabelPosition::Above,     0};
}

}  // namespace layout

namespace layout {

// The layout steps of the window's creation: the HTML resources page's controls, in this
// order, painted on the button-face colour where marked, then disabled for good.
struct DisablingStep {
    const char* Name;
    bool Paint;
};

inline constexpr std::array<DisablingStep, 9> HtmlPageDisabling = {{
    {"LabeledEditHtmlFile", true},
    {"ButtonHtmlFile", false},
    {"LabeledEditHtmlResource", true},
    {"ButtonHtmlAddition", false},
    {"ListViewHtml", true},
    {"ButtonHtmlReplace", false},
    {"ButtonHtmlDelete", false},
    {"ButtonHtmlUp", false},
    {"ButtonHtmlDown", false},
}};

}  // namespace layout
