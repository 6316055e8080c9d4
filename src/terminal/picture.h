#pragma once

#include "terminal/cell_map.h"
#include "ui/geometry.h"

#include <QString>
#include <vector>

// One cell of the terminal: a character in a colour on a colour.
struct Cell {
    char32_t glyph = U' ';
    ui::Colour fore = 0xC0C0C0;
    ui::Colour back = 0x000000;
    bool written = false; // a character was put here, a space of a text too
    bool operator==(const Cell&) const = default;
};

// What the terminal is to show, cell by cell. Drawing stays inside the clip.
class Picture {
  public:
    Picture(int columns, int rows);

    int columns() const { return columns_; }
    int rows() const { return rows_; }
    const Cell& at(int column, int row) const { return cells_[index(column, row)]; }
    // One row's characters as they show, a wide one over two cells.
    QString line(int row) const;

    const Cells& clip() const { return clip_; }
    void setClip(const Cells& clip);

    void fill(const Cells& area, ui::Colour back);
    // Characters from a cell rightwards in a colour, on what lies there already, a wide one in
    // two cells.
    void write(int column, int row, const QString& text, ui::Colour fore);
    void put(int column, int row, char32_t glyph, ui::Colour fore);
    // A character only where none was put, as a line that runs under a text.
    void putUnder(int column, int row, char32_t glyph, ui::Colour fore);

  private:
    int index(int column, int row) const { return row * columns_ + column; }

    int columns_;
    int rows_;
    Cells clip_;
    std::vector<Cell> cells_;
};
