#pragma once

#include <QString>

class Game;
namespace ui {
class Platform;
} // namespace ui

// The address of the game's help page: help/index.html beside the executable, so it works offline.
QString helpAddress(const ui::Platform& platform);

// Hands the help page to the user's browser; when that fails, a message box gives the page's path
// so that the player can open it by hand.
void openHelpPage(Game& game);

// The credits line of the main menu and the finale.
QString creditsLine();
