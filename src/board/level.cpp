// Level generation: a new board, the objects scattered on it and the wall effects of the level.
#include "board/board_window.h"

#include "shell/game.h"
#include "ui/flag.h"
#include "ui/platform.h"
#include "ui/stat.h"

#include <algorithm>

namespace {

// The largest side a layout draws.
constexpr double kLargestSide = 8000;

// The faces of the wall die, and the highest level a monster is given.
constexpr double kWallDie = 4;
constexpr double kMonsterLevels = 9;

// One optional object of a level: placed when its die of `sides` shows less than `below`.
struct OptionalObject {
    ui::Label BoardWindow::*object;
    double sides;
    int below;
    bool monster;
};

// The order of this table is the order of the draws.
constexpr OptionalObject kOptionals[] = {
    {&BoardWindow::goldPickup, 30, 20, false}, {&BoardWindow::hitsPickup, 20, 5, false},
    {&BoardWindow::foodPickup, 20, 5, false},  {&BoardWindow::secretPassage, 20, 3, false},
    {&BoardWindow::quicksand, 20, 10, false},  {&BoardWindow::serumPickup, 20, 5, false},
    {&BoardWindow::demon, 20, 15, true},       {&BoardWindow::spider, 20, 10, true},
    {&BoardWindow::bat, 20, 5, true},
};

} // namespace

void BoardWindow::buildLevel() {
    ui::Platform& platform = game_.platform();
    player.setVisible(board.visible());
    pathPlayer.setVisible(true);
    if (!demon.visible() && !spider.visible())
        gate.setVisible(true);

    // The wall die switches one of the two wall effects on or off; the other keeps its state.
    platform.reseedFor(ui::Reseed::Level);
    switch (ui::draw(platform, kWallDie)) {
    case 1:
        ui::Flag(closingWallOn).set();
        break;
    case 2:
        ui::Flag(closingWallOn).clear();
        break;
    case 3:
        ui::Flag(driftOn).set();
        break;
    default:
        ui::Flag(driftOn).clear();
        break;
    }

    // A board chosen in the path section, or restored from a saved game, is kept.
    if (!boardFromPath.isSet()) {
        pathPlayer.setVisible(false);
        if (!loadPending.isSet())
            layOutBoard();
        ui::Flag(loadPending).clear();
    }

    scatter(gate);
    for (const OptionalObject& optional : kOptionals) {
        ui::Label& object = this->*optional.object;
        object.setVisible(false);
        if (ui::draw(platform, optional.sides) >= optional.below)
            continue;
        object.setVisible(true);
        scatter(object);
        if (optional.monster) {
            ui::Stat(object).set(ui::draw(platform, kMonsterLevels));
            gate.setVisible(false);
        }
    }

    if (playerOffBoard()) {
        fallIntoRavine();
        return;
    }
    closingWall.setEnabled(true);
    drift.setEnabled(true);
}

void BoardWindow::layOutBoard() {
    ui::Platform& platform = game_.platform();
    const double windowHeight = height();
    const double windowWidth = width();
    double top = ui::draw(platform, windowHeight);
    double left = ui::draw(platform, windowWidth);
    const double boardWidth = std::max<double>(ui::draw(platform, kLargestSide), kNarrowestBoard);
    const double boardHeight = std::max<double>(ui::draw(platform, kLargestSide), kLowestBoard);

    // A board running past the window's edge is moved back by its own size, but never above or
    // left of the window: a board larger than the window starts at 1.
    if (left + boardWidth > windowWidth)
        left -= boardWidth;
    if (top + boardHeight > windowHeight)
        top -= boardHeight;
    board.setRect({std::max(left, 1.0), std::max(top, 1.0), boardWidth, boardHeight});

    player.setTop(boardHeight / 2);
    player.setLeft(boardWidth / 2);
}

void BoardWindow::scatter(ui::Label& object) {
    ui::Platform& platform = game_.platform();
    const double top = ui::draw(platform, board.height());
    const double left = ui::draw(platform, board.width());
    placeOnBoard(object, top, left);
}

void BoardWindow::placeOnBoard(ui::Label& object, double top, double left) {
    if (left + object.width() > board.width())
        left -= object.width();
    if (top + object.height() > board.height())
        top -= object.height();
    object.setTop(std::max(top, 1.0));
    object.setLeft(std::max(left, 1.0));
}

bool BoardWindow::playerOffBoard() const {
    return player.left() < 0 || player.left() + player.width() > board.width() ||
           player.top() < 0 || player.top() + player.height() > board.height();
}
