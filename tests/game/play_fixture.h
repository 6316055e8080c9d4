#pragma once

// A started board for tests of the turn: keys, pick-ups, combat, the path section and falls.

#include "board_helpers.h"
#include "game_fixture.h"
#include "shell/form5.h"

class PlayTest : public GameTest {
  protected:
    // The level of the plan (default: a 4000 x 3000 board at 600, 600 with the player at its
    // centre 2000, 1500 and no object but the gate at 120, 120). The drifting wall's timer is
    // stopped so that time may pass without draws.
    Form2& start(const LevelPlan& plan = {}) {
        Form2& board = startBoard(game, platform, plan);
        board.Wall2.setEnabled(false);
        return board;
    }

    static void put(ui::Label& label, double left, double top, bool visible = true) {
        label.setLeft(left);
        label.setTop(top);
        label.setVisible(visible);
    }

    // The draws of one more BuildLevel on the open board.
    void queueBuild(const LevelPlan& plan) {
        queueLevel(platform, plan, game.board()->width(), game.board()->height());
    }

    // The draws of the exit's layout in the path section: Top, Left, Width, Height.
    void queueExit(const ui::Rect& exit) {
        Form2& board = *game.board();
        queueDrawOf(platform, exit.top, board.height());
        queueDrawOf(platform, exit.left, board.width());
        queueDrawOf(platform, exit.width, 8000);
        queueDrawOf(platform, exit.height, 8000);
    }

    // The draws of BuildPath: every hole at the same spot, then the food, gold and time pick-ups
    // (Top, Left each; drawn inside the hidden board so that nothing folds back).
    void queuePath(double holeLeft, double holeTop, const ui::Rect& food = {100, 100, 0, 0},
                   const ui::Rect& gold = {100, 100, 0, 0},
                   const ui::Rect& time = {100, 100, 0, 0}) {
        Form2& board = *game.board();
        for (int i = 0; i < 31; ++i) {
            queueDrawOf(platform, holeTop, board.height());
            queueDrawOf(platform, holeLeft, board.width());
        }
        for (const ui::Rect* pickUp : {&food, &gold, &time}) {
            queueDrawOf(platform, pickUp->top, board.height());
            queueDrawOf(platform, pickUp->left, board.width());
        }
    }

    int gameOverWindows() {
        int n = 0;
        for (ui::Window* window : game.scene().windows())
            n += dynamic_cast<Form5*>(window) ? 1 : 0;
        return n;
    }
};
