#pragma once

#include "ui/geometry.h"

#include <QRect>
#include <QSize>

// How large the scene is drawn. The game lays its windows out in twips for the main window's
// client area at its designed size, 784 by 571 pixels with the status panel's 49 along the
// bottom; the front end draws that design at one scale, so a larger window shows the same game
// larger, and the game never learns of the window's size.
class Zoom {
  public:
    static constexpr QSize kDesign{784, 571};
    // The smallest zoom the main window allows: the panel's numbers and messages still read.
    static constexpr double kSmallest = 0.5;

    Zoom() = default;
    explicit Zoom(double factor) : factor_(factor) {}
    double factor() const { return factor_; }
    bool operator==(const Zoom&) const = default;

    // Twips of the scene in view pixels, and back.
    double pixels(double twips) const { return twips / ui::kTwipsPerPixel * factor_; }
    QRectF pixels(const ui::Rect& twips) const;
    double twips(double pixels) const { return pixels * ui::kTwipsPerPixel / factor_; }
    // The whole pixels a window of the scene takes, outer frame included.
    QRect wholePixels(const ui::Rect& twips) const;

  private:
    double factor_ = 1;
};

// Where the design stands in the main window's client area: at the largest zoom that shows it
// whole, centred, the rest black; the child windows' area above the status panel while it shows.
struct Stage {
    static Stage fitting(QSize client, bool panelShown);
    // The client area the main window does not go below.
    static QSize smallestClient();

    // The design in twips, and the height of the child windows' area in it: the same at every
    // zoom, as the game knows them.
    static constexpr QSizeF kDesignTwips{Zoom::kDesign.width() * ui::kTwipsPerPixel,
                                         Zoom::kDesign.height() * ui::kTwipsPerPixel};
    double areaHeightTwips() const;

    Zoom zoom;
    QRect area{QPoint(), Zoom::kDesign};
    QRect panel; // empty while the panel is hidden
};
