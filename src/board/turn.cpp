// One turn per key on the board: the monsters hunt, the player steps, what the step meets acts,
// and the gate comes to the centre once the demon and the spider are gone. Escape opens the shop.
#include "board/form2.h"

#include "shell/game.h"
#include "ui/number.h"
#include "ui/platform.h"

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
bool stepOnBoard(ui::Label& mio, const ui::Board& pic, int keyCode) {
    constexpr double step = Form2::kStep;
    switch (keyCode) {
    case keys::Left:
        if (mio.left() < step)
            return false;
        mio.setLeft(mio.left() - step);
        return true;
    case keys::Right:
        if (mio.left() + mio.width() + step > pic.width())
            return false;
        mio.setLeft(mio.left() + step);
        return true;
    case keys::Up:
        if (mio.top() < step)
            return false;
        mio.setTop(mio.top() - step);
        return true;
    case keys::Down:
        if (mio.top() + mio.height() + step > pic.height())
            return false;
        mio.setTop(mio.top() + step);
        return true;
    default:
        return true;
    }
}

// Lays the next trail mark where the path player stands.
void layTrailMark(Form2& board) {
    ui::addTo(board.TrackM, 1);
    const auto mark = ui::readNumber(board.TrackM.text());
    if (!mark || *mark < 1 || *mark > std::numeric_limits<int>::max())
        return;
    ui::Label& element = board.Track.load(static_cast<int>(*mark));
    element.setVisible(true);
    element.setTop(board.Mio2.top());
    element.setLeft(board.Mio2.left());
}

// Steps the path player, kept inside the board window.
void stepOnPath(Form2& board, int keyCode) {
    ui::Label& mio2 = board.Mio2;
    constexpr double step = Form2::kStep;
    switch (keyCode) {
    case keys::Left:
        mio2.setLeft(std::max(mio2.left() - step, kPathNearEdge));
        break;
    case keys::Right:
        mio2.setLeft(std::min(mio2.left() + step, board.width() - kPathFarEdge));
        break;
    case keys::Up:
        mio2.setTop(std::max(mio2.top() - step, kPathNearEdge));
        break;
    case keys::Down:
        mio2.setTop(std::min(mio2.top() + step, board.height() - kPathFarEdge));
        break;
    default:
        break;
    }
}

} // namespace

void Form2::Form_KeyDown(int keyCode) {
    if (!GameOver.isSet()) {
        // The monsters jump before the player moves, so they hunt where the player stood.
        for (ui::Label* monster : {&Monster, &Spider, &Bat})
            if (monster->visible())
                hunt(*monster, Mio, ui::draw(game_.platform(), kHuntDie));

        if (!G.isSet()) {
            if (Camin.text().isEmpty()) {
                if (!stepOnBoard(Mio, Pic, keyCode)) {
                    HandleFall();
                    return;
                }
                CheckPickup();
                // A game lost during the pick-up (a rebuilt level with the player off the
                // board) is not lost a second time by the combat check.
                if (!GameOver.isSet())
                    Fight();
            } else if (Camin.text() == QLatin1String("1")) {
                layTrailMark(*this);
                MioCorX.setText(ui::numberText(Mio2.top()));
                MioCorY.setText(ui::numberText(Mio2.left()));
                stepOnPath(*this, keyCode);
                CheckPathPickup();
                return;
            }
        }
    }

    // The bat does not guard the gate.
    if (!Monster.visible() && !Spider.visible()) {
        Gate.setVisible(true);
        Gate.setTop(Pic.height() / 2);
        Gate.setLeft(Pic.width() / 2);
    }
}

void Form2::Form_KeyPress(int charCode) {
    if (charCode != keys::Escape)
        return;
    game_.openShop();
    // The shop enables the board again when it closes.
    setEnabled(false);
}
