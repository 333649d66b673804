#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/Layout.h"
#include "ui/MainWindow.h"
#include "win32/TestApplicationHost.h"

// A live main window shown on the test display, with a message loop that gives the window's
// keyboard processing its turn the way the application's loop does.
class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TMainWindow& Window() { return *window_; }
    // A control of the window by its identifier; a labelled edit's label by LabelOf.
    HWND Component(int id);
    HWND LabelOf(ControlId edit) { return Component(LabelId(edit)); }
    const TDocument& Document() const { return window_->Document(); }
    const TOpenDialog& Dialog(DialogId id) const { return window_->FileDialog(id); }
    int ScrollPosition() { return GetScrollPos(Component(ScrollBoxVersionInfo), SB_VERT); }
    // A menu command, as the menu or its shortcut sends it.
    void Command(WORD id);

    // A page chosen as by a click on its tab.
    void SelectPage(int index);
    // Runs the loop until the queue is empty and input has settled.
    void Pump();
    // A key pressed and released through the system's input, with Ctrl, Shift or Alt held.
    enum Modifier { None = 0, Ctrl = 1, Shift = 2, Alt = 4 };
    void PressKey(WORD key, int modifiers = None);
    // Characters typed through the system's input, as from a keyboard that produces them.
    void Type(const std::wstring& text);

    TestApplicationHost host_;
    std::unique_ptr<TMainWindow> window_;
};

// Text of a window, as ANSI bytes, and as the window holds it.
std::string TextOf(HWND window);
std::wstring WideTextOf(HWND window);
// Bounds of a window within its parent's client area.
Bounds BoundsOf(HWND window);
// The version page's edits as placed at 96 pixels per inch, and its content height: down to its
// lowest edit's bottom.
std::vector<ControlRow> VersionPageRows();
int VersionPageBottom();
// UTF-8 source text in the ANSI code page (for comparing with what the window shows).
std::string Ansi(const std::wstring& text);
