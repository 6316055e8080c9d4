#pragma once

// The classic key codes the game hears. A key-down carries the code of the key, never of the
// character it typed: letters are 65 to 90 whatever the case, the digit row 48 to 57 also when
// shifted, and the punctuation keys have codes of their own above 185, so no typed character can
// pass for an arrow (37 to 40) or Escape (27). Every front end translates its keys through these.
namespace keys {
inline constexpr int Backspace = 8;
inline constexpr int Tab = 9;
inline constexpr int Clear = 12;
inline constexpr int Return = 13;
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int Alt = 18;
inline constexpr int Pause = 19;
inline constexpr int CapsLock = 20;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int PrintScreen = 44;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
inline constexpr int LeftWindows = 91;
inline constexpr int RightWindows = 92;
inline constexpr int Menu = 93;
inline constexpr int Keypad0 = 96; // to Keypad9 = 105
inline constexpr int KeypadMultiply = 106;
inline constexpr int KeypadAdd = 107;
inline constexpr int KeypadSubtract = 109;
inline constexpr int KeypadDecimal = 110;
inline constexpr int KeypadDivide = 111;
inline constexpr int F1 = 112; // to F24 = 135
inline constexpr int NumLock = 144;
inline constexpr int ScrollLock = 145;
// A key that typed a character no key of a US keyboard has (é, ß, a letter made by a dead key).
inline constexpr int OtherCharacter = 223;

// A key as the game hears it: the key-down code and the character the key types (0 for none).
struct Stroke {
    int keyCode = 0;
    int charCode = 0;
};

// The stroke of a key without a character of its own (arrows, editing, function, lock and modifier
// keys), and of Backspace, Tab, Return and Escape, which type their own code.
Stroke named(int keyCode);
// The stroke of a key that typed a printable character: the code of the key that types it on a US
// keyboard, shifted or not (Space 32, '%' the 5 key 53, '\'' 222), OtherCharacter for any other;
// the character code is the character when it is Latin-1, else 0.
Stroke typed(char32_t character);
// The stroke of a key of the numeric keypad that typed a digit or an operator.
Stroke keypad(char32_t character);
} // namespace keys
