#include "terminal/key_map.h"

#include <curses.h>

namespace {

// Curses's codes of the keys that type no character, and of the keypad's unlocked keys.
struct NamedKey {
    int curses;
    int keyCode;
};

constexpr NamedKey kNamedKeys[] = {
    {KEY_BACKSPACE, keys::Backspace}, {KEY_BTAB, keys::Tab},       {KEY_ENTER, keys::Return},
    {KEY_PPAGE, keys::PageUp},        {KEY_NPAGE, keys::PageDown}, {KEY_END, keys::End},
    {KEY_HOME, keys::Home},           {KEY_LEFT, keys::Left},      {KEY_UP, keys::Up},
    {KEY_RIGHT, keys::Right},         {KEY_DOWN, keys::Down},      {KEY_PRINT, keys::PrintScreen},
    {KEY_IC, keys::Insert},           {KEY_DC, keys::Delete},      {KEY_A1, keys::Home},
    {KEY_A3, keys::PageUp},           {KEY_B2, keys::Clear},       {KEY_C1, keys::End},
    {KEY_C3, keys::PageDown},         {KEY_SUSPEND, keys::Pause},
};

constexpr int kDelete = 127;
constexpr int kFirstPrintable = 32;

} // namespace

std::optional<keys::Stroke> strokeOf(int key, bool isKeyCode) {
    if (isKeyCode) {
        for (const NamedKey& named : kNamedKeys)
            if (named.curses == key)
                return keys::named(named.keyCode);
        if (key >= KEY_F(1) && key <= KEY_F(24))
            return keys::named(keys::F1 + (key - KEY_F(1)));
        return std::nullopt;
    }
    switch (key) {
    case '\b':
    case kDelete:
        return keys::named(keys::Backspace);
    case '\t':
        return keys::named(keys::Tab);
    case '\r':
    case '\n':
        return keys::named(keys::Return);
    case 27:
        return keys::named(keys::Escape);
    default:
        break;
    }
    // Ctrl with a letter types the letter's control character on the letter's key.
    if (key > 0 && key <= 26) {
        keys::Stroke stroke = keys::typed(static_cast<char32_t>('a' + key - 1));
        stroke.charCode = key;
        return stroke;
    }
    if (key < kFirstPrintable)
        return std::nullopt;
    return keys::typed(static_cast<char32_t>(key));
}
