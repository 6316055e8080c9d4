// The game clock of the main window: the countdown counts the time down once a second, the status
// timer clears the message line and lets the countdown run only while the board is shown.
#include "board/board_window.h"
#include "shell/game.h"
#include "shell/main_window.h"
#include "shell/menu_window.h"
#include "ui/stat.h"

void MainWindow::countdownTick() {
    if (ui::Stat(level).atLeast(99)) {
        if (MenuWindow* menu = game_.menu())
            game_.close(*menu);
        game_.openFinale();
        return;
    }
    ui::Stat secondsLeft(timeLeft);
    secondsLeft.add(-1);
    if (!secondsLeft.atMost(1))
        return;
    secondsLeft.set(0);
    game_.loseGame(QStringLiteral("Game Over. Sorry. No time."), Ending::OutOfTime);
}

void MainWindow::statusTick() {
    BoardWindow* boardWindow = game_.boardWindow();
    const bool boardShown = boardWindow && boardWindow->board.visible();
    if (boardShown)
        boardWindow->pathPlayer.setVisible(false);
    countdown.setEnabled(boardShown);
    setMessage({});
}
