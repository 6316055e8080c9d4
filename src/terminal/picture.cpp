#include "terminal/picture.h"

#include <QList>

Picture::Picture(int columns, int rows)
    : columns_(columns), rows_(rows), clip_{0, 0, columns, rows},
      cells_(static_cast<std::size_t>(columns * rows)) {}

QString Picture::line(int row) const {
    QString text;
    for (int column = 0; column < columns_; ++column)
        text += QString::fromUcs4(&at(column, row).glyph, 1);
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
    for (char32_t glyph : text.toUcs4())
        put(column++, row, glyph, fore);
}
