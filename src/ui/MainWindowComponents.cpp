#include "ui/MainWindowComponents.h"

#include <commctrl.h>

#include <span>
#include <string>
#include <utility>

#include "platform/Exception.h"
#include "platform/dialogs/Placement.h"
#include "ui/Controls.h"
#include "ui/MenuGlyphs.h"

namespace {

HWND CreateListView(HWND parent, ControlId id) {
    const HWND list = CreateChild(WC_LISTVIEWA, "", WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL,
                                  WS_EX_CLIENTEDGE, parent, id);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (std::size_t index = 0; index < layout::ListViewHtmlColumns.size(); ++index) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(layout::ListViewHtmlColumns[index].Text);
        column.cx = layout::ListViewHtmlColumns[index].Width;
        SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
    }
    return list;
}

// A positive height asks for the text's cell height: the layout is built on a text height of 12,
// which holds even where a substitute face adds internal leading.
UniqueFont CreateWindowFont(const TDpiScale& scale) {
    UniqueFont font(::CreateFontA(scale(layout::FontTextHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                  SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, layout::FontFace));
    if (!font) {
        throw LastWin32Error();
    }
    return font;
}

void ScaleListViewColumns(HWND list, const TDpiScale& scale) {
    for (std::size_t index = 0; index < layout::ListViewHtmlColumns.size(); ++index) {
        SendMessageA(list, LVM_SETCOLUMNWIDTH, index, scale(layout::ListViewHtmlColumns[index].Width));
    }
}

}  // namespace

TMainWindowComponents::TMainWindowComponents(HWND window, HINSTANCE instance)
    : window_(window), instance_(instance), scale_(WindowDpi(window)), font_(CreateWindowFont(scale_)) {
    menu_.AttachTo(window_);
    glyphs_ = CreateMenuGlyphs(instance_, scale_(menu::MenuGlyphSize));
    pageControl_ = std::make_unique<TPageControl>(window_);
    CreatePage(pageControl_->Page(0), layout::GeneralPage.data(), layout::GeneralPage.size());
    CreatePage(pageControl_->Page(1), layout::HtmlResourcesPage.data(), layout::HtmlResourcesPage.size());
    scrollBox_ = std::make_unique<TScrollBox>(pageControl_->Page(2));
    for (const layout::VersionRow& row : layout::VersionInfoPage) {
        edits_.push_back(std::make_unique<TLabeledEdit>(scrollBox_->Handle(), layout::VersionControl(row)));
    }
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        projectEdits_[row] = FindEdit(ProjectEditId(row));
        if (!projectEdits_[row]) {
            throw Exception("no edit " + std::to_string(ProjectEditId(row)));
        }
    }
    Layout();
    PlaceOnScreen();
}

void TMainWindowComponents::CreatePage(HWND page, const ControlRow* rows, std::size_t count) {
    for (const ControlRow& row : std::span(rows, count)) {
        switch (row.Kind) {
            case ControlKind::LabeledEdit:
                edits_.push_back(std::make_unique<TLabeledEdit>(page, row));
                break;
            case ControlKind::Button:
                plainControls_.push_back(
                    {row, CreateChild("BUTTON", row.Text, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER, 0, page,
                                      row.Id)});
                break;
            case ControlKind::ListView:
                plainControls_.push_back({row, CreateListView(page, row.Id)});
                break;
        }
    }
}

TLabeledEdit* TMainWindowComponents::FindEdit(ControlId id) const {
    for (const auto& edit : edits_) {
        if (edit->Row().Id == id) {
            return edit.get();
        }
    }
    return nullptr;
}

HWND TMainWindowComponents::Control(ControlId id) const {
    for (const PlainControl& control : plainControls_) {
        if (control.Row.Id == id) {
            return control.Window;
        }
    }
    throw Exception("no control " + std::to_string(id));
}

void TMainWindowComponents::AttachGlyphs() {
    menu_.AttachImageList(glyphs_.get());
    glyphsAttached_ = true;
}

void TMainWindowComponents::Layout() {
    SetWindowFont(window_, font_.get());
    pageControl_->Layout(scale_, font_.get());
    scrollBox_->ScrollHome();
    PlaceWindow(scrollBox_->Handle(), scale_(layout::ScrollBoxBounds));
    for (const auto& edit : edits_) {
        edit->Layout(scale_, font_.get());
    }
    for (const PlainControl& control : plainControls_) {
        SetWindowFont(control.Window, font_.get());
        PlaceWindow(control.Window, scale_(control.Row.Place));
        if (control.Row.Kind == ControlKind::ListView) {
            ScaleListViewColumns(control.Window, scale_);
        }
    }
    scrollBox_->UpdateScrollBars(scale_(layout::ScrollBoxLineStepVertical),
                                 scale_(layout::ScrollBoxLineStepHorizontal));
}

void TMainWindowComponents::SizeToClientArea() {
    const int width = scale_(layout::ClientWidth);
    const int height = scale_(layout::ClientHeight);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_EXSTYLE));
    const RECT outer = OuterRectForClient(width, height, style, exStyle, true, scale_.Dpi());
    const int outerWidth = outer.right - outer.left;
    const int outerHeight = outer.bottom - outer.top;
    constexpr UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(window_, nullptr, 0, 0, outerWidth, outerHeight, flags);
    // Where the frame turns out other than the system foretold (a density that changed without
    // the frame's, as under Wine), the difference is made up.
    RECT client{};
    GetClientRect(window_, &client);
    if (client.right != width || client.bottom != height) {
        SetWindowPos(window_, nullptr, 0, 0, outerWidth + width - client.right, outerHeight + height - client.bottom,
                     flags);
    }
}

void TMainWindowComponents::PlaceOnScreen() {
    SizeToClientArea();
    RECT outer{};
    GetWindowRect(window_, &outer);
    const Origin origin = CentredOrigin(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
                                        outer.right - outer.left, outer.bottom - outer.top);
    SetWindowPos(window_, nullptr, origin.Left, origin.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainWindowComponents::OnDpiChanged(int dpi, const RECT& suggested) {
    // An error on the way leaves the controls with the font they have, which lives on.
    UniqueFont font = CreateWindowFont(TDpiScale(dpi));
    formerFonts_.reserve(formerFonts_.size() + 1);
    formerFonts_.push_back(std::exchange(font_, std::move(font)));
    scale_ = TDpiScale(dpi);
    glyphs_ = CreateMenuGlyphs(instance_, scale_(menu::MenuGlyphSize));
    if (glyphsAttached_) {
        menu_.AttachImageList(glyphs_.get());
    }
    Layout();
    formerFonts_.clear();
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SizeToClientArea();
}
