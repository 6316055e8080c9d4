#include "ui/qt/keymap.h"

#include "shell/game.h"

#include <qnamespace.h>

namespace {

constexpr int kReturn = 13;

// The character a key typed when it is a single Latin-1 character.
int typedCharacter(const QString& text) {
    if (text.size() != 1)
        return 0;
    const char16_t c = text.front().unicode();
    return c < 256 ? c : 0;
}

} // namespace

std::optional<KeyStroke> keyStroke(int qtKey, const QString& text) {
    switch (qtKey) {
    case Qt::Key_Left:
        return KeyStroke{keys::Left, 0};
    case Qt::Key_Up:
        return KeyStroke{keys::Up, 0};
    case Qt::Key_Right:
        return KeyStroke{keys::Right, 0};
    case Qt::Key_Down:
        return KeyStroke{keys::Down, 0};
    case Qt::Key_Escape:
        return KeyStroke{keys::Escape, keys::Escape};
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyStroke{kReturn, kReturn};
    default:
        break;
    }
    // Below 256 Qt's key codes are Latin-1, with letters already upper-case.
    if (qtKey <= 0 || qtKey >= 256)
        return std::nullopt;
    return KeyStroke{qtKey, typedCharacter(text)};
}
