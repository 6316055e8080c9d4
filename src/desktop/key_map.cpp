#include "desktop/key_map.h"

#include <QList>
#include <qnamespace.h>

namespace {

// Keys that type no character, or a control character of their own.
struct NamedKey {
    int qtKey;
    int keyCode;
};

constexpr NamedKey kNamedKeys[] = {
    {Qt::Key_Backspace, keys::Backspace},
    {Qt::Key_Tab, keys::Tab},
    {Qt::Key_Backtab, keys::Tab},
    {Qt::Key_Clear, keys::Clear},
    {Qt::Key_Return, keys::Return},
    {Qt::Key_Enter, keys::Return},
    {Qt::Key_Shift, keys::Shift},
    {Qt::Key_Control, keys::Control},
    {Qt::Key_Alt, keys::Alt},
    {Qt::Key_AltGr, keys::Alt},
    {Qt::Key_Pause, keys::Pause},
    {Qt::Key_CapsLock, keys::CapsLock},
    {Qt::Key_Escape, keys::Escape},
    {Qt::Key_PageUp, keys::PageUp},
    {Qt::Key_PageDown, keys::PageDown},
    {Qt::Key_End, keys::End},
    {Qt::Key_Home, keys::Home},
    {Qt::Key_Left, keys::Left},
    {Qt::Key_Up, keys::Up},
    {Qt::Key_Right, keys::Right},
    {Qt::Key_Down, keys::Down},
    {Qt::Key_Print, keys::PrintScreen},
    {Qt::Key_Insert, keys::Insert},
    {Qt::Key_Delete, keys::Delete},
    {Qt::Key_Meta, keys::LeftWindows},
    {Qt::Key_Super_L, keys::LeftWindows},
    {Qt::Key_Super_R, keys::RightWindows},
    {Qt::Key_Menu, keys::Menu},
    {Qt::Key_NumLock, keys::NumLock},
    {Qt::Key_ScrollLock, keys::ScrollLock},
};

// The character a key typed when it is a single Latin-1 character.
int typedCharacter(const QString& text) {
    if (text.size() != 1)
        return 0;
    const char16_t c = text.front().unicode();
    return c < 256 ? c : 0;
}

// The one printable character a key typed, or nothing (no text, a control character, several).
std::optional<char32_t> printedCharacter(const QString& text) {
    const QList<uint> characters = text.toUcs4();
    if (characters.size() != 1 || !QChar::isPrint(characters.front()))
        return std::nullopt;
    return characters.front();
}

} // namespace

std::optional<keys::Stroke> keyStroke(int qtKey, bool keypad, const QString& text) {
    for (const NamedKey& named : kNamedKeys)
        if (named.qtKey == qtKey)
            return keys::named(named.keyCode);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return keys::named(keys::F1 + (qtKey - Qt::Key_F1));
    // Below 256 Qt names a key by the Latin-1 character it types, letters upper-case; the text
    // stays what was typed (a control character with Ctrl, for instance).
    if (qtKey > 0 && qtKey < 256) {
        const char32_t key = static_cast<char32_t>(qtKey);
        keys::Stroke stroke = keypad ? keys::keypad(key) : keys::typed(key);
        stroke.charCode = typedCharacter(text);
        return stroke;
    }
    // A character the key table has no key for (a letter of another alphabet, one a dead key made).
    if (const std::optional<char32_t> printed = printedCharacter(text))
        return keys::typed(*printed);
    return std::nullopt;
}

bool screenReaderKey(int qtKey, bool keypad) {
    return keypad || qtKey == Qt::Key_Insert || qtKey == Qt::Key_CapsLock;
}
