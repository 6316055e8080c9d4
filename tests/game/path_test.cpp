// The path section: entering it at the gate, its pick-ups and holes, the hidden exit, and the
// trail of marks.
#include "game_fixture.h"

#include <algorithm>
#include <tuple>

namespace {

// Holes are queued far from where the path player walks (the old board's corner, 600, 600).
constexpr double kHoleLeft = 9000;
constexpr double kHoleTop = 6000;

class PathTest : public GameTest {
  protected:
    PathTest() : boardWindow(start()) {}

    // Steps onto the gate from the dungeon board: buildPath puts every hole at kHoleLeft,
    // kHoleTop and the food, gold and time at 100, 100 (inside the hidden board: no fold).
    void enterPath() {
        for (int i = 0; i < 31 + 3; ++i) {
            queueDraw(i < 31 ? kHoleTop : 100, boardWindow.height());
            queueDraw(i < 31 ? kHoleLeft : 100, boardWindow.width());
        }
        put(boardWindow.gate, boardWindow.player.left(), boardWindow.player.top());
        press('A');
        ASSERT_TRUE(platform.randoms.empty());
    }

    // The draws of the exit's layout on the first move: Top, Left, Width, Height.
    void queueExit(const ui::Rect& exit) {
        queueDraw(exit.top, boardWindow.height());
        queueDraw(exit.left, boardWindow.width());
        queueDraw(exit.width, 8000);
        queueDraw(exit.height, 8000);
    }

    // The exit's board, kept by the next build.
    void queueKeptLevel(const ui::Rect& exit = {600, 600, 4000, 3000}) {
        LevelPlan next;
        next.newBoard = false;
        next.board = exit;
        queueBuild(next);
    }

    BoardWindow& boardWindow;
};

} // namespace

TEST_F(PathTest, GateLeadsThroughThePathToTheNextLevel) {
    enterPath();
    EXPECT_FALSE(boardWindow.board.visible());
    EXPECT_EQ(boardWindow.onPath.text(), QStringLiteral("1"));
    EXPECT_EQ(boardWindow.pathSections.text(), QStringLiteral("1"));
    EXPECT_TRUE(status().statusTimer.enabled());
    EXPECT_EQ(boardWindow.holes.loadedCount(), 31);
    EXPECT_TRUE(boardWindow.holes[30].visible());
    EXPECT_DOUBLE_EQ(boardWindow.holes[30].left(), kHoleLeft);
    EXPECT_TRUE(boardWindow.pathFood.visible() && boardWindow.pathGold.visible() &&
                boardWindow.pathTime.visible());
    // The first section starts at the old board's top-left corner.
    EXPECT_TRUE(boardWindow.pathPlayer.visible());
    EXPECT_DOUBLE_EQ(boardWindow.pathPlayer.left(), 600);
    EXPECT_DOUBLE_EQ(boardWindow.pathPlayer.top(), 600);

    // The first move chooses the exit at 700, 500: not reached yet.
    const int reseeds = platform.reseeds;
    queueExit({700, 500, 4000, 3000});
    press(keys::Right);
    EXPECT_EQ(platform.reseeds, reseeds + 1);
    EXPECT_EQ(boardWindow.boardFromPath.text(), QStringLiteral("1"));
    EXPECT_FALSE(boardWindow.board.visible());
    EXPECT_DOUBLE_EQ(boardWindow.board.left(), 700);
    EXPECT_EQ(status().level.text(), QStringLiteral("1"));

    queueKeptLevel({700, 500, 4000, 3000});
    press(keys::Right);
    EXPECT_TRUE(platform.randoms.empty());
    EXPECT_TRUE(boardWindow.board.visible());
    EXPECT_DOUBLE_EQ(boardWindow.board.left(), 700);
    EXPECT_DOUBLE_EQ(boardWindow.board.top(), 500);
    EXPECT_EQ(status().level.text(), QStringLiteral("2"));
    EXPECT_EQ(status().message(), QStringLiteral("New level"));
    EXPECT_FALSE(boardWindow.onPath.isSet());
    EXPECT_TRUE(boardWindow.player.visible());
    EXPECT_DOUBLE_EQ(boardWindow.player.left(), 2000);
    EXPECT_DOUBLE_EQ(boardWindow.player.top(), 1500);

    // The next section starts where the last step of this one began.
    enterPath();
    EXPECT_EQ(boardWindow.pathSections.text(), QStringLiteral("2"));
    EXPECT_DOUBLE_EQ(boardWindow.pathPlayer.left(), 696);
    EXPECT_DOUBLE_EQ(boardWindow.pathPlayer.top(), 600);
}

TEST_F(PathTest, AllTouchingPickUpsAreTakenInOneMove) {
    enterPath();
    for (ui::Label* pickUp : {&boardWindow.pathFood, &boardWindow.pathGold, &boardWindow.pathTime})
        put(*pickUp, 696, 600);
    platform.queueDraw(3, 10);
    platform.queueDraw(4, 10);
    platform.queueDraw(5, 10);
    queueExit({5000, 5000, 3500, 2500});
    press(keys::Right);
    EXPECT_EQ(status().food.text(), QStringLiteral("23"));
    EXPECT_EQ(status().gold.text(), QStringLiteral("14"));
    EXPECT_EQ(status().timeLeft.text(), QStringLiteral("125"));
    EXPECT_EQ(status().message(), QStringLiteral("You got the time"));
    for (const ui::Label* pickUp :
         {&boardWindow.pathFood, &boardWindow.pathGold, &boardWindow.pathTime})
        EXPECT_FALSE(pickUp->visible());
    EXPECT_TRUE(platform.randoms.empty());
}

TEST_F(PathTest, APickUpComesBeforeTheLowestOfTwoHolesAndTheRescuedPlayerWalksOn) {
    status().setRope(true);
    enterPath();
    for (ui::Label* label : {&boardWindow.pathGold, &boardWindow.holes[2], &boardWindow.holes[5]})
        put(*label, 696, 600);
    platform.queueDraw(6, 10);
    queueBuild({}); // the rope's new level
    press(keys::Right);
    EXPECT_TRUE(platform.randoms.empty());
    EXPECT_EQ(status().gold.text(), QStringLiteral("16"));
    EXPECT_FALSE(boardWindow.pathGold.visible());
    EXPECT_FALSE(boardWindow.holes[2].visible());
    EXPECT_TRUE(boardWindow.holes[5].visible());
    EXPECT_EQ(status().message(), QStringLiteral("You used the rope!"));
    EXPECT_FALSE(boardWindow.boardFromPath.isSet()); // the move ended before the exit was chosen

    // The rebuilt level hid the path player; it walks on, visible, from where it fell.
    EXPECT_EQ(boardWindow.onPath.text(), QStringLiteral("1"));
    EXPECT_TRUE(boardWindow.pathPlayer.visible());
    EXPECT_DOUBLE_EQ(boardWindow.pathPlayer.left(), 696);
    press(keys::Right);
    EXPECT_EQ(status().message(), QStringLiteral("Game Over."));
    EXPECT_FALSE(boardWindow.holes[5].visible());
}

TEST_F(PathTest, AnExitDrawnUnderThePlayerEndsTheSectionOnTheFirstMove) {
    enterPath();
    queueExit({600, 500, 4000, 3000});
    queueKeptLevel({600, 500, 4000, 3000});
    press(keys::Right);
    EXPECT_TRUE(platform.randoms.empty());
    EXPECT_TRUE(boardWindow.board.visible());
    EXPECT_EQ(status().level.text(), QStringLiteral("2"));
}

TEST_F(PathTest, TheExitIncludesItsEdges) {
    const ui::Rect exit{1000, 1000, 3500, 2500};
    const std::tuple<double, double, bool> cases[] = {
        {999, 2000, false}, {1000, 2000, true}, {4501, 2000, false}, {4500, 2000, true},
        {2000, 999, false}, {2000, 1000, true}, {2000, 3501, false}, {2000, 3500, true},
    };
    int level = 1;
    for (const auto& [left, top, reached] : cases) {
        SCOPED_TRACE(testing::Message() << left << ", " << top);
        if (!boardWindow.onPath.isSet())
            enterPath();
        boardWindow.boardFromPath.setText(QStringLiteral("1"));
        boardWindow.board.setRect(exit);
        put(boardWindow.pathPlayer, left, top);
        if (reached)
            queueKeptLevel(exit);
        press('A'); // a mark where the player stands, no step
        level += reached ? 1 : 0;
        EXPECT_TRUE(platform.randoms.empty());
        EXPECT_EQ(boardWindow.board.visible(), reached);
        EXPECT_EQ(status().level.text(), QString::number(level));
    }
}

namespace {

// Path sections entered and left without walking: the gate under the player, a few marks laid
// in the field (the exit is set far away), then back on the board.
class PathTrailTest : public PathTest {
  protected:
    void section(int marks) {
        boardWindow.onPath.setText({});
        boardWindow.board.setVisible(true);
        put(boardWindow.gate, boardWindow.player.left(), boardWindow.player.top());
        press('A'); // every draw 0: the holes and pick-ups lie at 1, 1
        boardWindow.boardFromPath.setText(QStringLiteral("1"));
        boardWindow.board.setLeft(6000);
        for (int i = 0; i < marks; ++i)
            press('A');
    }
    int marks() { return boardWindow.trail.loadedCount() - 1; }
};

} // namespace

TEST_F(PathTrailTest, TheSeventhSectionWipesAndFreesTheTrailOfTheSixBefore) {
    const size_t controls = boardWindow.controls().size();
    for (int n = 1; n <= 6; ++n) {
        section(2);
        EXPECT_EQ(boardWindow.pathSections.text(), QString::number(n));
    }
    EXPECT_EQ(marks(), 12);
    EXPECT_EQ(boardWindow.controls().size(), controls + 12 + 30);

    section(0);
    EXPECT_EQ(boardWindow.pathSections.text(), QStringLiteral("0"));
    EXPECT_EQ(marks(), 0);
    EXPECT_EQ(boardWindow.controls().size(), controls + 30); // the marks are gone from the window

    // The count goes on: the next mark is the 13th.
    press('A');
    EXPECT_EQ(boardWindow.trailMarks.text(), QStringLiteral("13"));
    EXPECT_TRUE(boardWindow.trail.isLoaded(13));
    EXPECT_FALSE(boardWindow.trail.isLoaded(12));
}

TEST_F(PathTrailTest, ALongGameHoldsNoMoreThanSevenSectionsOfMarks) {
    constexpr int kSteps = 10;
    int most = 0;
    for (int n = 0; n < 60; ++n) {
        section(kSteps);
        most = std::max(most, marks());
    }
    EXPECT_EQ(boardWindow.trailMarks.text(), QStringLiteral("600"));
    EXPECT_EQ(most, 7 * kSteps);
    EXPECT_LE(boardWindow.controls().size(), 200u);
}

TEST_F(PathTest, ARopeRescueFromADemonsBlowOnTheGateLeavesThePathPlayerShownAndFalling) {
    status().setRope(true);
    status().armor.setText(QStringLiteral("0"));
    put(boardWindow.player, 100, 1000);
    put(boardWindow.gate, 100, 1000);
    put(boardWindow.demon, 100, 1000);
    boardWindow.demon.setText(QStringLiteral("9"));
    platform.queueDraw(1, 8); // the demon hunts onto the player's row: still touching
    for (int i = 0; i < 31 + 3; ++i) {
        queueDraw(i < 31 ? kHoleTop : 100, boardWindow.height());
        queueDraw(i < 31 ? kHoleLeft : 100, boardWindow.width());
    }
    platform.queueDraw(1, 100); // the demon strikes
    platform.queueDraw(4, 4);   // and knocks the player off the board's left edge
    queueBuild({});             // the rope's new level
    press('A');
    ASSERT_TRUE(platform.randoms.empty());
    EXPECT_EQ(status().message(), QStringLiteral("You used the rope!"));
    EXPECT_TRUE(boardWindow.onPath.isSet());
    EXPECT_TRUE(boardWindow.pathPlayer.visible());

    // Holes catch him again.
    put(boardWindow.holes[0], boardWindow.pathPlayer.left() + BoardWindow::kStep,
        boardWindow.pathPlayer.top());
    press(keys::Right);
    EXPECT_EQ(status().message(), QStringLiteral("Game Over."));
    EXPECT_TRUE(boardWindow.gameOver.isSet());
}
