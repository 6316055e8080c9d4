// The ravine: a player off the board or in a hole is saved once by the rope, or the game is over.
#include "board/form2.h"

#include "shell/game.h"

namespace {

// The status timer's pace after a lost game.
constexpr int kStatusInterval = 3000;

// Spends the rope, if the player carries one, on a new level with the player at the board's
// centre; the level number stays. A rescue in the path section (from a hole, or a blow in the
// turn that reached the gate) leaves the path player walking on, visible, from where he was:
// the rebuild would hide him, and a hidden player can no longer fall into a hole.
bool useRope(Form2& board, MDIForm1& status) {
    if (!status.hasRope())
        return false;
    status.setMessage(QStringLiteral("You used the rope!"));
    board.Mio.setTop(board.Pic.height() / 2);
    board.Mio.setLeft(board.Pic.width() / 2);
    status.setRope(false);
    board.BuildLevel();
    if (board.Camin.isSet() && !board.GameOver.isSet())
        board.Mio2.setVisible(true);
    return true;
}

// The game is lost: the clock and the wall stop, the board takes no more keys, and the shop
// opens behind the game-over screen.
void endGame(Form2& board, Game& game, const QString& message) {
    MDIForm1& status = game.main();
    board.Mio.setVisible(false);
    status.Energy.setText(QStringLiteral("0"));
    status.setMessage(message);
    board.GameOver.setText(QStringLiteral("1"));
    status.Timer2.setInterval(kStatusInterval);
    status.Timer1.setEnabled(false);
    board.Wall.setEnabled(false);
    game.openShop();
    board.setEnabled(false);
    game.openGameOver();
}

} // namespace

void Form2::HandleFall() {
    if (useRope(*this, game_.main()))
        return;
    endGame(*this, game_, QStringLiteral("Game Over. You have fallen into the ravine"));
}

void Form2::HandlePathFall() {
    if (useRope(*this, game_.main()))
        return;
    Mio2.setVisible(false);
    endGame(*this, game_, QStringLiteral("Game Over."));
}
