#pragma once

#include <windows.h>

#include <string>

#include "ui/ByteLimitedInput.h"
#include "ui/Dpi.h"
#include "ui/Layout.h"
#include "ui/WindowProcedure.h"

// A one-line edit with its caption label beside it in the same parent. The label sizes itself
// to its text and follows the edit's place and enabled state. What the user types or pastes
// stops at the row's byte limit; text the program sets is never cut.
class TLabeledEdit {
public:
    // The two windows belong to the parent and go with it; the object must outlive them.
    TLabeledEdit(HWND parent, const ControlRow& row);
    TLabeledEdit(const TLabeledEdit&) = delete;
    TLabeledEdit& operator=(const TLabeledEdit&) = delete;

    const ControlRow& Row() const { return row_; }
    HWND Edit() const { return edit_; }

    // Places the edit at the row's bounds and the label by the row's rule.
    void Layout(const TDpiScale& scale, HFONT font);

    void SetEnabled(bool enabled);
    // Draws the edit on a system colour (COLOR_...) in place of the window colour.
    void SetColor(int systemColor);

    std::string Text() const;
    void SetText(const std::string& text);

private:
    ZUB_OWNED_WINDOW_PROCEDURE_FRIEND;
    // The edit's messages.
    LRESULT OnMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

    const ControlRow row_;
    int color_ = COLOR_WINDOW;
    HWND label_;
    HWND edit_;
    TByteLimitedInput input_;
};
