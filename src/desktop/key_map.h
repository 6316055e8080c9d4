#pragma once

#include <QString>
#include <optional>

// A key as the game hears it: the key-down code and the character the key types (0 for none).
struct KeyStroke {
    int keyCode = 0;
    int charCode = 0;
};

// Translates a Qt key and the text it typed: arrows 37 to 40, letters as upper-case codes whatever
// the case, digits, Escape 27, Return 13, other Latin-1 keys their own code, and the editing,
// function, lock and modifier keys their classic codes (Home 36, F1 112, Shift 16 and so on). Keys
// the game has no code for (media keys, say) give nothing.
std::optional<KeyStroke> keyStroke(int qtKey, const QString& text);
