#pragma once

#include "board/board_window.h"
#include "replay/headless.h"
#include "replay/recorder.h"
#include "replay/recording_platform.h"
#include "scripted_platform.h"
#include "shell/game.h"
#include "shell/main_window.h"
#include "ui/keys.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>
#include <random>

// The scripted platform with a time of day that runs on with the game clock, as the real one
// does, so that each reseed takes a new value.
struct ClockedPlatform : ScriptedPlatform {
    explicit ClockedPlatform(double startSeconds) { seconds = startSeconds; }
    double timeOfDay() const override { return seconds + (clock ? clock->now() / 1000.0 : 0); }

    const ui::Clock* clock = nullptr;
};

// A game on the virtual clock, recorded as the real one is; the scripted platform answers the
// boxes, the game's own generator rolls the dice. With no folder, a temporary one.
struct RecordedGame {
    explicit RecordedGame(const QString& folder = {}, double startSeconds = 36000)
        : inner(startSeconds), recorder(game, platform, folder.isEmpty() ? own.path() : folder) {
        inner.clock = &game.clock();
        game.start();
    }
    // A key as the player presses it, with the answer for the box it may open.
    void press(int keyCode, const QString& answer = {}) {
        if (!answer.isEmpty())
            inner.queueAnswer(answer);
        game.keyDown(keyCode, keyCode == keys::Escape || keyCode > '/' ? keyCode : 0);
    }
    QString savePath() const { return QDir(inner.folder).filePath("Save.ini"); }
    // L in the menu, with a saved game at level 7 on a wide board.
    void load() {
        QFile save(savePath());
        EXPECT_TRUE(save.open(QIODevice::WriteOnly));
        save.write("7\r\n55\r\n30\r\n42\r\n25\r\n8\r\n16\r\n64\r\n 300 \r\n 450 \r\n 5000 \r\n"
                   " 2600 \r\nBea\r\n3\r\nTrue\r\n");
        save.close();
        press('L');
    }

    // A key, a click or a stretch of time at random, in whatever state the game is in; now and
    // then a name, the restore code, or a leap to the last level for the finale (answers no box
    // asked for are not heaped up).
    void randomStep(std::mt19937& dice) {
        if (dice() % 7 == 0) {
            const QString answer = QStringList{"Anna", "qyx", "vumo"}[dice() % 3];
            if (inner.answers.size() < 4)
                for (const QString& queued : {answer, QString("98")})
                    if (queued == answer || answer == "vumo")
                        inner.queueAnswer(queued);
        }
        const unsigned action = dice() % 10;
        std::vector<ui::Label*> labels; // the status panel's captions and the board's objects
        for (ui::Label& caption : game.mainWindow().captions)
            labels.push_back(&caption);
        if (BoardWindow* b = game.boardWindow())
            labels.insert(labels.end(),
                          {&b->player, &b->gate, &b->secretPassage, &b->goldPickup, &b->hitsPickup,
                           &b->foodPickup, &b->serumPickup, &b->quicksand, &b->demon, &b->spider,
                           &b->bat, &b->pathPlayer, &b->pathTime, &b->pathGold, &b->pathFood,
                           &b->holes[0]});
        const char keyCodes[] = "%&'(%&'(\x1b" // the arrows twice and Escape
                                "ABCDEFGHKLNQRSTWXZ5\r";
        if (action < 7)
            press(keyCodes[dice() % (sizeof keyCodes - 1)]);
        else if (action < 9)
            game.advance(dice() % 3000);
        else
            game.click(*labels[dice() % labels.size()]);
    }

    QTemporaryDir own;
    ClockedPlatform inner;
    RecordingPlatform platform{inner};
    Game game{platform};
    Recorder recorder;
};

// A recording played headless: the end it reached, then "replay matches" or the line at fault.
inline QString replayed(const recording::Recording& made) {
    QString text;
    QTextStream out(&text);
    replayHeadless(made, out);
    out.flush();
    return text;
}
