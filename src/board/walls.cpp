// The timed walls: the board's right edge closing in, and the whole board drifting.
#include "board/board_window.h"

#include "shell/game.h"
#include "ui/platform.h"
#include "ui/stat.h"

namespace {

constexpr double kWallStep = 8;    // board width lost per closing-wall tick
constexpr double kFallWidth = 100; // below this board width the player falls
constexpr double kDriftStep = 100; // board movement per drift tick
constexpr double kNearMargin = 50; // smallest board top and left while drifting
constexpr double kFarMargin = 280; // kept inside the window's bottom and right after a bump

// The way the board drifts; None until the first direction is drawn.
enum class Drift { None, Up, Down, Left, Right };
using DriftDirection = ui::Choice<Drift, Drift::Right>;
constexpr double kDirections = 4;

// Moves the board one drift step in its direction and pulls it back from the first window edge it
// has run past. True when it bumped into an edge.
bool driftBoard(ui::Board& board, std::optional<Drift> direction, double windowWidth,
                double windowHeight) {
    if (direction == Drift::Up)
        board.setTop(board.top() - kDriftStep);
    else if (direction == Drift::Down)
        board.setTop(board.top() + kDriftStep);
    else if (direction == Drift::Left)
        board.setLeft(board.left() - kDriftStep);
    else if (direction == Drift::Right)
        board.setLeft(board.left() + kDriftStep);

    // Only the first edge the board bumps into is dealt with.
    if (board.top() < kNearMargin)
        board.setTop(kNearMargin);
    else if (board.top() + board.height() > windowHeight)
        board.setTop(windowHeight - board.height() - kFarMargin);
    else if (board.left() + board.width() > windowWidth)
        board.setLeft(windowWidth - board.width() - kFarMargin);
    else if (board.left() < kNearMargin)
        board.setLeft(kNearMargin);
    else
        return false;
    return true;
}

} // namespace

void BoardWindow::closingWallTick() {
    if (!player.visible())
        closingWall.setEnabled(false);
    if (onPath.isSet() || !closingWallOn.isSet())
        return;

    board.setWidth(board.width() - kWallStep);
    if (board.width() < kFallWidth) {
        fallIntoRavine();
        return;
    }
    // The gate is pushed along in front of the wall; everything else is cut off by it.
    if (gate.left() + gate.width() > board.width())
        gate.setLeft(board.width() - gate.width());
    if (playerOffBoard())
        fallIntoRavine();
}

void BoardWindow::driftTick() {
    DriftDirection direction(driftDirection);
    if (direction.value() != Drift::None) {
        if (!player.visible())
            drift.setEnabled(false);
        if (onPath.isSet()) {
            drift.setEnabled(false);
            return;
        }
        if (driftOn.isSet() && !driftBoard(board, direction.value(), width(), height()))
            return;
    }
    // A new direction, possibly the same one again.
    ui::Platform& platform = game_.platform();
    platform.reseedFor(ui::Reseed::Drift);
    direction.set(static_cast<Drift>(ui::draw(platform, kDirections)));
}
