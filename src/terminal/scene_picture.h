#pragma once

#include "terminal/cell_map.h"
#include "terminal/picture.h"
#include "ui/control.h"

#include <vector>

class Game;
namespace ui {
class Window;
} // namespace ui

// The scene drawn on the terminal's cells: the child windows as boxes with their captions over the
// main window's area, the status panel on the bottom rows while it shows, every control at the
// cells its place maps to, the later over the earlier. It remembers where each window went, so a
// click on a cell finds its window and label.
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
    struct Placed {
        ui::Window* window;
        Cells box;
        Cells client;
    };

    Cells paintWindow(Picture& picture, const ui::Window& window, const Cells& area);
    void paintControl(Picture& picture, const ui::Control& control, const ui::Window& window,
                      const Cells& client) const;
    void paintText(Picture& picture, const QString& text, const ui::LabelLook& look,
                   const ui::Rect& area, const Cells& client) const;
    ui::Label* labelAt(const ui::Window& window, const ui::Rect& cell) const;

    Game& game_;
    CellMap map_;
    std::vector<Placed> placed_;
};
