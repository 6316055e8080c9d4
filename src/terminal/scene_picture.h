#pragma once

#include "terminal/cell_map.h"
#include "terminal/picture.h"
#include "terminal/window_layout.h"
#include "ui/control.h"

#include <vector>

class Game;
namespace ui {
class Window;
} // namespace ui

// The scene drawn on the terminal's cells: the child windows as boxes with their captions over the
// main window's area, the status panel on the bottom rows while it shows, every control where the
// window's layout puts it, the later over the earlier. A window whose texts need more rows than its
// place maps to grows to hold them. It remembers where each window and label went, so a click on a
// cell finds its window and label.
class ScenePicture {
  public:
    ScenePicture(Game& game, const CellMap& map) : game_(game), map_(map) {}

    const CellMap& map() const { return map_; }
    void setMap(const CellMap& map) { map_ = map; }

    void paint(Picture& picture);

    // The window and label a click on a cell reaches; nullptr for none.
    struct Hit {
        ui::Window* window = nullptr;
        ui::Label* label = nullptr;
    };
    Hit hitAt(int column, int row) const;

  private:
    // A control and the cells it was drawn on, which a click there may reach.
    struct Target {
        Cells cells;
        ui::Control* control;
    };
    struct Placed {
        ui::Window* window;
        Cells box;
        Cells client;
        std::vector<Target> targets; // bottom first
    };

    void paintWindow(Picture& picture, ui::Window& window, const Cells& area);
    void paintControls(Picture& picture, const ui::Window& window,
                       const std::vector<Placement>& layout, Placed& placed) const;

    Game& game_;
    CellMap map_;
    std::vector<Placed> placed_;
};
