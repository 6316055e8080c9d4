// Level generation: a new board, the objects scattered on it and the wall effects of the level.
#include "board/form2.h"

#include "shell/game.h"
#include "ui/number.h"
#include "ui/platform.h"

#include <algorithm>

namespace {

// The largest side a layout draws.
constexpr double kLargestSide = 8000;

// The faces of the wall die, and the highest level a monster is given.
constexpr double kWallDie = 4;
constexpr double kMonsterLevels = 9;

// One optional object of a level: placed when its die of `sides` shows less than `below`.
struct OptionalObject {
    ui::Label Form2::*object;
    double sides;
    int below;
    bool monster;
};

// The order of this table is the order of the draws.
constexpr OptionalObject kOptionals[] = {
    {&Form2::Coins, 30, 20, false},  {&Form2::Hit, 20, 5, false},    {&Form2::Food, 20, 5, false},
    {&Form2::PSecret, 20, 3, false}, {&Form2::Trap, 20, 10, false},  {&Form2::Serum, 20, 5, false},
    {&Form2::Monster, 20, 15, true}, {&Form2::Spider, 20, 10, true}, {&Form2::Bat, 20, 5, true},
};

} // namespace

void Form2::BuildLevel() {
    ui::Platform& platform = game_.platform();
    Mio.setVisible(Pic.visible());
    Mio2.setVisible(true);
    if (!Monster.visible() && !Spider.visible())
        Gate.setVisible(true);

    // The wall die switches one of the two wall effects on or off; the other keeps its state.
    platform.reseedFromTime();
    switch (ui::draw(platform, kWallDie)) {
    case 1:
        WalMove.setText(QStringLiteral("1"));
        break;
    case 2:
        WalMove.setText({});
        break;
    case 3:
        WalMove2.setText(QStringLiteral("1"));
        break;
    default:
        WalMove2.setText({});
        break;
    }

    // A board chosen in the path section, or restored from a saved game, is kept.
    if (!InCammino.isSet()) {
        Mio2.setVisible(false);
        if (!MyLoad.isSet())
            LayOutBoard();
        MyLoad.setText({});
    }

    ScatterObject(Gate);
    for (const OptionalObject& optional : kOptionals) {
        ui::Label& object = this->*optional.object;
        object.setVisible(false);
        if (ui::draw(platform, optional.sides) >= optional.below)
            continue;
        object.setVisible(true);
        ScatterObject(object);
        if (optional.monster) {
            object.setText(ui::numberText(ui::draw(platform, kMonsterLevels)));
            Gate.setVisible(false);
        }
    }

    if (PlayerOffBoard()) {
        HandleFall();
        return;
    }
    Wall.setEnabled(true);
    Wall2.setEnabled(true);
}

void Form2::LayOutBoard() {
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
    Pic.setRect({std::max(left, 1.0), std::max(top, 1.0), boardWidth, boardHeight});

    Mio.setTop(boardHeight / 2);
    Mio.setLeft(boardWidth / 2);
}

void Form2::ScatterObject(ui::Label& object) {
    ui::Platform& platform = game_.platform();
    const double top = ui::draw(platform, Pic.height());
    const double left = ui::draw(platform, Pic.width());
    PlaceOnBoard(object, top, left);
}

void Form2::PlaceOnBoard(ui::Label& object, double top, double left) {
    if (left + object.width() > Pic.width())
        left -= object.width();
    if (top + object.height() > Pic.height())
        top -= object.height();
    object.setTop(std::max(top, 1.0));
    object.setLeft(std::max(left, 1.0));
}

bool Form2::PlayerOffBoard() const {
    return Mio.left() < 0 || Mio.left() + Mio.width() > Pic.width() || Mio.top() < 0 ||
           Mio.top() + Mio.height() > Pic.height();
}
