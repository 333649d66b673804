#pragma once

#include <windows.h>

#include "platform/UniqueHandle.h"

// The image list of the menu's glyphs (New, Open, Save, Exit) for the glyph size the menu's
// density asks for: the strip drawn at the largest size not larger, never a stretched one,
// blended by its alpha channel.
UniqueImageList CreateMenuGlyphs(HINSTANCE instance, int wantedSize);
