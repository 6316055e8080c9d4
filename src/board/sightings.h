#pragma once

#include <QStringList>
#include <vector>

class BoardWindow;
namespace ui {
class Label;
} // namespace ui

// What a player who cannot see the board window hears of it. Places are counted in steps
// (BoardWindow::kStep) from the player along each axis, to where the two touch.

struct Sighting {
    const ui::Label* object;
    QString text; // "demon 3, 2 steps left, 4 steps up"
    bool news;    // the gate and the holes are told as they come into sight
    bool near;    // within a few steps of the player along both axes
};

// The objects in sight, in the board's order: on the board the objects on it, in the path
// section its pick-ups and the holes near the path player. While the player is gone, no places.
std::vector<Sighting> sightings(const BoardWindow& boardWindow);

// The board's edges near the player, counted to the step that falls off: "edge 1 step right".
// None in the path section, whose edges hold the path player.
QStringList edgesNear(const BoardWindow& boardWindow);
