#pragma once

#include "app/command_line.h"

class Outbox;

// vexmoor-web --replay FILE [--speed N]: a recorded game played again at its own pace (N times
// faster) as a stream of scenes, as a game streams them; the server's "snapshot" is answered and
// its keys, clicks and answers ignored. Ends after a last whole scene once the recording has
// played, on "end", or when the input ends. A recording that is refused: one line on standard
// error, and 2. --headless plays it with no scenes, as `vexmoor --replay FILE --headless`.
int playRecording(const ReplayRequest& request, Outbox& out);
