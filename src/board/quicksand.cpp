// The quicksand: the trap's digit counts the stop down, then the player is free and the trap moves
// or vanishes.
#include "board/board_window.h"

#include "shell/game.h"
#include "ui/flag.h"
#include "ui/platform.h"
#include "ui/stat.h"

namespace {

constexpr double kStopSeconds = 5;
// The trap comes back elsewhere when a draw from 20 is below 10.
constexpr double kReturnDie = 20;
constexpr int kReturnsBelow = 10;

} // namespace

void BoardWindow::quicksandTick() {
    ui::Stat secondsLeft(quicksand);
    secondsLeft.add(-1);
    // A caption that holds no number ends the stop as well, so the player is never held for good.
    if (!secondsLeft.atMost(0))
        return;

    quicksand.setVisible(false);
    quicksandTimer.setEnabled(false);
    secondsLeft.set(kStopSeconds);
    ui::Flag(stuckInQuicksand).clear();
    if (ui::draw(game_.platform(), kReturnDie) < kReturnsBelow) {
        quicksand.setVisible(true);
        scatter(quicksand);
    }
}
