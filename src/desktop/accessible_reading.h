#pragma once

#include "desktop/accessible_node.h"

#include <QStringList>
#include <set>

class BoardWindow;
class WindowView;
namespace ui {
class Window;
} // namespace ui

// Reads the window of a view as a screen reader hears it, in reading order: the status panel as
// its fields, the board as a list of what is in sight, any other window as its lines of text.
class WindowReader {
  public:
    std::vector<Reading> read(const WindowView& view);

  private:
    std::vector<Reading> board(const WindowView& view, const BoardWindow& boardWindow);
    static std::vector<Reading> texts(const WindowView& view, const ui::Window& window);

    // What the board told last, so that its news is news once: the objects in sight, the edges.
    std::set<const void*> seen_;
    QStringList edges_;
    bool primed_ = false; // the first reading has no news
};
