#include "ui/ScrollBox.h"

#include <algorithm>

#include "ui/Container.h"
#include "ui/ControlIds.h"
#include "ui/Controls.h"
#include "ui/WindowProcedure.h"

TScrollBox::TScrollBox(HWND parent) {
    const char* className = RegisterProgramClass("ZubScrollBox", DefWindowProcA, COLOR_BTNFACE);
    window_ = CreateChild(className, "", WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL, WS_EX_CONTROLPARENT,
                          parent, ScrollBoxVersionInfo);
    RouteMessages(window_, *this);
}

LRESULT TScrollBox::OnMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_VSCROLL:
            OnScroll(SB_VERT, LOWORD(wParam));
            return 0;
        case WM_HSCROLL:
            OnScroll(SB_HORZ, LOWORD(wParam));
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_SETFOCUS) {
                ScrollInView(reinterpret_cast<HWND>(lParam));
            }
            break;
    }
    LRESULT result = 0;
    if (ForwardControlMessage(window_, message, wParam, lParam, result)) {
        return result;
    }
    return PassOn(window_, message, wParam, lParam);
}

void TScrollBox::ScrollHome() {
    ScrollTo(SB_VERT, 0);
    ScrollTo(SB_HORZ, 0);
}

void TScrollBox::UpdateScrollBars(int verticalLineStep, int horizontalLineStep) {
    vertical_.LineStep = verticalLineStep;
    horizontal_.LineStep = horizontalLineStep;

    int right = 0;
    int bottom = 0;
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const Bounds bounds = WindowBounds(child);
        right = std::max(right, bounds.Left + bounds.Width + horizontal_.Position);
        bottom = std::max(bottom, bounds.Top + bounds.Height + vertical_.Position);
    }
    RECT outer{};
    GetWindowRect(window_, &outer);
    vertical_.Range = bottom;
    horizontal_.Range = right;
    vertical_.Shown = bottom > outer.bottom - outer.top;
    horizontal_.Shown = right > outer.right - outer.left;

    for (const int bar : {SB_VERT, SB_HORZ}) {
        if (!AxisOf(bar).Shown) {
            ScrollTo(bar, 0);
        }
        ShowScrollBar(window_, bar, AxisOf(bar).Shown);
    }
    RECT client{};
    GetClientRect(window_, &client);
    vertical_.Page = client.bottom;
    horizontal_.Page = client.right;
    for (const int bar : {SB_VERT, SB_HORZ}) {
        const Axis& axis = AxisOf(bar);
        if (axis.Shown) {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            info.nMax = axis.Range - 1;
            info.nPage = static_cast<UINT>(axis.Page);
            info.nPos = axis.Position;
            SetScrollInfo(window_, bar, &info, TRUE);
        }
    }
}

void TScrollBox::OnScroll(int bar, int request) {
    const Axis& axis = AxisOf(bar);
    switch (request) {
        case SB_LINEUP:
            ScrollTo(bar, axis.Position - axis.LineStep);
            break;
        case SB_LINEDOWN:
            ScrollTo(bar, axis.Position + axis.LineStep);
            break;
        case SB_PAGEUP:
            ScrollTo(bar, axis.Position - axis.Page);
            break;
        case SB_PAGEDOWN:
            ScrollTo(bar, axis.Position + axis.Page);
            break;
        case SB_TOP:
            ScrollTo(bar, 0);
            break;
        case SB_BOTTOM:
            ScrollTo(bar, axis.Range);
            break;
        case SB_THUMBPOSITION: {
            // Only on release: dragging the thumb leaves the content where it is.
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            GetScrollInfo(window_, bar, &info);
            ScrollTo(bar, info.nTrackPos);
            break;
        }
        default:
            break;
    }
}

void TScrollBox::ScrollTo(int bar, int position) {
    Axis& axis = AxisOf(bar);
    const int last = axis.Shown ? std::max(0, axis.Range - axis.Page) : 0;
    position = std::clamp(position, 0, last);
    const int delta = axis.Position - position;
    if (delta == 0) {
        return;
    }
    axis.Position = position;
    ScrollWindowEx(window_, bar == SB_HORZ ? delta : 0, bar == SB_VERT ? delta : 0, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    if (axis.Shown) {
        SetScrollPos(window_, bar, position, TRUE);
    }
}

void TScrollBox::ScrollInView(HWND child) {
    RECT area{};
    GetClientRect(child, &area);
    MapWindowPoints(child, window_, reinterpret_cast<POINT*>(&area), 2);
    RECT box{};
    GetClientRect(window_, &box);
    if (area.top < 0) {
        ScrollTo(SB_VERT, vertical_.Position + area.top);
    } else if (area.bottom > box.bottom) {
        ScrollTo(SB_VERT, vertical_.Position + area.bottom - box.bottom);
    }
    if (area.left < 0) {
        ScrollTo(SB_HORZ, horizontal_.Position + area.left);
    } else if (area.right > box.right) {
        ScrollTo(SB_HORZ, horizontal_.Position + area.right - box.right);
    }
}
