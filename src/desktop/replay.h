#pragma once

#include "app/command_line.h"

// vexmoor --replay FILE [--speed N] [--headless]: a recorded game played again, in the window at
// its own pace (N times faster with --speed) or with no display. Escape stops the playback and
// leaves the game where it stands. Returns the program's exit code.
int runReplay(int argc, char* argv[], const ReplayRequest& request);
