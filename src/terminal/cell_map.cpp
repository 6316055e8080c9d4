#include "terminal/cell_map.h"

#include "shell/main_window.h"

#include <algorithm>
#include <cmath>

namespace {

// One cell of the full-size picture: 8 x 16 design pixels.
constexpr double kFullCellWidth = 8 * ui::kTwipsPerPixel;
constexpr double kFullCellHeight = 16 * ui::kTwipsPerPixel;

int nearest(double cells) {
    return static_cast<int>(std::floor(cells + 0.5));
}

} // namespace

Cells Cells::intersected(const Cells& other) const {
    const int left = std::max(column, other.column), top = std::max(row, other.row);
    const int r = std::min(right(), other.right()), b = std::min(bottom(), other.bottom());
    return {left, top, std::max(0, r - left), std::max(0, b - top)};
}

std::optional<CellMap> CellMap::of(int columns, int rows) {
    if (columns < kMinimumColumns || rows < kMinimumRows)
        return std::nullopt;
    return CellMap(columns, rows);
}

CellMap::CellMap(int columns, int rows)
    : columns_(columns), rows_(rows),
      cellWidth_(kFullCellWidth * std::max(1.0, double(kDesignColumns) / columns)),
      cellHeight_(kFullCellHeight * std::max(1.0, double(kDesignRows) / rows)) {}

int CellMap::panelRows() const {
    return std::max(2, nearest(MainWindow::kPanelHeight / cellHeight_));
}

Cells CellMap::cellsOf(const ui::Rect& rect) const {
    const int left = nearest(rect.left / cellWidth_), top = nearest(rect.top / cellHeight_);
    const int right = nearest((rect.left + rect.width) / cellWidth_);
    const int bottom = nearest((rect.top + rect.height) / cellHeight_);
    return {left, top, std::max(1, right - left), std::max(1, bottom - top)};
}

int CellMap::columnOf(double x) const {
    return nearest(x / cellWidth_);
}

int CellMap::centredColumn(const ui::Rect& rect, int length) const {
    return nearest((rect.left + rect.width / 2) / cellWidth_ - length / 2.0);
}

int CellMap::rowOf(const ui::Rect& rect) const {
    return static_cast<int>(std::floor(rect.top / cellHeight_));
}

ui::Rect CellMap::rectOf(int column, int row) const {
    return {column * cellWidth_, row * cellHeight_, cellWidth_, cellHeight_};
}
