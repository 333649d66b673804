#pragma once

// Identifiers shared by the resource script and the program. The application icon is the
// named resource "MAINICON".

// The menu glyphs, one strip for each size they are drawn at: New, Open, Save and Exit from left
// to right (the menu's image indexes 0 to 3), 32 bits a pixel with an alpha channel that is not
// premultiplied, as an image list without a mask takes it.
#define IDB_MENU_GLYPHS_16 101
#define IDB_MENU_GLYPHS_20 102
#define IDB_MENU_GLYPHS_24 103
#define IDB_MENU_GLYPHS_32 104
