#pragma once

#include "replay/recording.h"

#include <QByteArray>
#include <optional>

class Game;

// The windows as a game finds them when it begins: the main window, then every open window bottom
// first, each with its place, its timers and every control's text, place, look and visibility
// (and the board's loaded holes and trail marks), one line each, appended to out.
namespace scenestate {

void append(QByteArray& out, Game& game);
// Brings a fresh game, its clock already at the recorded time, into that state; the line at
// fault when it cannot.
std::optional<QString> restore(Game& game, const std::vector<recording::StateLine>& lines);

} // namespace scenestate
