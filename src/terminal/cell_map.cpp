#include "terminal/cell_map.h"

#include "shell/main_window.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// One cell of the full-size picture: 8 x 16 design pixels.
constexpr double kFullCellWidth = 8 * ui::kTwipsPerPixel;
constexpr double kFullCellHeight = 16 * ui::kTwipsPerPixel;

int nearest(double cells) {
    return static_cast<int>(std::floor(cells + 0.5));
}

int below(double cells) {
    return static_cast<int>(std::floor(cells));
}

// An edge and the far edge of a rectangle's side on cells of a size: rounded to the nearest
// boundaries, at least one cell apart; a side of no length in the cell it passes through.
std::pair<int, int> span(double start, double length, double cell) {
    if (length == 0)
        return {below(start / cell), below(start / cell) + 1};
    const int first = nearest(start / cell);
    return {first, std::max(first + 1, nearest((start + length) / cell))};
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
    return CellMap(columns, rows, kFullCellWidth * std::max(1.0, double(kDesignColumns) / columns),
                   kFullCellHeight *
                       std::max(1.0, double(kDesignRows - kPanelRows) / (rows - kPanelRows)));
}

CellMap::CellMap(int columns, int rows, double cellWidth, double cellHeight)
    : columns_(columns), rows_(rows), cellWidth_(cellWidth), cellHeight_(cellHeight) {}

double CellMap::height() const {
    return (rows_ - kPanelRows) * cellHeight_ + MainWindow::kPanelHeight;
}

CellMap CellMap::panel() const {
    return {columns_, kPanelRows, cellWidth_, MainWindow::kPanelHeight / kPanelRows};
}

Cells CellMap::cellsOf(const ui::Rect& rect) const {
    const auto [left, right] = span(rect.left, rect.width, cellWidth_);
    const auto [top, bottom] = span(rect.top, rect.height, cellHeight_);
    return {left, top, right - left, bottom - top};
}

int CellMap::centredColumn(const ui::Rect& rect, int length) const {
    return nearest((rect.left + rect.width / 2) / cellWidth_ - length / 2.0);
}

ui::Rect CellMap::rectOf(int column, int row) const {
    return {column * cellWidth_, row * cellHeight_, cellWidth_, cellHeight_};
}
