// One turn per key on the board: the monsters hunt, the player steps, what the step meets acts,
// and the gate comes to the centre once the demon and the spider are gone. Escape opens the shop.
#include "board/board_window.h"

#include "shell/game.h"
#include "ui/keys.h"
#include "ui/platform.h"
#include "ui/stat.h"

#include <algorithm>
#include <limits>

namespace {

// A hunting monster's draw: eight places next to the player.
constexpr double kHuntDie = 8;
// How far the path player stays from the window's edges.
constexpr double kPathNearEdge = 50;
constexpr double kPathFarEdge = 280;

// A hunting monster jumps next to the player: r from 1 to 8 picks the row or column, with the
// row above and the column to the left twice as likely as the others.
void hunt(ui::Label& monster, const ui::Label& player, int r) {
    switch (r) {
    case 1:
        monster.setTop(player.top());
        break;
    case 2:
        monster.setLeft(player.left());
        break;
    case 3:
        monster.setTop(player.top() + player.height());
        break;
    case 4:
        monster.setLeft(player.left() + player.width());
        break;
    case 5:
    case 7:
        monster.setTop(player.top() - player.height());
        break;
    default:
        monster.setLeft(player.left() - player.width());
        break;
    }
}

// Steps the dungeon player in the arrow's direction. A step that would leave the board is not
// made: the result is false and the player falls.
bool stepOnBoard(ui::Label& player, const ui::Board& board, int keyCode) {
    if (!BoardWindow::stepStaysOnBoard(player, board, keyCode))
        return false;
    constexpr double step = BoardWindow::kStep;
    switch (keyCode) {
    case keys::Left:
        player.setLeft(player.left() - step);
        break;
    case keys::Right:
        player.setLeft(player.left() + step);
        break;
    case keys::Up:
        player.setTop(player.top() - step);
        break;
    case keys::Down:
        player.setTop(player.top() + step);
        break;
    default:
        break;
    }
    return true;
}

// Lays the next trail mark where the path player stands.
void layTrailMark(BoardWindow& boardWindow) {
    ui::Counter marks(boardWindow.trailMarks);
    marks.add(1);
    const auto mark = marks.value();
    if (!mark || *mark < 1 || *mark > std::numeric_limits<int>::max())
        return;
    // Placed before it is shown, so that only its place is drawn anew.
    ui::Label& element = boardWindow.trail.load(static_cast<int>(*mark));
    element.setTop(boardWindow.pathPlayer.top());
    element.setLeft(boardWindow.pathPlayer.left());
    element.setVisible(true);
}

// Steps the path player, kept inside the board window.
void stepOnPath(BoardWindow& boardWindow, int keyCode) {
    ui::Label& pathPlayer = boardWindow.pathPlayer;
    constexpr double step = BoardWindow::kStep;
    switch (keyCode) {
    case keys::Left:
        pathPlayer.setLeft(std::max(pathPlayer.left() - step, kPathNearEdge));
        break;
    case keys::Right:
        pathPlayer.setLeft(std::min(pathPlayer.left() + step, boardWindow.width() - kPathFarEdge));
        break;
    case keys::Up:
        pathPlayer.setTop(std::max(pathPlayer.top() - step, kPathNearEdge));
        break;
    case keys::Down:
        pathPlayer.setTop(std::min(pathPlayer.top() + step, boardWindow.height() - kPathFarEdge));
        break;
    default:
        break;
    }
}

} // namespace

bool BoardWindow::stepStaysOnBoard(const ui::Label& player, const ui::Board& board, int keyCode) {
    switch (keyCode) {
    case keys::Left:
        return player.left() >= kStep;
    case keys::Right:
        return player.left() + player.width() + kStep <= board.width();
    case keys::Up:
        return player.top() >= kStep;
    case keys::Down:
        return player.top() + player.height() + kStep <= board.height();
    default:
        return true;
    }
}

void BoardWindow::onKeyDown(int keyCode) {
    if (!gameOver.isSet()) {
        // The monsters jump before the player moves, so they hunt where the player stood.
        for (ui::Label* monster : {&demon, &spider, &bat})
            if (monster->visible())
                hunt(*monster, player, ui::draw(game_.platform(), kHuntDie));

        if (!stuckInQuicksand.isSet()) {
            if (!onPath.isSet()) {
                if (!stepOnBoard(player, board, keyCode)) {
                    fallIntoRavine();
                    return;
                }
                collectPickups();
                // A game lost during the pick-up (a rebuilt level with the player off the
                // board) is not lost a second time by the combat check.
                if (!gameOver.isSet())
                    fight();
            } else {
                layTrailMark(*this);
                ui::Counter(pathPlayerPreviousTop).set(pathPlayer.top());
                ui::Counter(pathPlayerPreviousLeft).set(pathPlayer.left());
                stepOnPath(*this, keyCode);
                collectPathPickups();
                return;
            }
        }
    }

    // The bat does not guard the gate.
    if (!demon.visible() && !spider.visible()) {
        gate.setVisible(true);
        gate.setTop(board.height() / 2);
        gate.setLeft(board.width() / 2);
    }
}

void BoardWindow::onKeyPress(int charCode) {
    if (charCode != keys::Escape)
        return;
    game_.openShop();
    // The shop enables the board again when it closes.
    setEnabled(false);
}
