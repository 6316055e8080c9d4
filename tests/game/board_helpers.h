#pragma once

// Helpers for tests that need a started board with a known level on it.
//
//   LevelPlan plan;                      // a 4000 x 3000 board at 600, 600, gate at 120, 120
//   plan.monster = ObjectPlan{900, 300, 7};
//   Form2& board = startBoard(game, platform, plan);   // N in the menu, start-up tick run
//
// queueLevel() alone queues the draws of one more BuildLevel (for a passage, the path exit or a
// rope), in the order the build makes them.

#include "board/form2.h"
#include "scripted_platform.h"
#include "shell/game.h"
#include "shell/mdiform1.h"

#include <optional>

// Where ScatterObject is to put an object: its Left and Top on the board (inside it, so that
// nothing folds back), and for a monster its level.
struct ObjectPlan {
    double left = 0;
    double top = 0;
    int level = 1;
};

// The draws of one BuildLevel. Optional objects left empty are not placed.
struct LevelPlan {
    int wallDie = 2;      // 1: closing wall on, 2: off, 3: drifting board on, 4: off
    bool newBoard = true; // false when the build keeps the board (InCammino or MyLoad set)
    // The board's Left, Top, Width and Height: sizes of 3500 to 8000 by 2500 to 8000, inside the
    // window. With newBoard false, the size of the kept board.
    ui::Rect board{600, 600, 4000, 3000};
    ObjectPlan gate{120, 120};
    std::optional<ObjectPlan> coins, hit, food, secret, trap, serum, monster, spider, bat;
};

// Queues the uniform number that makes ui::draw(n) give value.
inline void queueDrawOf(ScriptedPlatform& platform, double value, double n) {
    platform.queueDraw(static_cast<int>(value), n);
}

// Queues every draw of one BuildLevel on a board window of the given outer size.
inline void queueLevel(ScriptedPlatform& platform, const LevelPlan& plan, double windowWidth,
                       double windowHeight) {
    platform.queueDraw(plan.wallDie, 4);
    if (plan.newBoard) {
        queueDrawOf(platform, plan.board.top, windowHeight);
        queueDrawOf(platform, plan.board.left, windowWidth);
        queueDrawOf(platform, plan.board.width, 8000);
        queueDrawOf(platform, plan.board.height, 8000);
    }
    const auto place = [&](const ObjectPlan& object) {
        queueDrawOf(platform, object.top, plan.board.height);
        queueDrawOf(platform, object.left, plan.board.width);
    };
    place(plan.gate);

    // The optional objects in the order of the build, with their dice: a 1 places the object,
    // the die's highest face leaves it out.
    struct Optional {
        const std::optional<ObjectPlan>& object;
        int sides;
        bool monster;
    };
    const Optional optionals[] = {
        {plan.coins, 30, false},  {plan.hit, 20, false},   {plan.food, 20, false},
        {plan.secret, 20, false}, {plan.trap, 20, false},  {plan.serum, 20, false},
        {plan.monster, 20, true}, {plan.spider, 20, true}, {plan.bat, 20, true},
    };
    for (const Optional& optional : optionals) {
        if (!optional.object) {
            platform.queueDraw(optional.sides, optional.sides);
            continue;
        }
        platform.queueDraw(1, optional.sides);
        place(*optional.object);
        if (optional.monster)
            platform.queueDraw(optional.object->level, 9);
    }
}

// The outer size the start-up gives the board window of a new game.
inline double newBoardWindowWidth(Game& game) {
    return game.main().width() - 120;
}
inline double newBoardWindowHeight(Game& game) {
    return game.main().height() - MDIForm1::kPanelHeight - 510;
}

// Starts a new game from the main menu (the player's name is "Anna" when none was given yet) and
// runs the board's start-up tick, whose BuildLevel makes the level of the plan. The game clock
// stands 10 ms after the key; the wall timers tick first 100 ms later.
inline Form2& startBoard(Game& game, ScriptedPlatform& platform, const LevelPlan& plan = {}) {
    if (game.main().Player.text() == QLatin1String("Player"))
        platform.queueAnswer(QStringLiteral("Anna"));
    queueLevel(platform, plan, newBoardWindowWidth(game), newBoardWindowHeight(game));
    game.keyDown('N', 'N');
    game.advance(10);
    return *game.board();
}
