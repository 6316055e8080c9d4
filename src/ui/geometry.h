#pragma once

#include <QString>
#include <cstdint>

namespace ui {

// Every position and size of the scene is in twips (1/1440 inch); 15 twips make a pixel at 96 dpi.
inline constexpr double kTwipsPerPixel = 15.0;

// Colours keep the &H00BBGGRR form: red in the low byte, blue in the third.
using Colour = std::uint32_t;

inline constexpr int red(Colour c) {
    return static_cast<int>(c & 0xFF);
}
inline constexpr int green(Colour c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
inline constexpr int blue(Colour c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

struct Rect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool operator==(const Rect&) const = default;
};

struct Font {
    QString family = QStringLiteral("Lucida Console");
    double points = 12;
    int weight = 400; // 400 regular, 600 semi-bold, 700 bold
    bool operator==(const Font&) const = default;
};

enum class Align { Left, Center };

} // namespace ui
