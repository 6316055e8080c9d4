// What the dungeon player steps on: the gate, the four pick-ups, the secret passage, quicksand.
#include "board/board_window.h"

#include "shell/game.h"
#include "ui/flag.h"
#include "ui/platform.h"
#include "ui/stat.h"

namespace {

// The most a pick-up gives.
constexpr double kPickUpDie = 10;
// Levels skipped by the secret passage.
constexpr double kPassageLevels = 2;

// The board's pick-ups in the order they are tested.
constexpr BoardWindow::PickUp kPickUps[] = {
    {&BoardWindow::goldPickup, &MainWindow::gold, "You got the gold"},
    {&BoardWindow::hitsPickup, &MainWindow::hits, "You got the hits"},
    {&BoardWindow::foodPickup, &MainWindow::food, "You got the foods"},
    {&BoardWindow::serumPickup, &MainWindow::serum, "You got the serum"},
};

} // namespace

bool BoardWindow::touches(const ui::Label& object, const ui::Label& player) {
    // A step's length to the object's left, its own width to its right, and the player's height
    // above and below it.
    return player.left() > object.left() - kStep &&
           player.left() < object.left() + object.width() &&
           object.top() > player.top() - player.height() &&
           object.top() < player.top() + player.height();
}

void BoardWindow::collectPickup(const PickUp& pickUp) {
    MainWindow& status = game_.mainWindow();
    ui::Stat(status.*pickUp.stat).add(ui::draw(game_.platform(), kPickUpDie));
    (this->*pickUp.object).setVisible(false);
    status.setMessage(QString::fromLatin1(pickUp.message));
}

void BoardWindow::collectPickups() {
    const auto touching = [this](const ui::Label& object) {
        return object.visible() && touches(object, player);
    };
    // Only the first touching object acts in a turn.
    if (touching(gate)) {
        board.setVisible(false);
        ui::Flag(boardFromPath).clear();
        buildPath();
        return;
    }
    for (const PickUp& pickUp : kPickUps) {
        if (touching(this->*pickUp.object)) {
            collectPickup(pickUp);
            return;
        }
    }
    MainWindow& status = game_.mainWindow();
    if (touching(secretPassage)) {
        ui::Stat(status.level).add(kPassageLevels);
        status.setMessage(QStringLiteral("Secret passage +2 Level!"));
        player.setTop(board.height() / 2);
        player.setLeft(board.width() / 2);
        buildLevel();
        return;
    }
    if (touching(quicksand)) {
        // Held until the quicksand timer lets go.
        ui::Flag(stuckInQuicksand).set();
        quicksandTimer.setEnabled(true);
    }
}
