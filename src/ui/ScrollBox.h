#pragma once

#include <windows.h>

#include "ui/WindowProcedure.h"

// A borderless container that scrolls its children. Its range in each direction is the
// farthest edge among the children at scroll position 0, and a direction shows a bar exactly
// when that range exceeds the box's extent without the other bar. A thumb moves the content
// when it is released. An edit that takes the focus is scrolled into view by the least amount.
class TScrollBox {
public:
    // The box belongs to the parent and goes with it; the object must outlive it.
    explicit TScrollBox(HWND parent);
    TScrollBox(const TScrollBox&) = delete;
    TScrollBox& operator=(const TScrollBox&) = delete;

    HWND Handle() const { return window_; }

    // Back to position 0, so that children can be placed at their unscrolled bounds.
    void ScrollHome();
    // After the children were placed: the ranges, bars and steps follow them.
    void UpdateScrollBars(int verticalLineStep, int horizontalLineStep);

private:
    struct Axis {
        int Range = 0;
        int Page = 0;
        int Position = 0;
        int LineStep = 1;
        bool Shown = false;
    };

    ZUB_OWNED_WINDOW_PROCEDURE_FRIEND;
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnScroll(int bar, int request);
    void ScrollTo(int bar, int position);
    void ScrollInView(HWND child);
    Axis& AxisOf(int bar) { return bar == SB_VERT ? vertical_ : horizontal_; }

    Axis vertical_;
    Axis horizontal_;
    HWND window_ = nullptr;
};
