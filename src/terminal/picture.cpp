#include "terminal/picture.h"

#include "terminal/text_lines.h"

#include <QList>

Picture::Picture(int columns, int rows)
    : columns_(columns), rows_(rows), clip_{0, 0, columns, rows},
      cells_(static_cast<std::size_t>(columns * rows)) {}

QString Picture::line(int row) const {
    QString text;
    for (int column = 0; column < columns_; ++column) {
        const char32_t glyph = at(column, row).glyph;
        text += QString::fromUcs4(&glyph, 1);
        // A wide character covers the cell after it.
        if (displayWidth(glyph) == 2)
            ++column;
    }
    return text;
}

void Picture::setClip(const Cells& clip) {
    clip_ = clip.intersected({0, 0, columns_, rows_});
}

void Picture::fill(const Cells& area, ui::Colour back) {
    const Cells inside = area.intersected(clip_);
    for (int row = inside.row; row < inside.bottom(); ++row)
        for (int column = inside.column; column < inside.right(); ++column)
            cells_[index(column, row)] = {U' ', back, back, false};
}

void Picture::put(int column, int row, char32_t glyph, ui::Colour fore) {
    if (!clip_.contains(column, row))
        return;
    Cell& cell = cells_[index(column, row)];
    cell.glyph = glyph;
    cell.fore = fore;
    cell.written = true;
}

void Picture::putUnder(int column, int row, char32_t glyph, ui::Colour fore) {
    if (clip_.contains(column, row) && !at(column, row).written)
        put(column, row, glyph, fore);
}

void Picture::write(int column, int row, const QString& text, ui::Colour fore) {
    for (char32_t glyph : text.toUcs4()) {
        const int cells = displayWidth(glyph);
        if (cells == 0)
            continue;
        // A wide character takes its cell and the next, which shows none of its own; where the
        // next lies outside, it shows as a space.
        const bool room = cells == 1 || clip_.contains(column + 1, row);
        put(column, row, room ? glyph : U' ', fore);
        if (cells == 2 && room)
            put(column + 1, row, U' ', fore);
        column += cells;
    }
}
