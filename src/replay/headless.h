#pragma once

#include "replay/recording.h"

class QTextStream;

// A recording played with no display on the game clock, as fast as it goes: the state it ends in,
// then "replay matches", or the first place it differs. 0 when it matches, 1 when not.
int replayHeadless(const recording::Recording& recording, QTextStream& out);
