#pragma once

#include "ui/geometry.h"

// The colours a terminal shows: none (vt100), the 8 of the Linux console, the 256 of the xterm
// palette, or any colour (it says so in its description).
enum class ColourDepth { None, Eight, Palette, Direct };

// The depth of a terminal that can show this many colours.
ColourDepth depthFor(int colours);

// The colour number a terminal of that depth shows a colour of the game as: 0xRRGGBB, the
// nearest entry of the colour cube or grey ramp (16 to 255), or the nearest of the 8.
int paletteEntry(ui::Colour colour, ColourDepth depth);

// Whether a terminal without colours shows a cell in reverse video: where its background is
// light, as a dialog's box and its line to type in are.
bool shownReversed(ui::Colour back);
