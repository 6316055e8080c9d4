#pragma once

// The game on the virtual clock with a scripted platform, and the rows of a rule's table: each row
// is a fresh game, set up, its dice queued, its keys pressed (and its time let pass), and what the
// player then sees. Rows name what they touch: the status fields by their captions (LV EN AM GD
// HT FD SR TM CP, name, msg, rope), the board's objects (player gate passage gold hits food serum
// sand demon spider bat, pathPlayer pathTime pathGold pathFood, hole0 mark1...), its flags and
// counters, timers, windows and what the platform saw (box, prompts, addresses, exits, saved).

#include "board/board_window.h"
#include "scripted_platform.h"
#include "shell/game.h"
#include "shell/game_over_window.h"
#include "shell/main_window.h"
#include "shop/shop_window.h"
#include "ui/keys.h"

#include <QFile>
#include <gtest/gtest.h>
#include <optional>
#include <span>
#include <variant>
#include <vector>

// Where scatter puts an object (Left, Top inside the board), and a monster's level.
struct ObjectPlan {
    double left = 0;
    double top = 0;
    int level = 1;
};

// The draws of one buildLevel; optional objects left empty are not placed.
struct LevelPlan {
    int wallDie = 2;                      // 1: closing wall on, 2: off, 3: drift on, 4: off
    bool newBoard = true;                 // false when boardFromPath or loadPending keeps the board
    ui::Rect board{600, 600, 4000, 3000}; // the new board, or the size of the kept one
    ObjectPlan gate{120, 120};
    std::optional<ObjectPlan> coins, hit, food, secret, trap, serum, monster, spider, bat;
};

// A row of a rule's table. Setup: clauses separated by ';' (see Play::apply), and the steps
// "menu" (no game started), "path" (the gate taken into the path section) and "shop" (Escape).
// Dice: "4/10" makes the next draw from 10 give 4 (with "<" or ">" at the bottom or top of its
// face), "build" and "kept" queue the draws of a level on a new or a kept board, "path" those of a
// path section, and "..." lets any further draw give 1. Keys: letters, Left Right Up Down Esc,
// "+1000" lets 1000 ms pass, "click:gold" clicks a label, 'Anna' answers the next input box.
// Expect: clauses like the setup's, checked; every die queued must be drawn.
struct Row {
    const char* setup;
    const char* dice;
    const char* keys;
    const char* expect;
};
std::ostream& operator<<(std::ostream& os, const Row& row);

// What a name in a row stands for; a window is null while it is not open.
using Thing = std::variant<std::monostate, ui::Control*, ui::Timer*, ui::Window*, QString>;

class Play {
  public:
    Play() { game.start(); }

    // N in the menu ("Anna" answering the name prompt if need be) and the start-up tick 10 ms
    // later, which builds the plan's level with the player at the board's centre. The drift's
    // timer is stopped so that time may pass without draws.
    BoardWindow& start(const LevelPlan& plan = {});
    // Queues every draw of one more buildLevel on the open board window.
    void queueBuild(const LevelPlan& plan);
    // A key as the player presses it: key-down, then key-press for keys with a character.
    void press(int keyCode);

    MainWindow& status() { return game.mainWindow(); }
    BoardWindow& boardWindow() { return *game.boardWindow(); }

    // Every name a row may use, with what it stands for now.
    std::vector<std::pair<QString, Thing>> things();
    Thing thing(const QString& name);
    // Sets up (check false) or checks the clauses of a row.
    void apply(const QString& clauses, bool check);
    void click(const QString& name);
    void run(const Row& row);

    // The save file in the program's folder.
    QString savePath() const;
    void writeSave(const QByteArray& bytes);
    QByteArray saved() const;

    ScriptedPlatform platform;
    Game game{platform};

  private:
    void queueDice(const QString& dice);
    void playKeys(const QString& keys);
    bool anyDraws_ = false;
};

// Each row in a fresh game.
void check(std::span<const Row> rows);

class GameTest : public ::testing::Test, public Play {};
