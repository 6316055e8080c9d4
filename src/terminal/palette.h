#pragma once

#include "ui/geometry.h"

// The colours a terminal shows: any colour (it says so in its description), the 256 of the xterm
// palette, or the 8 of the Linux console.
enum class ColourDepth { Eight, Palette, Direct };

// The depth of a terminal that can show this many colours.
ColourDepth depthFor(int colours);

// The colour number a terminal of that depth shows a colour of the game as: 0xRRGGBB, the
// nearest entry of the colour cube or grey ramp (16 to 255), or the nearest of the 8.
int paletteEntry(ui::Colour colour, ColourDepth depth);
