#include "desktop/key_map.h"

#include "ui/keys.h"

#include <qnamespace.h>

namespace {

// Keys with a code of their own: arrows, the editing and lock keys, and the modifiers alone. Only
// Backspace, Tab, Return and Escape type a character.
struct NamedKey {
    int qtKey;
    KeyStroke stroke;
};

constexpr NamedKey kNamedKeys[] = {
    {Qt::Key_Backspace, {8, 8}},
    {Qt::Key_Tab, {9, 9}},
    {Qt::Key_Backtab, {9, 9}},
    {Qt::Key_Clear, {12, 0}},
    {Qt::Key_Return, {13, 13}},
    {Qt::Key_Enter, {13, 13}},
    {Qt::Key_Shift, {16, 0}},
    {Qt::Key_Control, {17, 0}},
    {Qt::Key_Alt, {18, 0}},
    {Qt::Key_AltGr, {18, 0}},
    {Qt::Key_Pause, {19, 0}},
    {Qt::Key_CapsLock, {20, 0}},
    {Qt::Key_Escape, {keys::Escape, keys::Escape}},
    {Qt::Key_PageUp, {33, 0}},
    {Qt::Key_PageDown, {34, 0}},
    {Qt::Key_End, {35, 0}},
    {Qt::Key_Home, {36, 0}},
    {Qt::Key_Left, {keys::Left, 0}},
    {Qt::Key_Up, {keys::Up, 0}},
    {Qt::Key_Right, {keys::Right, 0}},
    {Qt::Key_Down, {keys::Down, 0}},
    {Qt::Key_Print, {44, 0}},
    {Qt::Key_Insert, {45, 0}},
    {Qt::Key_Delete, {46, 0}},
    {Qt::Key_Meta, {91, 0}},
    {Qt::Key_Super_L, {91, 0}},
    {Qt::Key_Super_R, {92, 0}},
    {Qt::Key_Menu, {93, 0}},
    {Qt::Key_NumLock, {144, 0}},
    {Qt::Key_ScrollLock, {145, 0}},
};

// F1 to F24 are 112 to 135.
constexpr int kF1 = 112;

// The character a key typed when it is a single Latin-1 character.
int typedCharacter(const QString& text) {
    if (text.size() != 1)
        return 0;
    const char16_t c = text.front().unicode();
    return c < 256 ? c : 0;
}

} // namespace

std::optional<KeyStroke> keyStroke(int qtKey, const QString& text) {
    for (const NamedKey& named : kNamedKeys)
        if (named.qtKey == qtKey)
            return named.stroke;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return KeyStroke{kF1 + (qtKey - Qt::Key_F1), 0};
    // Below 256 Qt's key codes are Latin-1, with letters already upper-case.
    if (qtKey <= 0 || qtKey >= 256)
        return std::nullopt;
    return KeyStroke{qtKey, typedCharacter(text)};
}
