#pragma once

#include "ui/control.h"

#include <array>
#include <map>
#include <unordered_map>
#include <vector>

namespace ui {

// Where a window's controls are drawn, so that those in a small part of the window are found
// without looking at the others, however many the window holds. Controls drawn in exactly the same
// place share one entry, bottom first; a coarse grid lists the places each of its cells meets, and
// places too wide for a few cells are looked at every time.
class ControlIndex {
  public:
    // Files the control where it is drawn now, or nowhere while it is not drawn.
    void file(Control& control, const std::optional<Rect>& area);

    // The controls drawn in any of the areas, bottom first, each once; a control under an opaque
    // label or a board drawn in the very same place is left out, as none of it shows.
    std::vector<Control*> seenIn(const std::vector<Rect>& areas) const;

  private:
    struct Place {
        Rect area;
        std::vector<Control*> controls; // bottom first
        bool wide = false;
    };
    using PlaceKey = std::array<std::uint64_t, 4>; // the area's numbers, bit for bit
    using CellKey = std::int64_t;

    void unfile(Control& control);
    // The cells an area meets, or nothing when it meets too many to list.
    static std::optional<std::vector<CellKey>> cellsOf(const Rect& area);

    std::map<PlaceKey, Place> places_;
    std::unordered_map<CellKey, std::vector<Place*>> cells_;
    std::vector<Place*> wide_;
};

} // namespace ui
