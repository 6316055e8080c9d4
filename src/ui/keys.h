#pragma once

// Key codes and character codes the game reacts to besides the letters, which are their
// upper-case character codes.
namespace keys {
inline constexpr int Escape = 27;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
} // namespace keys
