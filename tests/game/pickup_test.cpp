// What the dungeon player steps on: the contact test, the pick-ups, the passage and quicksand,
// whose stop counts down on the trap and ends by moving the trap or taking it away.
#include "game_fixture.h"

#include <tuple>

namespace {

// The player stands at 1000, 1000 on the 4000 x 3000 board, away from the centre where the gate
// comes after each turn.
class PickupTest : public GameTest {
  protected:
    PickupTest() : board(start()) { put(board.Mio, 1000, 1000); }

    // The player steps onto the trap where he stands.
    void trapped() {
        put(board.Trap, board.Mio.left(), board.Mio.top());
        press('A');
        ASSERT_EQ(board.G.text(), QStringLiteral("1"));
    }

    Form2& board;
};

} // namespace

TEST_F(PickupTest, ContactIsAStepLeftOfAnObjectToItsWidthAndThePlayersHeightEachWay) {
    const std::tuple<double, double, bool> cases[] = {
        {1095, 1000, true}, {1096, 1000, false}, {746, 1000, true},  {745, 1000, false},
        {1000, 746, true},  {1000, 745, false},  {1000, 1254, true}, {1000, 1255, false},
    };
    int gold = 10;
    for (const auto& [left, top, touches] : cases) {
        SCOPED_TRACE(testing::Message() << left << ", " << top);
        put(board.Coins, left, top);
        if (touches)
            platform.queueDraw(4, 10);
        press('A');
        gold += touches ? 4 : 0;
        EXPECT_EQ(board.Coins.visible(), !touches);
        EXPECT_EQ(status().Gold.text(), QString::number(gold));
        EXPECT_TRUE(platform.randoms.empty());
    }
    // The test comes after the step: 96 + 95 to the right touches after a Right.
    put(board.Coins, 1000 + 96 + 95, 1000);
    press(keys::Right);
    EXPECT_FALSE(board.Coins.visible());
}

TEST_F(PickupTest, EachPickUpAddsADrawFromTenToItsStat) {
    const std::tuple<ui::Label*, ui::Label*, int, const char*> cases[] = {
        {&board.Coins, &status().Gold, 1, "You got the gold"},
        {&board.Hit, &status().Hits, 10, "You got the hits"},
        {&board.Food, &status().Food, 3, "You got the foods"},
        {&board.Serum, &status().Serum, 7, "You got the serum"},
    };
    for (const auto& [object, stat, amount, message] : cases) {
        const int before = stat->text().toInt();
        put(*object, 1000, 1000);
        platform.queueDraw(amount, 10);
        press('A');
        EXPECT_EQ(stat->text(), QString::number(before + amount)) << message;
        EXPECT_FALSE(object->visible()) << message;
        EXPECT_EQ(status().message(), QString::fromLatin1(message));
    }
}

TEST_F(PickupTest, OnlyTheFirstTouchingVisibleObjectActsAndTheGateComesFirst) {
    put(board.Coins, 1000, 1000);
    put(board.Food, 1000, 1000);
    for (ui::Label* hidden : {&board.Hit, &board.Serum, &board.PSecret, &board.Trap})
        put(*hidden, 1000, 1000, false);
    platform.queueDraw(5, 10);
    press('A');
    EXPECT_EQ(status().Gold.text(), QStringLiteral("15"));
    EXPECT_EQ(status().Food.text(), QStringLiteral("20"));
    platform.queueDraw(6, 10);
    press('A');
    EXPECT_FALSE(board.Food.visible());
    EXPECT_EQ(status().Food.text(), QStringLiteral("26"));
    const int calls = platform.randomCalls;
    press('A'); // nothing visible is left under the player
    EXPECT_EQ(platform.randomCalls, calls);
    EXPECT_EQ(status().Liv.text(), QStringLiteral("1"));
    EXPECT_FALSE(board.G.isSet());

    // The gate leads to the path section before the gold or the quicksand act; the fight's
    // warnings still follow.
    put(board.Gate, 1000, 1000);
    put(board.Coins, 1000, 1000);
    put(board.Trap, 1000, 1000);
    status().Hits.setText(QStringLiteral("0"));
    press('A');
    EXPECT_FALSE(board.Pic.visible());
    EXPECT_EQ(board.Camin.text(), QStringLiteral("1"));
    EXPECT_TRUE(board.Coins.visible());
    EXPECT_FALSE(board.G.isSet());
    EXPECT_EQ(status().message(), QStringLiteral("No hits!!!"));
}

TEST_F(PickupTest, ThePassageRaisesTheLevelByTwoAndBuildsTheNextLevel) {
    put(board.PSecret, 1000, 1000);
    LevelPlan next;
    next.board = {900, 700, 5000, 3600};
    next.coins = ObjectPlan{300, 300};
    queueBuild(next);
    press('A');
    EXPECT_TRUE(platform.randoms.empty());
    EXPECT_EQ(status().Liv.text(), QStringLiteral("3"));
    EXPECT_EQ(status().message(), QStringLiteral("Secret passage +2 Level!"));
    EXPECT_DOUBLE_EQ(board.Pic.left(), 900);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 2500);
    EXPECT_DOUBLE_EQ(board.Mio.top(), 1800);
    EXPECT_TRUE(board.Coins.visible());
    EXPECT_FALSE(board.PSecret.visible());
}

TEST_F(PickupTest, TheStopHoldsThePlayerForExactlyFiveTicksCountingDownOnTheTrap) {
    put(board.Trap, 1000 + 96, 1000); // one step right of the player
    press(keys::Right);
    EXPECT_EQ(board.G.text(), QStringLiteral("1"));
    EXPECT_TRUE(board.Trappola.enabled());
    EXPECT_EQ(board.Trap.text(), QStringLiteral("5"));
    EXPECT_TRUE(status().message().isEmpty());
    for (const char* left : {"4", "3", "2", "1"}) {
        game.advance(1000);
        EXPECT_EQ(board.Trap.text(), QString::fromLatin1(left));
        EXPECT_TRUE(board.Trap.visible());
        press(keys::Right);
        EXPECT_DOUBLE_EQ(board.Mio.left(), 1096);
    }
    game.advance(1000 - 1);
    EXPECT_EQ(board.G.text(), QStringLiteral("1"));
    platform.queueDraw(10, 20);
    game.advance(1);
    EXPECT_FALSE(board.G.isSet());
    EXPECT_FALSE(board.Trappola.enabled());
    EXPECT_EQ(board.Trap.text(), QStringLiteral("5"));
    press(keys::Right);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 1192);
}

TEST_F(PickupTest, ADrawBelowTenMovesTheTrapInsideTheBoardAndTenTakesItAway) {
    // The die, the board's width, the new place's draws, and where the trap ends up.
    const std::tuple<int, double, double, double, double, double> cases[] = {
        {9, 4000, 2000, 1500, 2000, 1500},
        {1, 4000, 1, 4000, 1, 4000 - 255}, // folded back by its size
        {1, 200, 300, 100, 300, 1},        // a narrowed board: never left of 1
        {10, 4000, 0, 0, 1000, 1000},      // hidden where it was
    };
    for (const auto& [die, boardWidth, drawTop, drawLeft, top, left] : cases) {
        SCOPED_TRACE(die);
        const bool shown = die < 10;
        trapped();
        board.Pic.setWidth(boardWidth);
        game.advance(4 * 1000);
        const int draws = platform.randomCalls;
        platform.queueDraw(die, 20);
        if (shown) {
            queueDraw(drawTop, board.Pic.height());
            queueDraw(drawLeft, board.Pic.width());
        }
        game.advance(1000);
        EXPECT_EQ(platform.randomCalls, draws + (shown ? 3 : 1));
        EXPECT_EQ(board.Trap.visible(), shown);
        EXPECT_DOUBLE_EQ(board.Trap.top(), top);
        EXPECT_DOUBLE_EQ(board.Trap.left(), left);
        EXPECT_EQ(board.Trap.text(), QStringLiteral("5"));
        EXPECT_FALSE(board.G.isSet());
        board.Pic.setWidth(4000);
    }
}

TEST_F(PickupTest, ATrapCaptionThatIsNoNumberEndsTheStop) {
    trapped();
    board.Trap.setText(QStringLiteral("?"));
    game.advance(1000);
    EXPECT_FALSE(board.G.isSet());
    EXPECT_FALSE(board.Trappola.enabled());
    EXPECT_EQ(board.Trap.text(), QStringLiteral("5"));
}
