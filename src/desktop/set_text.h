#pragma once

#include "ui/geometry.h"

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QStaticText>
#include <cmath>
#include <vector>

class QPainter;

// A line of text as drawn: the left end of its baseline, and how far it is squeezed across.
struct TextLine {
    QString text;
    QPointF origin;
    double squeeze = 1;
};

// The text of a label or a text block, broken into lines in its font and shaped once, so that a
// paint only places and draws it. It holds for as long as the text, the font and the width it was
// broken in stay the same, wherever the text moves.
class SetText {
  public:
    // The text's own line breaks, and word wraps within width.
    SetText(const QString& text, const ui::Font& font, const QFont& qfont, double width);

    // A width a rounding apart from its own holds too: a label cut off by its board's edge keeps
    // its width, to a rounding, wherever the board moves.
    bool holds(const QString& text, const ui::Font& font, double width) const {
        return text == text_ && font == font_ && std::abs(width - width_) < 1e-6;
    }

    // The lines placed in a rectangle as wide as the text was broken in.
    std::vector<TextLine> place(const QRectF& rect, ui::Align align) const;
    // Draws the lines so placed with the painter's pen.
    void draw(QPainter& painter, const std::vector<TextLine>& placed) const;

  private:
    struct Line {
        QStaticText shaped;
        double room; // its advance, or its ink where a letter reaches past that
    };

    QString text_;
    ui::Font font_;
    double width_;
    QFont qfont_;
    double ascent_ = 0;
    double firstInkTop_ = 0;   // above the baseline: negative
    double lastInkBottom_ = 0; // below the baseline
    std::vector<Line> lines_;
};
