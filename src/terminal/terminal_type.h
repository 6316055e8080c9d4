#pragma once

#include <string>

// Why the terminal TERM names cannot show the game (no type, one unknown here, or a terminal that
// cannot move its cursor, as TERM=dumb); empty when it can. Asked before curses starts, which on
// such a terminal ends the program or draws nothing.
std::string unusableTerminal();
