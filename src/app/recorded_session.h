#pragma once

#include "replay/recorder.h"
#include "replay/recording_platform.h"
#include "shell/game.h"

// The game as every front end plays it: on the front end's platform, each new game from the
// program's seed if it has one (with once, only the first), with every game recorded into the data
// folder's recordings.
struct RecordedSession {
    explicit RecordedSession(ui::Platform& real, const std::optional<ui::GameSeed>& seed = {},
                             bool once = false);

    RecordingPlatform platform;
    Game game;
    Recorder recorder;
};
