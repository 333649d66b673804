#pragma once

// Where the program's dialogs and message boxes open: on the monitor of the window that was
// active when they were asked for, centred across its work area and a third of the way down,
// never beyond its top left corner.
struct WorkArea {
    int Left;
    int Top;
    int Right;
    int Bottom;
};

// Where a window or dialog opens: its top left corner.
struct Origin {
    int Left;
    int Top;
};

constexpr Origin PlaceOnWorkArea(const WorkArea& work, int width, int height) {
    const int left = work.Left + (work.Right - work.Left - width) / 2;
    const int top = work.Top + (work.Bottom - work.Top - height) / 3;
    return {left > work.Left ? left : work.Left, top > work.Top ? top : work.Top};
}

// Where a window of outerWidth x outerHeight opens: centred on the virtual screen (the
// rectangle spanning all monitors, whose origin is not added), never at a negative position.

constexpr Origin CentredOrigin(int virtualWidth, int virtualHeight, int outerWidth, int outerHeight) {
    const int left = (virtualWidth - outerWidth) / 2;
    const int top = (virtualHeight - outerHeight) / 2;
    return {left < 0 ? 0 : left, top < 0 ? 0 : top};
}
