#include "platform/Placement.h"

#include <algorithm>

DialogOrigin PlaceOnWorkArea(const WorkArea& work, int width, int height) {
    const int left = work.Left + (work.Right - work.Left - width) / 2;
    const int top = work.Top + (work.Bottom - work.Top - height) / 3;
    return {std::max(left, work.Left), std::max(top, work.Top)};
}
