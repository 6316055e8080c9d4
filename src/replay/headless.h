#pragma once

#include "replay/recording.h"

class QTextStream;

// A recording played with no display on the game clock, as fast as it goes: the state it ends in,
// then "replay matches", or the first place it differs, or where a recording whose program died
// ends. 0 when it matches, 1 when not, 3 for a recording that ended unexpectedly.
int replayHeadless(const recording::Recording& recording, QTextStream& out);
