#include "ui/ByteLimitedInput.h"

#include <imm.h>

#include <algorithm>
#include <utility>

#include "platform/shell/Shell.h"
#include "platform/text/AnsiText.h"
#include "platform/text/WideText.h"
#include "ui/Controls.h"
#include "ui/TextLimit.h"
#include "ui/WindowProcedure.h"

namespace {

constexpr unsigned char CtrlV = 0x16;
constexpr unsigned char Delete = 0x7F;

}  // namespace

TByteLimitedInput::TByteLimitedInput(HWND edit, int maxBytes) : edit_(edit), maxBytes_(maxBytes) {
    // Windows counts this in bytes of ANSI text, which also stops input the filter below
    // never sees; Wine counts UTF-16 characters, never fewer than the bytes. A row without a
    // limit asks for none (0), which gives the most an edit holds instead of its default.
    SendMessageA(edit_, EM_LIMITTEXT, static_cast<WPARAM>(maxBytes_), 0);
}

LRESULT TByteLimitedInput::CallEdit(UINT message, WPARAM wParam, LPARAM lParam) const {
    return PassOn(edit_, message, wParam, lParam);
}

bool TByteLimitedInput::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_CHAR:
            result = OnChar(wParam, lParam);
            return true;
        case WM_IME_CHAR:
            // One character, its lead byte in the high byte.
            if (maxBytes_ > 0 && Room() < (HIBYTE(LOWORD(wParam)) ? 2u : 1u)) {
                MessageBeep(MB_OK);
                return true;
            }
            return false;
        case WM_IME_COMPOSITION:
            if (maxBytes_ > 0 && (lParam & GCS_RESULTSTR)) {
                const std::wstring before = WideWindowTextOf(edit_);
                result = CallEdit(message, wParam, lParam);
                KeepCommittedWithinLimit(before);
                return true;
            }
            return false;
        case WM_PASTE:
            Paste();
            return true;
        case WM_KEYDOWN:
            if (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0) {
                Paste();
                return true;
            }
            return false;
        default:
            return false;
    }
}

LRESULT TByteLimitedInput::OnChar(WPARAM wParam, LPARAM lParam) {
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

void TByteLimitedInput::InsertTyped(const std::string& character) {
    if (Room() < character.size()) {
        MessageBeep(MB_OK);
        return;
    }
    // Handing the edit the whole character as text keeps its two bytes together and converts
    // them in the program's code page on every system; the edit's own undo records it like a
    // typed one.
    CallEdit(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(character.c_str()));
}

void TByteLimitedInput::Paste() {
    if (maxBytes_ == 0) {
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

void TByteLimitedInput::KeepCommittedWithinLimit(const std::wstring& before) {
    const std::wstring after = WideWindowTextOf(edit_);
    const auto bytes = [](std::wstring_view text) { return BestFitAnsi(text).size(); };
    if (bytes(after) <= static_cast<std::size_t>(maxBytes_)) {
        return;
    }
    // What went in lies between what the texts share at their start and at their end.
    const auto [start, unused] = std::ranges::mismatch(before, after);
    const std::size_t from = static_cast<std::size_t>(start - before.begin());
    std::size_t shared = 0;
    while (shared < before.size() - from && shared < after.size() - from &&
           before[before.size() - 1 - shared] == after[after.size() - 1 - shared]) {
        ++shared;
    }
    const std::size_t to = after.size() - shared;
    const std::wstring_view inserted = std::wstring_view(after).substr(from, to - from);
    // Whole characters of it, in order, while they fit.
    const std::size_t limit = static_cast<std::size_t>(maxBytes_);
    const std::size_t around =
        bytes(std::wstring_view(after).substr(0, from)) + bytes(std::wstring_view(after).substr(to));
    std::size_t room = around < limit ? limit - around : 0;
    std::size_t kept = 0;
    while (kept < inserted.size()) {
        const std::size_t length = IS_HIGH_SURROGATE(inserted[kept]) && kept + 1 < inserted.size() ? 2 : 1;
        const std::size_t size = bytes(inserted.substr(kept, length));
        if (size > room) {
            break;
        }
        room -= size;
        kept += length;
    }
    // Taken out as the edit counts its positions: bytes of its ANSI text on Windows, UTF-16
    // characters under Wine. The line length comes in the same unit, which tells them apart.
    const bool inBytes = static_cast<std::size_t>(SendMessageA(edit_, EM_LINELENGTH, 0, 0)) == bytes(after);
    const auto position = [&](std::size_t characters) {
        return inBytes ? bytes(std::wstring_view(after).substr(0, characters)) : characters;
    };
    CallEdit(EM_SETSEL, position(from + kept), position(to));
    CallEdit(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
    MessageBeep(MB_OK);
}

std::size_t TByteLimitedInput::Room() const {
    const std::string text = WindowTextOf(edit_);
    return RoomForInput(text.size(), SelectedBytes(text), static_cast<std::size_t>(maxBytes_));
}

std::size_t TByteLimitedInput::SelectedBytes(const std::string& text) const {
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
