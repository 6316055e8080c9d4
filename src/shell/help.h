#pragma once

#include <QString>

class Game;
namespace ui {
class Platform;
class Window;
} // namespace ui

// The address of the game's help page: help/index.html beside the executable, so it works offline.
QString helpAddress(const ui::Platform& platform);

// Hands the address to the user's browser; a failure is not reported.
void OpenHelpPage(Game& game, ui::Window& owner, const QString& address);

// The credits line of the main menu and the finale.
QString creditsLine();
