#pragma once

class QSettings;
class QWidget;

// The main window's size and place on the screen, kept in the game's settings between runs.

// Reopens the window where the player left it; the first time, or when that place is gone, the
// window keeps its size as far as the screen's free area allows and stands in the middle of it.
void placeOnScreen(QWidget& window, const QSettings& settings);

// The first time: the window keeps its size as far as the screen's free area allows, at its
// top-left corner.
void fitOnScreen(QWidget& window);

// Keeps the window's size and place for the next run.
void rememberPlace(const QWidget& window, QSettings& settings);
