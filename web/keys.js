// The keys as the game hears them: the code of the key, never of the character it typed (letters
// 65 to 90 whatever the case, the digit row 48 to 57 also when shifted, the punctuation keys 186
// and above), and the character typed when it is Latin-1, else 0. The same table as the desktop's.

const BACKSPACE = 8;
const TAB = 9;
const RETURN = 13;
const ESCAPE = 27;
const SPACE = 32;
const KEYPAD_0 = 96;
const F1 = 112;
const OTHER_CHARACTER = 223;

// Keys without a character of their own; Backspace, Tab, Return and Escape type their own code.
const NAMED = {
  Backspace: BACKSPACE,
  Tab: TAB,
  Clear: 12,
  Enter: RETURN,
  Shift: 16,
  Control: 17,
  Alt: 18,
  AltGraph: 18,
  Pause: 19,
  CapsLock: 20,
  Escape: ESCAPE,
  PageUp: 33,
  PageDown: 34,
  End: 35,
  Home: 36,
  ArrowLeft: 37,
  ArrowUp: 38,
  ArrowRight: 39,
  ArrowDown: 40,
  PrintScreen: 44,
  Insert: 45,
  Delete: 46,
  Meta: 91,
  OS: 91,
  ContextMenu: 93,
  NumLock: 144,
  ScrollLock: 145,
};
const MODIFIERS = ["Shift", "Control", "Alt", "AltGraph", "Meta", "OS"];
const TYPES_ITS_CODE = [BACKSPACE, TAB, RETURN, ESCAPE];

// The punctuation keys of a US keyboard with the characters they type, unshifted and shifted.
const PUNCTUATION = [
  [186, ";:"], [187, "=+"], [188, ",<"], [189, "-_"], [190, ".>"], [191, "/?"],
  [192, "`~"], [219, "[{"], [220, "\\|"], [221, "]}"], [222, "'\""],
];
// The shifted characters of the digit row, from 0 to 9.
const SHIFTED_DIGITS = ")!@#$%^&*(";
const KEYPAD_OPERATORS = { "*": 106, "+": 107, "-": 109, ".": 110, ",": 110, "/": 111 };

function charCodeOf(character) {
  const code = character.codePointAt(0);
  return code < 256 ? code : 0;
}

function named(keyCode) {
  return { code: keyCode, char: TYPES_ITS_CODE.includes(keyCode) ? keyCode : 0 };
}

// The stroke of a key that typed one printable character.
export function typed(character) {
  const char = charCodeOf(character);
  if (character === " ") return { code: SPACE, char };
  if (/^[a-z]$/.test(character)) return { code: character.toUpperCase().charCodeAt(0), char };
  if (/^[A-Z0-9]$/.test(character)) return { code: character.charCodeAt(0), char };
  const digit = SHIFTED_DIGITS.indexOf(character);
  if (digit >= 0) return { code: 48 + digit, char };
  for (const [code, characters] of PUNCTUATION)
    if (characters.includes(character)) return { code, char };
  return { code: OTHER_CHARACTER, char };
}

function keypad(character) {
  if (/^[0-9]$/.test(character)) return { code: KEYPAD_0 + Number(character), char: charCodeOf(character) };
  if (character in KEYPAD_OPERATORS) return { code: KEYPAD_OPERATORS[character], char: charCodeOf(character) };
  return typed(character);
}

// The stroke of a key-down, or null for a key the game never hears: one the browser or the
// system keeps (with Ctrl, Alt or the logo key held; F11, full screen), a dead key, an unknown one.
export function strokeOf(event) {
  const key = event.key;
  // AltGr types characters with Ctrl and Alt both held on some systems.
  const shortcut = event.metaKey || event.ctrlKey !== event.altKey;
  if (shortcut && !MODIFIERS.includes(key)) return null;
  if (key in NAMED) {
    const code = NAMED[key];
    return named(key === "Meta" || key === "OS" ? code + (event.location === 2 ? 1 : 0) : code);
  }
  const f = /^F([0-9]{1,2})$/.exec(key);
  if (f) {
    const n = Number(f[1]);
    return n >= 1 && n <= 24 && n !== 11 ? named(F1 + n - 1) : null;
  }
  if ([...key].length !== 1) return null;
  return event.location === 3 ? keypad(key) : typed(key);
}

// Keys whose own action in the browser is kept from it: all the game hears but the function keys.
export function keepFromBrowser(event) {
  return !/^F[0-9]{1,2}$/.test(event.key);
}
