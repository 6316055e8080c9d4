#pragma once

#include "replay/recorder.h"
#include "replay/recording_platform.h"
#include "scripted_platform.h"
#include "shell/game.h"
#include "ui/keys.h"

#include <QTemporaryDir>

// The scripted platform with a time of day that runs on with the game clock, as the real one
// does, so that each reseed takes a new value.
struct ClockedPlatform : ScriptedPlatform {
    explicit ClockedPlatform(double startSeconds) { seconds = startSeconds; }
    double timeOfDay() const override { return seconds + (clock ? clock->now() / 1000.0 : 0); }

    const ui::Clock* clock = nullptr;
};

// A game on the virtual clock, recorded as the real one is; the scripted platform answers the
// boxes, the game's own generator rolls the dice. An empty folder keeps no recordings.
struct RecordedGame {
    explicit RecordedGame(const QString& folder = {}, double startSeconds = 36000)
        : inner(startSeconds), recorder(game, platform, folder) {
        inner.clock = &game.clock();
        inner.folder = inner.userFolder = dir.path();
        game.start();
    }
    // A key as the player presses it, with the answer for the box it may open.
    void press(int keyCode, const QString& answer = {}) {
        if (!answer.isEmpty())
            inner.queueAnswer(answer);
        game.keyDown(keyCode, keyCode == keys::Escape || keyCode > '/' ? keyCode : 0);
    }

    QTemporaryDir dir;
    ClockedPlatform inner;
    RecordingPlatform platform{inner};
    Game game{platform};
    Recorder recorder;
};
