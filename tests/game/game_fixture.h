#pragma once

#include "board/board_window.h"
#include "scripted_platform.h"
#include "shell/game.h"
#include "shell/game_over_window.h"
#include "shell/main_window.h"
#include "shop/shop_window.h"
#include "ui/keys.h"

#include <QFile>
#include <gtest/gtest.h>
#include <variant>
#include <vector>

// A row of a rule's table, in a fresh game (the README tells how rows are written): its setup,
// the draws the dice give, the keys pressed (and the time let pass), and what the player then
// sees.
struct Row {
    const char *setup, *dice, *keys, *expect;
};

// What a name of a row stands for; a window is null while it is not open.
using Thing = std::variant<std::monostate, ui::Control*, ui::Timer*, ui::Window*, QString>;

class Play {
  public:
    Play() { game.start(); }

    // N in the menu ("Anna" for the name if need be) and the start-up tick 10 ms later, which
    // builds a level from the dice. The drift's timer is stopped: time may pass without draws.
    BoardWindow& start(const QString& dice = "build");
    // A key as the player presses it: key-down, then key-press for keys with a character.
    void press(int keyCode);
    void queueDice(const QString& dice);
    void playKeys(const QString& keys);
    // Every name a row may use, with what it stands for now.
    std::vector<std::pair<QString, Thing>> things();
    Thing thing(const QString& name);
    // Sets up (check false) or checks the clauses of a row.
    void apply(const QString& clauses, bool check);
    // A row's setup: the game started unless it says "menu", then its clauses.
    void setUp(const QString& setup);
    void run(const Row& row);

    MainWindow& status() { return game.mainWindow(); }
    BoardWindow& boardWindow() { return *game.boardWindow(); }
    QString savePath() const { return QDir(platform.folder).filePath("Save.ini"); }

    ScriptedPlatform platform;
    Game game{platform};

  private:
    bool anyDraws_ = false;
};

// Each row in a fresh game.
void check(std::initializer_list<Row> rows);
