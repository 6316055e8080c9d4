#pragma once

#include "ui/geometry.h"

#include <optional>

// A block of terminal cells: the top-left cell and the size.
struct Cells {
    int column = 0;
    int row = 0;
    int columns = 0;
    int rows = 0;
    int right() const { return column + columns; } // one past the last column
    int bottom() const { return row + rows; }      // one past the last row
    bool contains(int c, int r) const {
        return c >= column && c < right() && r >= row && r < bottom();
    }
    Cells intersected(const Cells& other) const;
    bool operator==(const Cells&) const = default;
};

// How the main window's area lies on the terminal's cells. At 98 x 36 cells or more a cell is 8 x
// 16 design pixels (120 x 240 twips), and the area grows with the terminal; a smaller terminal,
// down to 80 x 24, shrinks each direction by its own share, so the design's 98 x 36 cells fill it.
// The status panel keeps its three rows of text at every size: it takes the bottom three rows, and
// the design's 33 rows above it shrink into the rows left.
class CellMap {
  public:
    static constexpr int kMinimumColumns = 80;
    static constexpr int kMinimumRows = 24;
    static constexpr int kDesignColumns = 98;
    static constexpr int kDesignRows = 36;
    static constexpr int kPanelRows = 3;

    // Nothing for a terminal smaller than 80 x 24.
    static std::optional<CellMap> of(int columns, int rows);

    int columns() const { return columns_; }
    int rows() const { return rows_; }
    // A cell's height, in twips.
    double cellHeight() const { return cellHeight_; }
    // The main window's client area, in twips: the terminal's width, and its rows above the status
    // panel with the panel's own height.
    double width() const { return columns_ * cellWidth_; }
    double height() const;
    // The rows the status panel takes at the bottom while it shows, and how its labels lie on them.
    int panelRows() const { return kPanelRows; }
    CellMap panel() const;

    // The cells a rectangle of twips mostly covers (its edges rounded to the nearest cell
    // boundary), at least one; a line without width or height lies in the cells it passes through.
    Cells cellsOf(const ui::Rect& rect) const;
    // Where a text of `length` characters centred in a rectangle begins: a single character in the
    // cell of the rectangle's middle.
    int centredColumn(const ui::Rect& rect, int length) const;
    // A cell, in twips.
    ui::Rect rectOf(int column, int row) const;

  private:
    CellMap(int columns, int rows, double cellWidth, double cellHeight);

    int columns_;
    int rows_;
    double cellWidth_;
    double cellHeight_;
};
