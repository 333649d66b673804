#include "ui/LabeledEdit.h"

#include <algorithm>
#include <utility>

#include "platform/AnsiText.h"
#include "platform/Clipboard.h"
#include "platform/WideText.h"
#include "ui/Controls.h"
#include "ui/ReflectedColor.h"
#include "ui/TextLimit.h"
#include "ui/WindowProcedure.h"

namespace {

constexpr unsigned char CtrlV = 0x16;
constexpr unsigned char Delete = 0x7F;

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
      label_(CreateChild("STATIC", row.Text, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, parent)),
      edit_(CreateChild("EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, parent)) {
    // Windows counts this in bytes of ANSI text, which also stops input the filter below
    // never sees; Wine counts UTF-16 characters, never fewer than the bytes. A row without a
    // limit asks for none (0), which gives the most an edit holds instead of its default.
    SendMessageA(edit_, EM_LIMITTEXT, static_cast<WPARAM>(row.MaxLength), 0);
    SetWindowLongPtrA(edit_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    editProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TLabeledEdit::EditProcedure)));
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
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit_)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(edit_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TLabeledEdit::SetText(const std::string& text) {
    SetWindowTextA(edit_, text.c_str());
}

LRESULT CALLBACK TLabeledEdit::EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TLabeledEdit*>(GetWindowLongPtrA(edit, GWLP_USERDATA));
    return AtControlBoundary(edit, [&] { return self->OnEditMessage(message, wParam, lParam); });
}

LRESULT TLabeledEdit::CallEdit(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(editProcedure_, edit_, message, wParam, lParam);
}

LRESULT TLabeledEdit::OnEditMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_REFLECTED_CTLCOLOR:
            if (color_ == COLOR_WINDOW) {
                return 0;
            }
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(color_));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(color_));
        case WM_CHAR:
            return OnChar(wParam, lParam);
        case WM_IME_CHAR:
            // One character, its lead byte in the high byte.
            if (row_.MaxLength > 0 && Room() < (HIBYTE(LOWORD(wParam)) ? 2u : 1u)) {
                MessageBeep(MB_OK);
                return 0;
            }
            break;
        case WM_PASTE:
            Paste();
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0) {
                Paste();
                return 0;
            }
            break;
    }
    return CallEdit(message, wParam, lParam);
}

LRESULT TLabeledEdit::OnChar(WPARAM wParam, LPARAM lParam) {
    const auto byte = static_cast<unsigned char>(wParam & 0xFF);
    const auto high = static_cast<unsigned char>((wParam >> 8) & 0xFF);
    // An ANSI window gets a double-byte character as two messages, lead byte first. A lead
    // byte that is not followed by a trail byte is dropped, and what came is taken as it is.
    if (const unsigned char lead = std::exchange(pendingLeadByte_, 0); lead && IsShiftJisTrailByte(byte)) {
        const char pair[] = {static_cast<char>(lead), static_cast<char>(byte)};
        InsertTyped(std::string(pair, 2));
        return 0;
    }
    if (high) {
        const char pair[] = {static_cast<char>(high), static_cast<char>(byte)};
        InsertTyped(std::string(pair, 2));
        return 0;
    }
    if (byte == CtrlV) {
        Paste();
        return 0;
    }
    if (byte < 0x20 || byte == Delete) {
        return CallEdit(WM_CHAR, wParam, lParam);
    }
    if (IsAnsiLeadByte(byte)) {
        pendingLeadByte_ = byte;
        return 0;
    }
    if (byte >= 0x80) {
        // A half-width kana goes in as text too: as a character message it would be converted
        // in the code page of the keyboard's language.
        InsertTyped(std::string(1, static_cast<char>(byte)));
        return 0;
    }
    if (Room() < 1) {
        MessageBeep(MB_OK);
        return 0;
    }
    return CallEdit(WM_CHAR, wParam, lParam);
}

void TLabeledEdit::InsertTyped(const std::string& character) {
    if (Room() < character.size()) {
        MessageBeep(MB_OK);
        return;
    }
    // Handing the edit the whole character as text keeps its two bytes together and converts
    // them in the program's code page on every system; the edit's own undo records it like a
    // typed one.
    CallEdit(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(character.c_str()));
}

void TLabeledEdit::Paste() {
    if (row_.MaxLength == 0) {
        CallEdit(WM_PASTE, 0, 0);
        return;
    }
    const std::string clipboard = ClipboardText(edit_);
    const std::string pasted = PasteForRoom(clipboard, Room(), IsAnsiLeadByte);
    if (pasted.size() < std::min(clipboard.find_first_of("\r\n"), clipboard.size())) {
        MessageBeep(MB_OK);
    }
    if (!pasted.empty()) {
        CallEdit(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
    }
}

std::size_t TLabeledEdit::Room() const {
    const std::string text = Text();
    return RoomForInput(text.size(), SelectedBytes(text), static_cast<std::size_t>(row_.MaxLength));
}

std::size_t TLabeledEdit::SelectedBytes(const std::string& text) const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    // Windows gives positions in bytes of an ANSI edit's text, Wine in UTF-16 characters.
    // The line length comes in the same unit, which tells them apart.
    const auto lineLength = static_cast<std::size_t>(SendMessageA(edit_, EM_LINELENGTH, 0, 0));
    if (lineLength != text.size()) {
        start = static_cast<DWORD>(ByteOffsetOfCharacter(text, start, IsAnsiLeadByte));
        end = static_cast<DWORD>(ByteOffsetOfCharacter(text, end, IsAnsiLeadByte));
    }
    return end > start ? end - start : 0;
}
