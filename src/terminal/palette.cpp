#include "terminal/palette.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

struct Rgb {
    int r, g, b;
};

int distance(Rgb a, Rgb b) {
    return (a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) + (a.b - b.b) * (a.b - b.b);
}

// The Linux console's colours in their order: black, red, green, yellow, blue, magenta, cyan,
// white.
constexpr std::array<Rgb, 8> kEight = {{{0, 0, 0},
                                        {170, 0, 0},
                                        {0, 170, 0},
                                        {170, 170, 0},
                                        {0, 0, 170},
                                        {170, 0, 170},
                                        {0, 170, 170},
                                        {170, 170, 170}}};

// The six levels of each primary in the xterm colour cube.
constexpr std::array<int, 6> kCubeLevels = {0, 95, 135, 175, 215, 255};

int nearestLevel(int value) {
    int best = 0;
    for (int i = 1; i < 6; ++i)
        if (std::abs(kCubeLevels[i] - value) < std::abs(kCubeLevels[best] - value))
            best = i;
    return best;
}

int paletteOf(Rgb c) {
    const int r = nearestLevel(c.r), g = nearestLevel(c.g), b = nearestLevel(c.b);
    const Rgb cube{kCubeLevels[r], kCubeLevels[g], kCubeLevels[b]};
    // The grey ramp: 24 steps from 8 to 238.
    const int grey = std::clamp(((c.r + c.g + c.b) / 3 - 8 + 5) / 10, 0, 23);
    const int level = 8 + 10 * grey;
    if (distance(c, {level, level, level}) < distance(c, cube))
        return 232 + grey;
    return 16 + 36 * r + 6 * g + b;
}

int eightOf(Rgb c) {
    int best = 0;
    for (int i = 1; i < 8; ++i)
        if (distance(c, kEight[i]) < distance(c, kEight[best]))
            best = i;
    return best;
}

} // namespace

ColourDepth depthFor(int colours) {
    if (colours < 8)
        return ColourDepth::None;
    if (colours >= 1 << 24)
        return ColourDepth::Direct;
    return colours >= 256 ? ColourDepth::Palette : ColourDepth::Eight;
}

int paletteEntry(ui::Colour colour, ColourDepth depth) {
    const Rgb rgb{ui::red(colour), ui::green(colour), ui::blue(colour)};
    switch (depth) {
    case ColourDepth::Direct:
        return rgb.r << 16 | rgb.g << 8 | rgb.b;
    case ColourDepth::Palette:
        return paletteOf(rgb);
    case ColourDepth::Eight:
    case ColourDepth::None:
        break;
    }
    return eightOf(rgb);
}

bool shownReversed(ui::Colour back) {
    // Light as the eye sees it: green counts most, blue least.
    return 299 * ui::red(back) + 587 * ui::green(back) + 114 * ui::blue(back) > 1000 * 255 / 2;
}
