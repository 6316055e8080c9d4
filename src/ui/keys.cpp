#include "ui/keys.h"

#include <string_view>

namespace keys {
namespace {

// The punctuation keys of a US keyboard, with the characters they type unshifted and shifted.
struct PunctuationKey {
    int keyCode;
    std::u32string_view characters;
};

constexpr PunctuationKey kPunctuation[] = {
    {186, U";:"}, {187, U"=+"}, {188, U",<"},  {189, U"-_"}, {190, U".>"},  {191, U"/?"},
    {192, U"`~"}, {219, U"[{"}, {220, U"\\|"}, {221, U"]}"}, {222, U"'\""},
};

// The shifted characters of the digit row, from 0 to 9.
constexpr std::u32string_view kShiftedDigits = U")!@#$%^&*(";

int charCodeOf(char32_t character) {
    return character < 256 ? static_cast<int>(character) : 0;
}

} // namespace

Stroke named(int keyCode) {
    const bool types =
        keyCode == Backspace || keyCode == Tab || keyCode == Return || keyCode == Escape;
    return {keyCode, types ? keyCode : 0};
}

Stroke typed(char32_t character) {
    const int charCode = charCodeOf(character);
    if (character == U' ')
        return {Space, charCode};
    if (character >= U'a' && character <= U'z')
        return {static_cast<int>(character - U'a') + 'A', charCode};
    if ((character >= U'A' && character <= U'Z') || (character >= U'0' && character <= U'9'))
        return {static_cast<int>(character), charCode};
    if (const auto digit = kShiftedDigits.find(character); digit != std::u32string_view::npos)
        return {'0' + static_cast<int>(digit), charCode};
    for (const PunctuationKey& key : kPunctuation)
        if (key.characters.find(character) != std::u32string_view::npos)
            return {key.keyCode, charCode};
    return {OtherCharacter, charCode};
}

Stroke keypad(char32_t character) {
    const int charCode = charCodeOf(character);
    if (character >= U'0' && character <= U'9')
        return {Keypad0 + static_cast<int>(character - U'0'), charCode};
    switch (character) {
    case U'*':
        return {KeypadMultiply, charCode};
    case U'+':
        return {KeypadAdd, charCode};
    case U'-':
        return {KeypadSubtract, charCode};
    case U'.':
    case U',':
        return {KeypadDecimal, charCode};
    case U'/':
        return {KeypadDivide, charCode};
    default:
        return typed(character);
    }
}

} // namespace keys
