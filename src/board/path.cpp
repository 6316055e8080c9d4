// The path section between two levels: an open field of holes and pick-ups on the board window,
// with the next board hidden somewhere in it as the exit.
#include "board/board_window.h"

#include "shell/game.h"
#include "ui/flag.h"
#include "ui/platform.h"
#include "ui/stat.h"

#include <algorithm>

namespace {

constexpr int kHoles = 31;
// Path sections whose trail stays on the field; the next one wipes it.
constexpr double kTrailSections = 6;

// The path's pick-ups in the order they are placed and collected.
constexpr BoardWindow::PickUp kPathPickUps[] = {
    {&BoardWindow::pathFood, &MainWindow::food, "You got the foods"},
    {&BoardWindow::pathGold, &MainWindow::gold, "You got the gold"},
    {&BoardWindow::pathTime, &MainWindow::timeLeft, "You got the time"},
};

} // namespace

void BoardWindow::buildPath() {
    ui::Platform& platform = game_.platform();
    ui::Counter sections(pathSections);
    sections.add(1);
    game_.mainWindow().statusTimer.setEnabled(true);
    if (sections.above(kTrailSections)) {
        // The old trail is wiped, and its marks are freed rather than kept hidden.
        trail.unloadAll();
        sections.set(0);
    }

    for (int i = 0; i < kHoles; ++i) {
        const double top = ui::draw(platform, height());
        const double left = ui::draw(platform, width());
        ui::Label& hole = holes.load(i);
        hole.setVisible(true);
        hole.setTop(top);
        hole.setLeft(left);
    }
    for (const PickUp& pickUp : kPathPickUps) {
        // Anywhere in the window, folded back by the hidden board's size.
        ui::Label& object = this->*pickUp.object;
        const double top = ui::draw(platform, height());
        const double left = ui::draw(platform, width());
        placeOnBoard(object, top, left);
        object.setVisible(true);
    }
    ui::Flag(onPath).set();

    // The first path section starts at the old board's corner; later ones where the player
    // stood before the last step of the section before.
    ui::Counter previousTop(pathPlayerPreviousTop), previousLeft(pathPlayerPreviousLeft);
    if (previousTop.value() == 0.0)
        previousTop.set(board.top());
    if (previousLeft.value() == 0.0)
        previousLeft.set(board.left());
    pathPlayer.setVisible(true);
    if (const auto top = previousTop.value())
        pathPlayer.setTop(*top);
    if (const auto left = previousLeft.value())
        pathPlayer.setLeft(*left);
    board.setVisible(false);
}

void BoardWindow::collectPathPickups() {
    // Every pick-up touched is taken in the same move.
    for (const PickUp& pickUp : kPathPickUps) {
        const ui::Label& object = this->*pickUp.object;
        if (object.visible() && touches(object, pathPlayer))
            collectPickup(pickUp);
    }

    for (int i = 0; i < holes.count(); ++i) {
        if (!holes.isLoaded(i))
            continue;
        ui::Label& hole = holes[i];
        if (hole.visible() && pathPlayer.visible() && touches(hole, pathPlayer)) {
            hole.setVisible(false);
            fallIntoHole();
            return;
        }
    }

    // The exit is chosen on the first move: the next board, laid out but not shown.
    if (!boardFromPath.isSet()) {
        game_.platform().reseedFor(ui::Reseed::PathExit);
        layOutBoard();
        ui::Flag(boardFromPath).set();
    }
    const bool reached =
        pathPlayer.left() >= board.left() && board.left() + board.width() >= pathPlayer.left() &&
        pathPlayer.top() >= board.top() && board.top() + board.height() >= pathPlayer.top();
    if (!reached)
        return;
    board.setVisible(true);
    MainWindow& status = game_.mainWindow();
    ui::Stat(status.level).add(1);
    status.setMessage(QStringLiteral("New level"));
    player.setTop(board.height() / 2);
    player.setLeft(board.width() / 2);
    pathPlayer.setVisible(false);
    ui::Flag(onPath).clear();
    buildLevel();
}
