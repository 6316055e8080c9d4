// One turn per key on the board: the hunt, the step or the fall, the checks after it, the gate
// reveal, the path section's step, and Escape.
#include "play_fixture.h"

namespace {

class TurnTest : public PlayTest {};

// The player stands at 2000, 1500 on a 4000 x 3000 board.
LevelPlan withDemonAt(double left, double top) {
    LevelPlan plan;
    plan.monster = ObjectPlan{left, top, 5};
    return plan;
}

} // namespace

TEST_F(TurnTest, MonstersHuntWhereThePlayerStoodBeforeItsStep) {
    LevelPlan plan = withDemonAt(300, 300);
    plan.spider = ObjectPlan{3000, 2500, 5};
    plan.bat = ObjectPlan{300, 2500, 5};
    Form2& board = start(plan);
    platform.queueDraw(2, 8); // the demon into the player's column
    platform.queueDraw(1, 8); // the spider into its row
    platform.queueDraw(4, 8); // the bat into the column to its right
    press(keys::Right);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 2096);
    EXPECT_DOUBLE_EQ(board.Monster.left(), 2000);
    EXPECT_DOUBLE_EQ(board.Monster.top(), 300);
    EXPECT_DOUBLE_EQ(board.Spider.top(), 1500);
    EXPECT_DOUBLE_EQ(board.Spider.left(), 3000);
    EXPECT_DOUBLE_EQ(board.Bat.left(), 2255);
    EXPECT_DOUBLE_EQ(board.Bat.top(), 2500);
    EXPECT_TRUE(platform.randoms.empty());
}

TEST_F(TurnTest, EachHuntingDrawMovesOneCoordinate) {
    struct Case {
        int r;
        double left, top;
    };
    // The demon starts at 300, 300; the player is 255 twips square at 2000, 1500.
    const Case cases[] = {
        {1, 300, 1500}, {2, 2000, 300}, {3, 300, 1755}, {4, 2255, 300},
        {5, 300, 1245}, {6, 1745, 300}, {7, 300, 1245}, {8, 1745, 300},
    };
    Form2& board = start(withDemonAt(300, 300));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.r);
        put(board.Monster, 300, 300);
        platform.queueDraw(c.r, 8);
        press('A');
        EXPECT_DOUBLE_EQ(board.Monster.left(), c.left);
        EXPECT_DOUBLE_EQ(board.Monster.top(), c.top);
        EXPECT_TRUE(platform.randoms.empty());
    }
}

TEST_F(TurnTest, HiddenMonstersDoNotHunt) {
    Form2& board = start(withDemonAt(300, 300));
    board.Monster.setVisible(false);
    const int calls = platform.randomCalls;
    press(keys::Down);
    EXPECT_EQ(platform.randomCalls, calls);
    EXPECT_DOUBLE_EQ(board.Monster.left(), 300);
    EXPECT_DOUBLE_EQ(board.Monster.top(), 300);
    EXPECT_DOUBLE_EQ(board.Mio.top(), 1596);
}

TEST_F(TurnTest, LeftAndUpFallBelow96AndReachZeroFrom96) {
    Form2& board = start();
    put(board.Mio, 96, 96);
    press(keys::Left);
    press(keys::Up);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 0);
    EXPECT_DOUBLE_EQ(board.Mio.top(), 0);
    EXPECT_FALSE(board.GameOver.isSet());

    put(board.Mio, 95, 1000);
    press(keys::Left);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 95);
    EXPECT_EQ(board.GameOver.text(), QStringLiteral("1"));
}

TEST_F(TurnTest, UpFallsFrom95) {
    Form2& board = start();
    put(board.Mio, 1000, 95);
    press(keys::Up);
    EXPECT_DOUBLE_EQ(board.Mio.top(), 95);
    EXPECT_EQ(board.GameOver.text(), QStringLiteral("1"));
}

TEST_F(TurnTest, RightAndDownStillMoveWhenTheStepEndsExactlyAtTheEdge) {
    Form2& board = start();
    put(board.Mio, 4000 - 255 - 96, 3000 - 255 - 96);
    press(keys::Right);
    press(keys::Down);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 4000 - 255);
    EXPECT_DOUBLE_EQ(board.Mio.top(), 3000 - 255);
    EXPECT_FALSE(board.GameOver.isSet());
}

TEST_F(TurnTest, RightFallsOneTwipFurther) {
    Form2& board = start();
    put(board.Mio, 4000 - 255 - 95, 1000);
    press(keys::Right);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 4000 - 255 - 95);
    EXPECT_EQ(board.GameOver.text(), QStringLiteral("1"));
}

TEST_F(TurnTest, DownFallsOneTwipFurther) {
    Form2& board = start();
    put(board.Mio, 1000, 3000 - 255 - 95);
    press(keys::Down);
    EXPECT_DOUBLE_EQ(board.Mio.top(), 3000 - 255 - 95);
    EXPECT_EQ(board.GameOver.text(), QStringLiteral("1"));
}

TEST_F(TurnTest, FallEndsTheTurnWithoutPickUpFightOrGateReveal) {
    Form2& board = start();
    board.Gate.setVisible(false);
    put(board.Mio, 50, 1000);
    put(board.Coins, 50, 1000);
    status().Hits.setText(QStringLiteral("0"));
    press(keys::Left);
    EXPECT_EQ(status().message(), QStringLiteral("Game Over. You have fallen into the ravine"));
    EXPECT_TRUE(board.Coins.visible());
    EXPECT_EQ(status().Gold.text(), QStringLiteral("10"));
    EXPECT_FALSE(board.Gate.visible());
    EXPECT_EQ(gameOverWindows(), 1);
}

TEST_F(TurnTest, OtherKeysMoveNobodyButThePickUpAndTheFightStillRun) {
    Form2& board = start(withDemonAt(1900, 300));
    put(board.Coins, 2000, 1500);
    platform.queueDraw(1, 8);    // the demon into the player's row: now touching
    platform.queueDraw(7, 10);   // the gold
    platform.queueDraw(50, 100); // the exchange: nothing happens
    press('A');
    EXPECT_DOUBLE_EQ(board.Mio.left(), 2000);
    EXPECT_DOUBLE_EQ(board.Mio.top(), 1500);
    EXPECT_DOUBLE_EQ(board.Monster.top(), 1500);
    EXPECT_EQ(status().Gold.text(), QStringLiteral("17"));
    EXPECT_EQ(status().message(), QStringLiteral("You got the gold"));
    EXPECT_TRUE(platform.randoms.empty());
}

TEST_F(TurnTest, QuicksandHoldsThePlayerButNotTheMonstersNorTheGate) {
    LevelPlan plan;
    plan.bat = ObjectPlan{300, 300, 5};
    Form2& board = start(plan);
    board.G.setText(QStringLiteral("1"));
    board.Gate.setVisible(false);
    put(board.Coins, 2000, 1500);
    status().Hits.setText(QStringLiteral("0"));
    platform.queueDraw(2, 8);
    press(keys::Right);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 2000);
    EXPECT_DOUBLE_EQ(board.Bat.left(), 2000);
    EXPECT_TRUE(board.Coins.visible());
    EXPECT_TRUE(status().message().isEmpty()); // no "No hits!!!": no fight
    EXPECT_TRUE(board.Gate.visible());
    EXPECT_DOUBLE_EQ(board.Gate.left(), 2000);
    EXPECT_DOUBLE_EQ(board.Gate.top(), 1500);
}

TEST_F(TurnTest, GameOverStopsEverythingButTheGateReveal) {
    LevelPlan plan;
    plan.bat = ObjectPlan{300, 300, 5};
    Form2& board = start(plan);
    board.GameOver.setText(QStringLiteral("1"));
    board.Gate.setVisible(false);
    put(board.Coins, 2000, 1500);
    const int calls = platform.randomCalls;
    press(keys::Right);
    EXPECT_EQ(platform.randomCalls, calls);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 2000);
    EXPECT_DOUBLE_EQ(board.Bat.left(), 300);
    EXPECT_TRUE(board.Coins.visible());
    EXPECT_TRUE(board.Gate.visible());
    EXPECT_DOUBLE_EQ(board.Gate.left(), 2000);

    // In the path section too, no step is taken and no trail mark laid.
    board.Camin.setText(QStringLiteral("1"));
    press(keys::Right);
    EXPECT_EQ(board.TrackM.text(), QStringLiteral("0"));
}

TEST_F(TurnTest, GateGoesToTheCentreOnlyWhenDemonAndSpiderAreBothHidden) {
    LevelPlan plan = withDemonAt(300, 300);
    plan.spider = ObjectPlan{600, 300, 5};
    Form2& board = start(plan);
    put(board.Gate, 120, 120, false);
    put(board.Mio, 1000, 2000);

    board.Spider.setVisible(false);
    platform.queueDraw(2, 8);
    press('A');
    EXPECT_FALSE(board.Gate.visible());

    board.Monster.setVisible(false);
    board.Spider.setVisible(true);
    platform.queueDraw(2, 8);
    press('A');
    EXPECT_FALSE(board.Gate.visible());

    // The bat does not guard the gate.
    board.Spider.setVisible(false);
    put(board.Bat, 300, 300);
    platform.queueDraw(2, 8);
    press('A');
    EXPECT_TRUE(board.Gate.visible());
    EXPECT_DOUBLE_EQ(board.Gate.left(), 2000);
    EXPECT_DOUBLE_EQ(board.Gate.top(), 1500);
}

TEST_F(TurnTest, GateComesToTheCentreInTheTurnTheSecondGuardDies) {
    LevelPlan plan = withDemonAt(1000, 1000);
    plan.monster->level = 1;
    Form2& board = start(plan);
    put(board.Gate, 120, 120, false);
    put(board.Mio, 1000, 1000);
    platform.queueDraw(1, 8);    // the demon stays in the player's row
    platform.queueDraw(51, 100); // the player strikes
    platform.queueDraw(3, 10);   // the gold it drops
    press('A');
    EXPECT_FALSE(board.Monster.visible());
    EXPECT_TRUE(board.Gate.visible());
    EXPECT_DOUBLE_EQ(board.Gate.left(), 2000);
    EXPECT_DOUBLE_EQ(board.Gate.top(), 1500);
}

TEST_F(TurnTest, PathStepLaysAMarkRemembersThePlaceAndStaysInTheWindow) {
    Form2& board = start();
    board.Camin.setText(QStringLiteral("1"));
    board.InCammino.setText(QStringLiteral("1")); // the exit, the board at 600, 600, is chosen
    board.Pic.setVisible(false);
    put(board.Mio2, 100, 120);

    press(keys::Left);
    EXPECT_EQ(board.TrackM.text(), QStringLiteral("1"));
    ASSERT_TRUE(board.Track.isLoaded(1));
    EXPECT_TRUE(board.Track[1].visible());
    EXPECT_DOUBLE_EQ(board.Track[1].left(), 100);
    EXPECT_DOUBLE_EQ(board.Track[1].top(), 120);
    EXPECT_EQ(board.MioCorX.text(), QStringLiteral("120")); // Top
    EXPECT_EQ(board.MioCorY.text(), QStringLiteral("100")); // Left
    EXPECT_DOUBLE_EQ(board.Mio2.left(), 50);

    press(keys::Up);
    EXPECT_DOUBLE_EQ(board.Mio2.top(), 50);

    put(board.Mio2, board.width() - 300, 120);
    press(keys::Right);
    EXPECT_DOUBLE_EQ(board.Mio2.left(), board.width() - 280);

    put(board.Mio2, 100, board.height() - 300);
    press(keys::Down);
    EXPECT_DOUBLE_EQ(board.Mio2.top(), board.height() - 280);

    // Any other key lays a mark where the player stands and moves nothing.
    press('A');
    EXPECT_EQ(board.TrackM.text(), QStringLiteral("5"));
    EXPECT_DOUBLE_EQ(board.Track[5].top(), board.height() - 280);
    EXPECT_DOUBLE_EQ(board.Mio2.top(), board.height() - 280);
    EXPECT_EQ(board.Track.loadedCount(), 6);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 2000); // the dungeon player stays put
}

TEST_F(TurnTest, EscapePlaysATurnThenOpensTheShopAndDisablesTheBoard) {
    LevelPlan plan;
    plan.bat = ObjectPlan{300, 300, 5};
    Form2& board = start(plan);
    platform.queueDraw(2, 8);
    press(keys::Escape);
    EXPECT_DOUBLE_EQ(board.Bat.left(), 2000);
    EXPECT_NE(game.shop(), nullptr);
    EXPECT_FALSE(board.enabled());

    // The board takes no more keys while the shop is open.
    const int calls = platform.randomCalls;
    press(keys::Left);
    EXPECT_EQ(platform.randomCalls, calls);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 2000);
}

TEST_F(TurnTest, EscapeOpensTheShopAfterGameOverToo) {
    Form2& board = start();
    board.GameOver.setText(QStringLiteral("1"));
    press(keys::Escape);
    EXPECT_NE(game.shop(), nullptr);
    EXPECT_FALSE(board.enabled());
}
