#pragma once

#include "desktop/accessible_node.h"

#include <QStringList>
#include <map>

class BoardWindow;
class WindowView;
namespace ui {
class Window;
} // namespace ui

// Reads the window of a view as a screen reader hears it, in reading order: the status panel as
// its fields, the board as a list of what is in sight, any other window as its lines of text.
// With news, the board tells what came into sight or near: the gate and the holes once as they
// come, the edges once as they come within reach, any other object near the player as its place
// changes.
class WindowReader {
  public:
    std::vector<Reading> read(const WindowView& view, Announcement* news);

  private:
    std::vector<Reading> board(const WindowView& view, const BoardWindow& boardWindow,
                               Announcement* news);
    static std::vector<Reading> texts(const WindowView& view, const ui::Window& window);

    // What the board showed last, so that its news is news once: each object in sight with its
    // place, the edges.
    std::map<const void*, QString> seen_;
    QStringList edges_;
    bool primed_ = false; // the first reading has no news
};
