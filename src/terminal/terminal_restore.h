#pragma once

#include <string>

// The terminal as the game found it, given back on a signal that ends the program at once (a crash,
// or SIGTERM, SIGHUP and SIGINT before the game's own end on them is armed): the terminal's
// settings and the escape sequences that leave the alternate screen, show the cursor, reset the
// colours and stop the mouse reports. The program then ends as the signal would have ended it. A
// normal end restores the terminal through curses.
namespace terminal_restore {

// Remembers the terminal's settings; before curses takes the terminal over.
void rememberSettings();
// Arms the signals with the sequence that undoes what curses set up.
void arm(const std::string& sequence);
// The terminal was given back: the signals end the program as before.
void disarm();

} // namespace terminal_restore
