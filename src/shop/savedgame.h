#pragma once

#include "shop/savefile.h"

#include <array>
#include <optional>

class Form2;
class MDIForm1;
namespace ui {
class Label;
class Platform;
} // namespace ui

// Bringing a saved game back: shared by the main menu's load and the shop's.
namespace savedgame {

// The saved game's fields, or nothing after telling the player why there is none to load
// ("No saved game", "The saved game is damaged.").
std::optional<savefile::Fields> open(ui::Platform& platform);

// The status fields of lines 1 to 8: level, energy, armor, gold, hits, food, serum, time.
std::array<ui::Label*, 8> stats(MDIForm1& status);

// Lines 1 to 8 into their status fields, as read.
void restoreStats(MDIForm1& status, const savefile::Fields& fields);

// The board's Top, Left, Width and Height from lines 9 to 12; a line that holds no number leaves
// its coordinate as it is.
void restoreGeometry(Form2& board, const savefile::Fields& fields);

// The player back on the board's middle, alive: both player labels shown, game over cleared,
// and a board too small to stand and step on made playable again.
void revive(Form2& board);

} // namespace savedgame
