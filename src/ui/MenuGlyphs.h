#pragma once

#include <windows.h>

#include "ui/UniqueHandle.h"

// The image list of the menu's glyphs at a size: the glyph strip of the resources (New, Open,
// Save, Exit, left to right, on a fuchsia key colour), scaled pixel for pixel so that the key
// colour stays exact, with the key colour as transparency mask.
UniqueImageList CreateMenuGlyphs(HINSTANCE instance, int glyphSize);
