// The ravine: a player off the board or in a hole is saved once by the rope, or the game is over.
#include "board/board_window.h"

#include "shell/game.h"
#include "ui/flag.h"

namespace {

// The status timer's pace after a lost game.
constexpr int kStatusInterval = 3000;

// Spends the rope, if the player carries one, on a new level with the player at the board's
// centre; the level number stays. A rescue in the path section (from a hole, or a blow in the
// turn that reached the gate) leaves the path player walking on, visible, from where he was:
// the rebuild would hide him, and a hidden player can no longer fall into a hole.
bool useRope(BoardWindow& boardWindow, MainWindow& status) {
    if (!status.hasRope())
        return false;
    status.setMessage(QStringLiteral("You used the rope!"));
    boardWindow.player.setTop(boardWindow.board.height() / 2);
    boardWindow.player.setLeft(boardWindow.board.width() / 2);
    status.setRope(false);
    boardWindow.buildLevel();
    if (boardWindow.onPath.isSet() && !boardWindow.gameOver.isSet())
        boardWindow.pathPlayer.setVisible(true);
    return true;
}

// The game is lost: the clock and the wall stop, the board takes no more keys, and the shop
// opens behind the game-over screen.
void endGame(BoardWindow& boardWindow, Game& game, const QString& message, Ending ending) {
    game.loseGame(message, ending);
    game.mainWindow().statusTimer.setInterval(kStatusInterval);
    game.openShop();
    boardWindow.setEnabled(false);
    game.openGameOver();
}

} // namespace

void BoardWindow::revive() {
    // A board the closing wall has narrowed (or a hand-edited one) may have no room left for the
    // player at its middle and one step: it gets the size of the smallest laid-out board back.
    if (board.width() < 2 * (player.width() + kStep))
        board.setWidth(kNarrowestBoard);
    if (board.height() < 2 * (player.height() + kStep))
        board.setHeight(kLowestBoard);
    ui::Flag(gameOver).clear();
    player.setVisible(true);
    pathPlayer.setVisible(true);
    player.setTop(board.height() / 2);
    player.setLeft(board.width() / 2);
}

void BoardWindow::fallIntoRavine() {
    if (useRope(*this, game_.mainWindow()))
        return;
    endGame(*this, game_, QStringLiteral("Game Over. You have fallen into the ravine"),
            Ending::Ravine);
}

void BoardWindow::fallIntoHole() {
    if (useRope(*this, game_.mainWindow()))
        return;
    pathPlayer.setVisible(false);
    endGame(*this, game_, QStringLiteral("Game Over."), Ending::Hole);
}
