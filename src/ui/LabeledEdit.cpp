#include "ui/LabeledEdit.h"

#include "platform/UniqueHandle.h"
#include "ui/Container.h"
#include "ui/Controls.h"
#include "ui/WindowProcedure.h"

namespace {

SIZE TextExtent(HWND window, HFONT font, const std::string& text) {
    const WindowDc dc(window);
    const SelectedObject selected(dc.get(), font);
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

}  // namespace

TLabeledEdit::TLabeledEdit(HWND parent, const ControlRow& row)
    : row_(row),
      label_(CreateChild("STATIC", row.Text, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, parent, LabelId(row.Id))),
      edit_(CreateChild("EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, parent, row.Id)),
      input_(edit_, row.MaxLength) {
    RouteMessages(edit_, *this);
}

void TLabeledEdit::Layout(const TDpiScale& scale, HFONT font) {
    SetWindowFont(edit_, font);
    SetWindowFont(label_, font);
    const Bounds edit = scale(row_.Place);
    PlaceWindow(edit_, edit);

    const SIZE label = TextExtent(label_, font, row_.Text);
    const int spacing = scale(layout::LabelSpacing);
    switch (row_.Label) {
        case LabelPosition::Above:
            PlaceWindow(label_, {edit.Left, edit.Top - label.cy - spacing, label.cx, label.cy});
            break;
        case LabelPosition::Left:
            PlaceWindow(label_,
                        {edit.Left - label.cx - spacing, edit.Top + (edit.Height - label.cy) / 2, label.cx, label.cy});
            break;
        case LabelPosition::None:
            break;
    }
}

void TLabeledEdit::SetEnabled(bool enabled) {
    EnableWindow(edit_, enabled);
    EnableWindow(label_, enabled);
}

void TLabeledEdit::SetColor(int systemColor) {
    color_ = systemColor;
    InvalidateRect(edit_, nullptr, TRUE);
}

std::string TLabeledEdit::Text() const {
    return WindowTextOf(edit_);
}

void TLabeledEdit::SetText(const std::string& text) {
    SetWindowTextA(edit_, text.c_str());
}

LRESULT TLabeledEdit::OnMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_REFLECTED_CTLCOLOR) {
        if (color_ == COLOR_WINDOW) {
            return 0;
        }
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(color_));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(color_));
    }
    LRESULT result = 0;
    if (input_.OnMessage(message, wParam, lParam, result)) {
        return result;
    }
    return input_.CallEdit(message, wParam, lParam);
}
