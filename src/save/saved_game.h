#pragma once

#include "save/save_file.h"

#include <optional>

class BoardWindow;
class MainWindow;
namespace ui {
class Platform;
} // namespace ui

// The saved game and the running one: the save, and the loads of the main menu and the shop.
namespace savedgame {

// The saved game, or nothing after telling the player why there is none to load
// ("No saved game", "The saved game is damaged.").
std::optional<SavedGame> open(ui::Platform& platform);

// Writes the game where saves go (see save_place.h); false when it could not be written.
bool save(const ui::Platform& platform, const SavedGame& game);

// The running game as the shop's save writes it, with its seed if it has one; without a board the
// board's lines stay empty.
SavedGame capture(const MainWindow& status, const BoardWindow* boardWindow,
                  const std::optional<ui::GameSeed>& seed);

// The status fields, the name, the continues and the rope, as read.
void restoreStatus(MainWindow& status, const SavedGame& game);

// The board's place and size; a line that holds no number leaves its coordinate as it is.
void restoreBoard(BoardWindow& boardWindow, const SavedGame& game);

} // namespace savedgame
