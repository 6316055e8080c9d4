#include "terminal/terminal_type.h"

#include <cstdlib>
#include <curses.h>
#include <term.h>
#include <unistd.h>

std::string unusableTerminal() {
    const char* type = std::getenv("TERM");
    if (!type || !*type)
        return "TERM names no terminal; set it to this terminal's type, such as xterm-256color.";
    int error = 0;
    if (setupterm(type, STDOUT_FILENO, &error) != OK)
        return "the terminal type \"" + std::string(type) +
               "\" is unknown here; set TERM to one that is, such as xterm-256color.";
    const char* moveCursor = tigetstr("cup");
    const bool movesCursor = moveCursor && moveCursor != reinterpret_cast<const char*>(-1);
    del_curterm(cur_term);
    if (!movesCursor)
        return "the terminal \"" + std::string(type) +
               "\" cannot move its cursor; play in one that can, such as xterm, tmux or the "
               "Linux console.";
    return {};
}
