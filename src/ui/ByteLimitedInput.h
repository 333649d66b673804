#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// What the user types, pastes or commits through an input method into a one-line edit: kept
// within a limit in bytes of the ANSI text (a double-byte character counts two; 0 for no limit),
// a double-byte character going in whole or not at all, whatever the code page of the keyboard.
// Text the program sets is never cut.
class TByteLimitedInput {
public:
    // Takes its messages from the edit's own subclass procedure, and hands it what it leaves.
    TByteLimitedInput(HWND edit, int maxBytes);

    // Takes the messages of typing and pasting; false for any other.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    LRESULT CallEdit(UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    LRESULT OnChar(WPARAM wParam, LPARAM lParam);
    void InsertTyped(const std::string& character);
    void Paste();
    // An input method's result, which the edit inserts itself counting characters, not bytes:
    // what passes the limit is taken out again from the end of what went in, at a whole
    // character. before is the edit's text before it took the result.
    void KeepCommittedWithinLimit(const std::wstring& before);
    std::size_t Room() const;
    std::size_t SelectedBytes(const std::string& text) const;

    HWND edit_;
    int maxBytes_;
    unsigned char pendingLeadByte_ = 0;
};
