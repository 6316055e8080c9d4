#pragma once

#include "ui/clock.h"
#include "ui/control.h"
#include "ui/label_array.h"
#include "ui/window.h"

class Game;
class MainWindow;

// The board window "Game": the dungeon board board with its objects, the path section's field
// around it, the mode flags and counters as hidden fields, and the board's timers.
class BoardWindow : public ui::Window {
  public:
    explicit BoardWindow(Game& game);

    // The step of a player, on the board and in the path section.
    static constexpr double kStep = 96;
    // The smallest board a layout gives.
    static constexpr double kNarrowestBoard = 3500;
    static constexpr double kLowestBoard = 2500;

    // When the window opens: asks for the name once, starts the start-up and the countdown.
    void onLoad() override;
    // One turn per key.
    void onKeyDown(int keyCode) override;
    // Escape opens the shop.
    void onKeyPress(int charCode) override;

    // The dungeon board and its objects (positions relative to the board).
    ui::Board board;
    ui::Label player;
    ui::Label gate, secretPassage, goldPickup, hitsPickup, foodPickup, serumPickup, quicksand,
        demon, spider, bat;

    // The path section, on the window itself.
    ui::Label pathPlayer, pathTime, pathGold, pathFood;
    // The player's label where the player is now: in the path section, the path player.
    const ui::Label& playerNow() const { return onPath.isSet() ? pathPlayer : player; }
    ui::LabelArray holes;
    ui::LabelArray trail;

    // Counters of the path section ("0" at start).
    ui::HiddenField pathSections, pathPlayerPreviousTop, pathPlayerPreviousLeft, trailMarks;

    // Flags: "1" on, empty off; driftDirection holds "0" to "4".
    ui::HiddenField loadPending, boardFromPath, onPath, closingWallOn, driftOn, driftDirection,
        gameOver, stuckInQuicksand;

    ui::Timer startUp;        // 10 ms, once
    ui::Timer closingWall;    // 100 ms, closing right wall
    ui::Timer drift;          // 100 ms, drifting board
    ui::Timer quicksandTimer; // 1000 ms, quicksand

    // The player back on the board's middle, alive, with room to stand and step (a continue, a
    // load).
    void revive();

    // Level generation.
    void buildLevel();
    void layOutBoard();
    void scatter(ui::Label& object);
    bool playerOffBoard() const;

    // A pick-up of the board or the path section: the stat it adds 1 to 10 to, and its message.
    struct PickUp {
        ui::Label BoardWindow::*object;
        ui::Label MainWindow::*stat;
        const char* message;
    };

    // The one contact test between an object and a player label (on the board or in the path
    // section).
    static bool touches(const ui::Label& object, const ui::Label& player);
    // Whether the dungeon player's step for an arrow key (any other key stands) stays on the
    // board; a step that would not is a fall.
    static bool stepStaysOnBoard(const ui::Label& player, const ui::Board& board, int keyCode);

    void collectPickups();
    void fight();
    void buildPath();
    void collectPathPickups();
    void fallIntoRavine();
    void fallIntoHole();

  protected:
    void onUnload() override;

  private:
    void startUpTick();
    void closingWallTick();
    void driftTick();
    void quicksandTick();
    void connectLegend();
    // Adds a draw from 10 to the stat, hides the pick-up and says so.
    void collectPickup(const PickUp& pickUp);
    // Puts an object at top, left, folded back by its own size where it passes the board's
    // right or bottom edge, and never above or left of 1.
    void placeOnBoard(ui::Label& object, double top, double left);

    // Legend: a click on an object shows what it is.
    void describePlayer();
    void describeGate();
    void describeSecretPassage();
    void describeGold();
    void describeHits();
    void describeFood();
    void describeSerum();
    void describeQuicksand();
    void describeDemon();
    void describeSpider();
    void describeBat();
    void describePathTime();
    void describeHole();

    Game& game_;
};
