// What the dungeon player steps on: the contact test, the pick-ups, the passage and quicksand,
// whose stop counts down on the trap and ends by moving the trap or taking it away.
#include "game_fixture.h"

#include <tuple>

namespace {

// The player stands at 1000, 1000 on the 4000 x 3000 board, away from the centre where the gate
// comes after each turn.
class PickupTest : public GameTest {
  protected:
    PickupTest() : boardWindow(start()) { put(boardWindow.player, 1000, 1000); }

    // The player steps onto the trap where he stands.
    void trapped() {
        put(boardWindow.quicksand, boardWindow.player.left(), boardWindow.player.top());
        press('A');
        ASSERT_EQ(boardWindow.stuckInQuicksand.text(), QStringLiteral("1"));
    }

    BoardWindow& boardWindow;
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
        put(boardWindow.goldPickup, left, top);
        if (touches)
            platform.queueDraw(4, 10);
        press('A');
        gold += touches ? 4 : 0;
        EXPECT_EQ(boardWindow.goldPickup.visible(), !touches);
        EXPECT_EQ(status().gold.text(), QString::number(gold));
        EXPECT_TRUE(platform.randoms.empty());
    }
    // The test comes after the step: 96 + 95 to the right touches after a Right.
    put(boardWindow.goldPickup, 1000 + 96 + 95, 1000);
    press(keys::Right);
    EXPECT_FALSE(boardWindow.goldPickup.visible());
}

TEST_F(PickupTest, EachPickUpAddsADrawFromTenToItsStat) {
    const std::tuple<ui::Label*, ui::Label*, int, const char*> cases[] = {
        {&boardWindow.goldPickup, &status().gold, 1, "You got the gold"},
        {&boardWindow.hitsPickup, &status().hits, 10, "You got the hits"},
        {&boardWindow.foodPickup, &status().food, 3, "You got the foods"},
        {&boardWindow.serumPickup, &status().serum, 7, "You got the serum"},
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
    put(boardWindow.goldPickup, 1000, 1000);
    put(boardWindow.foodPickup, 1000, 1000);
    for (ui::Label* hidden : {&boardWindow.hitsPickup, &boardWindow.serumPickup,
                              &boardWindow.secretPassage, &boardWindow.quicksand})
        put(*hidden, 1000, 1000, false);
    platform.queueDraw(5, 10);
    press('A');
    EXPECT_EQ(status().gold.text(), QStringLiteral("15"));
    EXPECT_EQ(status().food.text(), QStringLiteral("20"));
    platform.queueDraw(6, 10);
    press('A');
    EXPECT_FALSE(boardWindow.foodPickup.visible());
    EXPECT_EQ(status().food.text(), QStringLiteral("26"));
    const int calls = platform.randomCalls;
    press('A'); // nothing visible is left under the player
    EXPECT_EQ(platform.randomCalls, calls);
    EXPECT_EQ(status().level.text(), QStringLiteral("1"));
    EXPECT_FALSE(boardWindow.stuckInQuicksand.isSet());

    // The gate leads to the path section before the gold or the quicksand act; the fight's
    // warnings still follow.
    put(boardWindow.gate, 1000, 1000);
    put(boardWindow.goldPickup, 1000, 1000);
    put(boardWindow.quicksand, 1000, 1000);
    status().hits.setText(QStringLiteral("0"));
    press('A');
    EXPECT_FALSE(boardWindow.board.visible());
    EXPECT_EQ(boardWindow.onPath.text(), QStringLiteral("1"));
    EXPECT_TRUE(boardWindow.goldPickup.visible());
    EXPECT_FALSE(boardWindow.stuckInQuicksand.isSet());
    EXPECT_EQ(status().message(), QStringLiteral("No hits!!!"));
}

TEST_F(PickupTest, ThePassageRaisesTheLevelByTwoAndBuildsTheNextLevel) {
    put(boardWindow.secretPassage, 1000, 1000);
    LevelPlan next;
    next.board = {900, 700, 5000, 3600};
    next.coins = ObjectPlan{300, 300};
    queueBuild(next);
    press('A');
    EXPECT_TRUE(platform.randoms.empty());
    EXPECT_EQ(status().level.text(), QStringLiteral("3"));
    EXPECT_EQ(status().message(), QStringLiteral("Secret passage +2 Level!"));
    EXPECT_DOUBLE_EQ(boardWindow.board.left(), 900);
    EXPECT_DOUBLE_EQ(boardWindow.player.left(), 2500);
    EXPECT_DOUBLE_EQ(boardWindow.player.top(), 1800);
    EXPECT_TRUE(boardWindow.goldPickup.visible());
    EXPECT_FALSE(boardWindow.secretPassage.visible());
}

TEST_F(PickupTest, TheStopHoldsThePlayerForExactlyFiveTicksCountingDownOnTheTrap) {
    put(boardWindow.quicksand, 1000 + 96, 1000); // one step right of the player
    press(keys::Right);
    EXPECT_EQ(boardWindow.stuckInQuicksand.text(), QStringLiteral("1"));
    EXPECT_TRUE(boardWindow.quicksandTimer.enabled());
    EXPECT_EQ(boardWindow.quicksand.text(), QStringLiteral("5"));
    EXPECT_TRUE(status().message().isEmpty());
    for (const char* left : {"4", "3", "2", "1"}) {
        game.advance(1000);
        EXPECT_EQ(boardWindow.quicksand.text(), QString::fromLatin1(left));
        EXPECT_TRUE(boardWindow.quicksand.visible());
        press(keys::Right);
        EXPECT_DOUBLE_EQ(boardWindow.player.left(), 1096);
    }
    game.advance(1000 - 1);
    EXPECT_EQ(boardWindow.stuckInQuicksand.text(), QStringLiteral("1"));
    platform.queueDraw(10, 20);
    game.advance(1);
    EXPECT_FALSE(boardWindow.stuckInQuicksand.isSet());
    EXPECT_FALSE(boardWindow.quicksandTimer.enabled());
    EXPECT_EQ(boardWindow.quicksand.text(), QStringLiteral("5"));
    press(keys::Right);
    EXPECT_DOUBLE_EQ(boardWindow.player.left(), 1192);
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
        boardWindow.board.setWidth(boardWidth);
        game.advance(4 * 1000);
        const int draws = platform.randomCalls;
        platform.queueDraw(die, 20);
        if (shown) {
            queueDraw(drawTop, boardWindow.board.height());
            queueDraw(drawLeft, boardWindow.board.width());
        }
        game.advance(1000);
        EXPECT_EQ(platform.randomCalls, draws + (shown ? 3 : 1));
        EXPECT_EQ(boardWindow.quicksand.visible(), shown);
        EXPECT_DOUBLE_EQ(boardWindow.quicksand.top(), top);
        EXPECT_DOUBLE_EQ(boardWindow.quicksand.left(), left);
        EXPECT_EQ(boardWindow.quicksand.text(), QStringLiteral("5"));
        EXPECT_FALSE(boardWindow.stuckInQuicksand.isSet());
        boardWindow.board.setWidth(4000);
    }
}

TEST_F(PickupTest, ATrapCaptionThatIsNoNumberEndsTheStop) {
    trapped();
    boardWindow.quicksand.setText(QStringLiteral("?"));
    game.advance(1000);
    EXPECT_FALSE(boardWindow.stuckInQuicksand.isSet());
    EXPECT_FALSE(boardWindow.quicksandTimer.enabled());
    EXPECT_EQ(boardWindow.quicksand.text(), QStringLiteral("5"));
}
