#include "desktop/set_text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace {

QStringList wrappedLines(const QString& text, const QFont& font, double width) {
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\n"));
    QStringList lines;
    for (const QString& paragraph : text.split(lineBreak)) {
        QTextLayout layout(paragraph, font);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            QString part = paragraph.mid(line.textStart(), line.textLength());
            while (part.endsWith(QLatin1Char(' ')))
                part.chop(1);
            lines << part;
        }
        layout.endLayout();
    }
    return lines;
}

} // namespace

SetText::SetText(const QString& text, const ui::Font& font, const QFont& qfont, double width)
    : text_(text), font_(font), width_(width), qfont_(qfont) {
    const QFontMetricsF metrics(qfont_);
    const QStringList lines = wrappedLines(text, qfont_, width);
    ascent_ = metrics.ascent();
    for (const QString& line : lines) {
        QStaticText shaped(line);
        shaped.setTextFormat(Qt::PlainText);
        shaped.prepare({}, qfont_);
        const QRectF ink = metrics.tightBoundingRect(line);
        if (lines_.empty())
            firstInkTop_ = ink.top();
        lastInkBottom_ = ink.bottom();
        lines_.push_back({shaped, std::max(metrics.horizontalAdvance(line), ink.right())});
    }
}

// Lines stand one font size apart, as tight as the game's own fonts set them, so a long menu or a
// three-line message fits its field with the wider fallback font too. The text hangs from the top,
// never so high that the first line's letters leave it (in a small font they reach above the
// ascent); where the letters of its last line reach below the rectangle, it rises as far as the
// first line's letters allow without leaving the top, so the message line keeps the tails of its
// third line and a label lower than its font keeps its letters whole. A line wider than the
// rectangle (one long word) is squeezed across to fit.
std::vector<TextLine> SetText::place(const QRectF& rect, ui::Align align) const {
    // Up to a pixel closer where the letters of every line would not fit otherwise (in a small
    // font their ink takes more of it).
    const double size = qfont_.pixelSize();
    const double inkRoom = rect.height() + firstInkTop_ - lastInkBottom_;
    const double pitch =
        lines_.size() < 2 ? size : std::clamp(inkRoom / double(lines_.size() - 1), size - 1, size);
    // Baselines fall on whole pixels, as the glyphs are drawn.
    double baseline =
        std::max(std::round(rect.top() + ascent_), std::ceil(rect.top() - firstInkTop_));
    const double below = baseline + (lines_.size() - 1) * pitch + lastInkBottom_ - rect.bottom();
    const double room = baseline + firstInkTop_ - rect.top();
    baseline -= std::max(0.0, std::min(below, room));
    std::vector<TextLine> placed;
    for (const Line& line : lines_) {
        const double squeeze = line.room > rect.width() ? rect.width() / line.room : 1;
        const double left = align == ui::Align::Center
                                ? rect.left() + (rect.width() - line.room * squeeze) / 2
                                : rect.left();
        placed.push_back({line.shaped.text(), {left, baseline}, squeeze});
        baseline += pitch;
    }
    return placed;
}

void SetText::draw(QPainter& painter, const std::vector<TextLine>& placed) const {
    painter.setFont(qfont_);
    for (size_t i = 0; i < placed.size(); ++i) {
        const TextLine& line = placed[i];
        // A static text is placed by the top of its line.
        if (line.squeeze == 1) {
            painter.drawStaticText(line.origin - QPointF(0, ascent_), lines_[i].shaped);
            continue;
        }
        painter.save();
        painter.translate(line.origin);
        painter.scale(line.squeeze, 1);
        painter.drawStaticText(QPointF(0, -ascent_), lines_[i].shaped);
        painter.restore();
    }
}
