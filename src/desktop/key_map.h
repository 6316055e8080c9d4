#pragma once

#include "ui/keys.h"

#include <QString>
#include <optional>

// Translates a Qt key (pressed on the numeric keypad or not) and the text it typed into the key the
// game hears: the arrows, editing, function, lock and modifier keys their classic codes (Left 37,
// Home 36, F1 112, Shift 16), any key that typed a character the code of its key (see keys::typed).
// Keys the game has no code for (media keys, say) give nothing.
std::optional<keys::Stroke> keyStroke(int qtKey, bool keypad, const QString& text);

// The keys a screen reader keeps for itself: Orca's review keys on the numeric keypad, and its
// modifier, Insert (desktop layout) or Caps Lock (laptop layout).
bool screenReaderKey(int qtKey, bool keypad);
