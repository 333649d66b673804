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
