#pragma once

// Identifiers shared by the resource script and the program. The application icon is the
// named resource "MAINICON".

// The menu glyphs: one 16-colour strip of 16 x 16 glyphs, New, Open, Save and Exit from left
// to right (the menu's image indexes 0 to 3). Transparent pixels are fuchsia, RGB(255, 0, 255),
// so the strip goes into a masked image list with that key colour.
#define IDB_MENU_GLYPHS 101
