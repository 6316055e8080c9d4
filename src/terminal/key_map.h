#pragma once

#include "ui/keys.h"

#include <optional>

// The stroke a key read from the terminal gives the game: curses's code of a named key (when
// isKeyCode) or the character it typed. Nothing for a key the game has no code for.
std::optional<keys::Stroke> strokeOf(int key, bool isKeyCode);
