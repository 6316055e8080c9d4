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
    PathTest() : board(start()) {}

    // Steps onto the gate from the dungeon board: BuildPath puts every hole at kHoleLeft,
    // kHoleTop and the food, gold and time at 100, 100 (inside the hidden board: no fold).
    void enterPath() {
        for (int i = 0; i < 31 + 3; ++i) {
            queueDraw(i < 31 ? kHoleTop : 100, board.height());
            queueDraw(i < 31 ? kHoleLeft : 100, board.width());
        }
        put(board.Gate, board.Mio.left(), board.Mio.top());
        press('A');
        ASSERT_TRUE(platform.randoms.empty());
    }

    // The draws of the exit's layout on the first move: Top, Left, Width, Height.
    void queueExit(const ui::Rect& exit) {
        queueDraw(exit.top, board.height());
        queueDraw(exit.left, board.width());
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

    Form2& board;
};

} // namespace

TEST_F(PathTest, GateLeadsThroughThePathToTheNextLevel) {
    enterPath();
    EXPECT_FALSE(board.Pic.visible());
    EXPECT_EQ(board.Camin.text(), QStringLiteral("1"));
    EXPECT_EQ(board.NuovoL.text(), QStringLiteral("1"));
    EXPECT_TRUE(status().Timer2.enabled());
    EXPECT_EQ(board.Foro.loadedCount(), 31);
    EXPECT_TRUE(board.Foro[30].visible());
    EXPECT_DOUBLE_EQ(board.Foro[30].left(), kHoleLeft);
    EXPECT_TRUE(board.Foody.visible() && board.Goldy.visible() && board.Tempy.visible());
    // The first section starts at the old board's top-left corner.
    EXPECT_TRUE(board.Mio2.visible());
    EXPECT_DOUBLE_EQ(board.Mio2.left(), 600);
    EXPECT_DOUBLE_EQ(board.Mio2.top(), 600);

    // The first move chooses the exit at 700, 500: not reached yet.
    const int reseeds = platform.reseeds;
    queueExit({700, 500, 4000, 3000});
    press(keys::Right);
    EXPECT_EQ(platform.reseeds, reseeds + 1);
    EXPECT_EQ(board.InCammino.text(), QStringLiteral("1"));
    EXPECT_FALSE(board.Pic.visible());
    EXPECT_DOUBLE_EQ(board.Pic.left(), 700);
    EXPECT_EQ(status().Liv.text(), QStringLiteral("1"));

    queueKeptLevel({700, 500, 4000, 3000});
    press(keys::Right);
    EXPECT_TRUE(platform.randoms.empty());
    EXPECT_TRUE(board.Pic.visible());
    EXPECT_DOUBLE_EQ(board.Pic.left(), 700);
    EXPECT_DOUBLE_EQ(board.Pic.top(), 500);
    EXPECT_EQ(status().Liv.text(), QStringLiteral("2"));
    EXPECT_EQ(status().message(), QStringLiteral("New level"));
    EXPECT_FALSE(board.Camin.isSet());
    EXPECT_TRUE(board.Mio.visible());
    EXPECT_DOUBLE_EQ(board.Mio.left(), 2000);
    EXPECT_DOUBLE_EQ(board.Mio.top(), 1500);

    // The next section starts where the last step of this one began.
    enterPath();
    EXPECT_EQ(board.NuovoL.text(), QStringLiteral("2"));
    EXPECT_DOUBLE_EQ(board.Mio2.left(), 696);
    EXPECT_DOUBLE_EQ(board.Mio2.top(), 600);
}

TEST_F(PathTest, AllTouchingPickUpsAreTakenInOneMove) {
    enterPath();
    for (ui::Label* pickUp : {&board.Foody, &board.Goldy, &board.Tempy})
        put(*pickUp, 696, 600);
    platform.queueDraw(3, 10);
    platform.queueDraw(4, 10);
    platform.queueDraw(5, 10);
    queueExit({5000, 5000, 3500, 2500});
    press(keys::Right);
    EXPECT_EQ(status().Food.text(), QStringLiteral("23"));
    EXPECT_EQ(status().Gold.text(), QStringLiteral("14"));
    EXPECT_EQ(status().Tempo.text(), QStringLiteral("125"));
    EXPECT_EQ(status().message(), QStringLiteral("You got the time"));
    for (const ui::Label* pickUp : {&board.Foody, &board.Goldy, &board.Tempy})
        EXPECT_FALSE(pickUp->visible());
    EXPECT_TRUE(platform.randoms.empty());
}

TEST_F(PathTest, APickUpComesBeforeTheLowestOfTwoHolesAndTheRescuedPlayerWalksOn) {
    status().setRope(true);
    enterPath();
    for (ui::Label* label : {&board.Goldy, &board.Foro[2], &board.Foro[5]})
        put(*label, 696, 600);
    platform.queueDraw(6, 10);
    queueBuild({}); // the rope's new level
    press(keys::Right);
    EXPECT_TRUE(platform.randoms.empty());
    EXPECT_EQ(status().Gold.text(), QStringLiteral("16"));
    EXPECT_FALSE(board.Goldy.visible());
    EXPECT_FALSE(board.Foro[2].visible());
    EXPECT_TRUE(board.Foro[5].visible());
    EXPECT_EQ(status().message(), QStringLiteral("You used the rope!"));
    EXPECT_FALSE(board.InCammino.isSet()); // the move ended before the exit was chosen

    // The rebuilt level hid the path player; it walks on, visible, from where it fell.
    EXPECT_EQ(board.Camin.text(), QStringLiteral("1"));
    EXPECT_TRUE(board.Mio2.visible());
    EXPECT_DOUBLE_EQ(board.Mio2.left(), 696);
    press(keys::Right);
    EXPECT_EQ(status().message(), QStringLiteral("Game Over."));
    EXPECT_FALSE(board.Foro[5].visible());
}

TEST_F(PathTest, AnExitDrawnUnderThePlayerEndsTheSectionOnTheFirstMove) {
    enterPath();
    queueExit({600, 500, 4000, 3000});
    queueKeptLevel({600, 500, 4000, 3000});
    press(keys::Right);
    EXPECT_TRUE(platform.randoms.empty());
    EXPECT_TRUE(board.Pic.visible());
    EXPECT_EQ(status().Liv.text(), QStringLiteral("2"));
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
        if (!board.Camin.isSet())
            enterPath();
        board.InCammino.setText(QStringLiteral("1"));
        board.Pic.setRect(exit);
        put(board.Mio2, left, top);
        if (reached)
            queueKeptLevel(exit);
        press('A'); // a mark where the player stands, no step
        level += reached ? 1 : 0;
        EXPECT_TRUE(platform.randoms.empty());
        EXPECT_EQ(board.Pic.visible(), reached);
        EXPECT_EQ(status().Liv.text(), QString::number(level));
    }
}

namespace {

// Path sections entered and left without walking: the gate under the player, a few marks laid
// in the field (the exit is set far away), then back on the board.
class PathTrailTest : public PathTest {
  protected:
    void section(int marks) {
        board.Camin.setText({});
        board.Pic.setVisible(true);
        put(board.Gate, board.Mio.left(), board.Mio.top());
        press('A'); // every draw 0: the holes and pick-ups lie at 1, 1
        board.InCammino.setText(QStringLiteral("1"));
        board.Pic.setLeft(6000);
        for (int i = 0; i < marks; ++i)
            press('A');
    }
    int marks() { return board.Track.loadedCount() - 1; }
};

} // namespace

TEST_F(PathTrailTest, TheSeventhSectionWipesAndFreesTheTrailOfTheSixBefore) {
    const size_t controls = board.controls().size();
    for (int n = 1; n <= 6; ++n) {
        section(2);
        EXPECT_EQ(board.NuovoL.text(), QString::number(n));
    }
    EXPECT_EQ(marks(), 12);
    EXPECT_EQ(board.controls().size(), controls + 12 + 30);

    section(0);
    EXPECT_EQ(board.NuovoL.text(), QStringLiteral("0"));
    EXPECT_EQ(marks(), 0);
    EXPECT_EQ(board.controls().size(), controls + 30); // the marks are gone from the window

    // The count goes on: the next mark is the 13th.
    press('A');
    EXPECT_EQ(board.TrackM.text(), QStringLiteral("13"));
    EXPECT_TRUE(board.Track.isLoaded(13));
    EXPECT_FALSE(board.Track.isLoaded(12));
}

TEST_F(PathTrailTest, ALongGameHoldsNoMoreThanSevenSectionsOfMarks) {
    constexpr int kSteps = 10;
    int most = 0;
    for (int n = 0; n < 60; ++n) {
        section(kSteps);
        most = std::max(most, marks());
    }
    EXPECT_EQ(board.TrackM.text(), QStringLiteral("600"));
    EXPECT_EQ(most, 7 * kSteps);
    EXPECT_LE(board.controls().size(), 200u);
}

TEST_F(PathTest, ARopeRescueFromADemonsBlowOnTheGateLeavesThePathPlayerShownAndFalling) {
    status().setRope(true);
    status().Armor.setText(QStringLiteral("0"));
    put(board.Mio, 100, 1000);
    put(board.Gate, 100, 1000);
    put(board.Monster, 100, 1000);
    board.Monster.setText(QStringLiteral("9"));
    platform.queueDraw(1, 8); // the demon hunts onto the player's row: still touching
    for (int i = 0; i < 31 + 3; ++i) {
        queueDraw(i < 31 ? kHoleTop : 100, board.height());
        queueDraw(i < 31 ? kHoleLeft : 100, board.width());
    }
    platform.queueDraw(1, 100); // the demon strikes
    platform.queueDraw(4, 4);   // and knocks the player off the board's left edge
    queueBuild({});             // the rope's new level
    press('A');
    ASSERT_TRUE(platform.randoms.empty());
    EXPECT_EQ(status().message(), QStringLiteral("You used the rope!"));
    EXPECT_TRUE(board.Camin.isSet());
    EXPECT_TRUE(board.Mio2.visible());

    // Holes catch him again.
    put(board.Foro[0], board.Mio2.left() + Form2::kStep, board.Mio2.top());
    press(keys::Right);
    EXPECT_EQ(status().message(), QStringLiteral("Game Over."));
    EXPECT_TRUE(board.GameOver.isSet());
}
