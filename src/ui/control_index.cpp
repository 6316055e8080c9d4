#include "ui/control_index.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace ui {

namespace {

// A cell of the grid is 512 twips square; a place meeting more than 64 cells is a wide one.
constexpr double kCell = 512;
constexpr double kMostCells = 64;
// Cells this far out all count as the outermost ones.
constexpr double kFarthestCell = 1 << 30;

// The extent of an area along one axis, lowest first: a line may run either way.
struct Span {
    double low, high;
};
Span span(double start, double length) {
    return {std::min(start, start + length), std::max(start, start + length)};
}

// Where areas meet; a line meets an area too, though it covers none.
bool meet(const Rect& a, const Rect& b) {
    const Span ax = span(a.left, a.width), ay = span(a.top, a.height);
    const Span bx = span(b.left, b.width), by = span(b.top, b.height);
    return ax.low <= bx.high && bx.low <= ax.high && ay.low <= by.high && by.low <= ay.high;
}

// Nothing shows below an opaque label or a board in the same place.
bool hidesBelow(const Control& control) {
    if (control.kind() == Control::Kind::Board)
        return true;
    return control.kind() == Control::Kind::Label &&
           static_cast<const Label&>(control).look().opaque;
}

} // namespace

std::optional<std::vector<ControlIndex::CellKey>> ControlIndex::cellsOf(const Rect& area) {
    const Span x = span(area.left, area.width), y = span(area.top, area.height);
    if (!std::isfinite(x.low) || !std::isfinite(x.high) || !std::isfinite(y.low) ||
        !std::isfinite(y.high))
        return std::nullopt;
    const auto cell = [](double at) {
        return static_cast<std::int64_t>(
            std::clamp(std::floor(at / kCell), -kFarthestCell, kFarthestCell));
    };
    const std::int64_t left = cell(x.low), right = cell(x.high);
    const std::int64_t top = cell(y.low), bottom = cell(y.high);
    if (static_cast<double>(right - left + 1) * static_cast<double>(bottom - top + 1) > kMostCells)
        return std::nullopt;
    std::vector<CellKey> cells;
    for (std::int64_t column = left; column <= right; ++column)
        for (std::int64_t row = top; row <= bottom; ++row)
            cells.push_back(column * (std::int64_t{1} << 32) + row);
    return cells;
}

void ControlIndex::file(Control& control, const std::optional<Rect>& area) {
    if (control.filed_ == area)
        return;
    unfile(control);
    if (!area)
        return;
    const PlaceKey key{
        std::bit_cast<std::uint64_t>(area->left), std::bit_cast<std::uint64_t>(area->top),
        std::bit_cast<std::uint64_t>(area->width), std::bit_cast<std::uint64_t>(area->height)};
    auto [at, made] = places_.try_emplace(key);
    Place& place = at->second;
    if (made) {
        place.area = *area;
        const auto cells = cellsOf(*area);
        place.wide = !cells;
        if (place.wide)
            wide_.push_back(&place);
        else
            for (const CellKey cell : *cells)
                cells_[cell].push_back(&place);
    }
    std::vector<Control*>& controls = place.controls;
    controls.insert(std::upper_bound(controls.begin(), controls.end(), &control, drawnBefore),
                    &control);
    control.filed_ = area;
}

void ControlIndex::unfile(Control& control) {
    if (!control.filed_)
        return;
    const Rect& area = *control.filed_;
    const auto at = places_.find(
        {std::bit_cast<std::uint64_t>(area.left), std::bit_cast<std::uint64_t>(area.top),
         std::bit_cast<std::uint64_t>(area.width), std::bit_cast<std::uint64_t>(area.height)});
    control.filed_.reset();
    if (at == places_.end())
        return;
    Place& place = at->second;
    std::vector<Control*>& controls = place.controls;
    const auto found = std::lower_bound(controls.begin(), controls.end(), &control, drawnBefore);
    if (found != controls.end() && *found == &control)
        controls.erase(found);
    if (!controls.empty())
        return;
    if (place.wide) {
        std::erase(wide_, &place);
    } else {
        const auto cells = cellsOf(place.area);
        for (const CellKey cell : *cells) {
            std::vector<Place*>& listed = cells_[cell];
            std::erase(listed, &place);
            if (listed.empty())
                cells_.erase(cell);
        }
    }
    places_.erase(at);
}

std::vector<Control*> ControlIndex::seenIn(const std::vector<Rect>& areas) const {
    std::vector<Control*> seen;
    const auto look = [&](const Place& place, const Rect& area) {
        if (!meet(place.area, area))
            return;
        for (auto it = place.controls.rbegin(); it != place.controls.rend(); ++it) {
            seen.push_back(*it);
            if (hidesBelow(**it))
                break;
        }
    };
    for (const Rect& area : areas) {
        const auto cells = cellsOf(area);
        if (!cells) {
            for (const auto& [key, place] : places_)
                look(place, area);
            continue;
        }
        for (const Place* place : wide_)
            look(*place, area);
        for (const CellKey cell : *cells)
            if (const auto listed = cells_.find(cell); listed != cells_.end())
                for (const Place* place : listed->second)
                    look(*place, area);
    }
    std::sort(seen.begin(), seen.end(), drawnBefore);
    seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
    return seen;
}

} // namespace ui
