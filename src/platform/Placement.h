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

struct DialogOrigin {
    int Left;
    int Top;
};

DialogOrigin PlaceOnWorkArea(const WorkArea& work, int width, int height);

// Where a window of outerWidth x outerHeight opens: centred on the virtual screen (the
// rectangle spanning all monitors, whose origin is not added), never at a negative position.
struct Origin {
    int Left;
    int Top;
};

constexpr Origin CentredOrigin(int virtualWidth, int virtualHeight, int outerWidth, int outerHeight) {
    const int left = (virtualWidth - outerWidth) / 2;
    const int top = (virtualHeight - outerHeight) / 2;
    return {left < 0 ? 0 : left, top < 0 ? 0 : top};
}
