#pragma once

#include <QString>

class Game;
namespace ui {
class Platform;
} // namespace ui

// The help page's file: help/index.html beside the executable (a build folder), else
// share/vexmoor/help/index.html of the prefix the executable is installed in, else the same page in
// the standard data folders. When none is there, the place beside the executable.
QString helpPage(const QString& programFolder);

// The address of the game's help page, a local file, so it works offline.
QString helpAddress(const ui::Platform& platform);

// Hands the help page to the user's browser; when that fails, a message box gives the page's path
// so that the player can open it by hand.
void openHelpPage(Game& game);

// The credits line of the main menu and the finale.
QString creditsLine();
