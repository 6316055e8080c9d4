// What the dungeon player steps on: the contact test, the pick-ups, the passage and quicksand.
#include "play_fixture.h"
#include "ui/number.h"

namespace {

// The player stands at 1000, 1000 on the 4000 x 3000 board, away from the centre where the gate
// comes after each turn.
class PickupTest : public PlayTest {
  protected:
    PickupTest() : board(start()) { put(board.Mio, 1000, 1000); }

    // An object under the player.
    void underPlayer(ui::Label& object) { put(object, 1000, 1000); }

    Form2& board;
};

ui::Label square(double left, double top, double width = 255, double height = 255) {
    return ui::Label(QString(), {}, {left, top, width, height});
}

} // namespace

TEST(PickupContact, HorizontalBoundsAreAStepLeftAndTheObjectsWidthRight) {
    const ui::Label object(QString(), {}, {1000, 1000, 300, 255});
    EXPECT_FALSE(Form2::IsTouching(object, square(1000 - 96, 1000)));
    EXPECT_TRUE(Form2::IsTouching(object, square(1000 - 95, 1000)));
    EXPECT_TRUE(Form2::IsTouching(object, square(1000 + 299, 1000)));
    EXPECT_FALSE(Form2::IsTouching(object, square(1000 + 300, 1000)));
}

TEST(PickupContact, VerticalBoundsAreThePlayersHeightBothWays) {
    const ui::Label object(QString(), {}, {1000, 1000, 255, 255});
    // A player 400 high: the object's top must lie strictly within 400 of the player's top.
    EXPECT_FALSE(Form2::IsTouching(object, square(1000, 1000 - 400, 255, 400)));
    EXPECT_TRUE(Form2::IsTouching(object, square(1000, 1000 - 399, 255, 400)));
    EXPECT_TRUE(Form2::IsTouching(object, square(1000, 1000 + 399, 255, 400)));
    EXPECT_FALSE(Form2::IsTouching(object, square(1000, 1000 + 400, 255, 400)));
}

TEST_F(PickupTest, StepOntoAnObjectAtTheEdgeOfContact) {
    // After the step the player's Left equals the object's Left - 96: no contact yet.
    put(board.Coins, 1000 + 96 + 96, 1000);
    press(keys::Right);
    EXPECT_TRUE(board.Coins.visible());
    put(board.Mio, 1000, 1000);
    put(board.Coins, 1000 + 96 + 95, 1000);
    platform.queueDraw(4, 10);
    press(keys::Right);
    EXPECT_FALSE(board.Coins.visible());
    EXPECT_EQ(status().Gold.text(), QStringLiteral("14"));
}

TEST_F(PickupTest, EachPickUpAddsOneToTenToItsStat) {
    struct Case {
        ui::Label* object;
        ui::Label* stat;
        const char* message;
    };
    const Case cases[] = {
        {&board.Coins, &status().Gold, "You got the gold"},
        {&board.Hit, &status().Hits, "You got the hits"},
        {&board.Food, &status().Food, "You got the foods"},
        {&board.Serum, &status().Serum, "You got the serum"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        for (int amount : {1, 10}) {
            const double before = c.stat->text().toDouble();
            underPlayer(*c.object);
            platform.queueDraw(amount, 10);
            press('A');
            EXPECT_EQ(c.stat->text(), ui::numberText(before + amount));
            EXPECT_FALSE(c.object->visible());
            EXPECT_EQ(status().message(), QString::fromLatin1(c.message));
            EXPECT_TRUE(platform.randoms.empty());
        }
    }
}

TEST_F(PickupTest, OnlyTheFirstTouchingObjectActsInATurn) {
    underPlayer(board.Coins);
    underPlayer(board.Food);
    platform.queueDraw(5, 10);
    press('A');
    EXPECT_EQ(status().Gold.text(), QStringLiteral("15"));
    EXPECT_TRUE(board.Food.visible());
    EXPECT_EQ(status().Food.text(), QStringLiteral("20"));

    platform.queueDraw(6, 10);
    press('A');
    EXPECT_FALSE(board.Food.visible());
    EXPECT_EQ(status().Food.text(), QStringLiteral("26"));
}

TEST_F(PickupTest, TheGateComesBeforeEveryOtherObject) {
    underPlayer(board.Gate);
    underPlayer(board.Coins);
    underPlayer(board.Trap);
    press('A');
    EXPECT_FALSE(board.Pic.visible());
    EXPECT_EQ(board.Camin.text(), QStringLiteral("1"));
    EXPECT_FALSE(board.InCammino.isSet());
    EXPECT_TRUE(board.Coins.visible());
    EXPECT_EQ(status().Gold.text(), QStringLiteral("10"));
    EXPECT_FALSE(board.G.isSet());
    EXPECT_EQ(status().Liv.text(), QStringLiteral("1"));
}

TEST_F(PickupTest, FightStillRunsAfterTheGate) {
    underPlayer(board.Gate);
    status().Hits.setText(QStringLiteral("0"));
    press('A');
    EXPECT_EQ(board.Camin.text(), QStringLiteral("1"));
    EXPECT_EQ(status().message(), QStringLiteral("No hits!!!"));
}

TEST_F(PickupTest, AHiddenObjectNeverActs) {
    for (ui::Label* object : {&board.Gate, &board.Coins, &board.Hit, &board.Food, &board.Serum,
                              &board.PSecret, &board.Trap}) {
        underPlayer(*object);
        object->setVisible(false);
    }
    const int calls = platform.randomCalls;
    press('A');
    EXPECT_EQ(platform.randomCalls, calls);
    EXPECT_TRUE(board.Pic.visible());
    EXPECT_EQ(status().Liv.text(), QStringLiteral("1"));
    EXPECT_FALSE(board.G.isSet());
    EXPECT_TRUE(status().message().isEmpty());
}

TEST_F(PickupTest, ThePassageRaisesTheLevelByTwoAndBuildsTheNextOnTheKeptBoard) {
    board.InCammino.setText(QStringLiteral("1")); // a board chosen in the path section is kept
    status().Liv.setText(QStringLiteral("97"));
    underPlayer(board.PSecret);
    LevelPlan next;
    next.newBoard = false;
    next.coins = ObjectPlan{300, 300};
    queueBuild(next);
    press('A');
    EXPECT_EQ(status().Liv.text(), QStringLiteral("99"));
    EXPECT_EQ(status().message(), QStringLiteral("Secret passage +2 Level!"));
    EXPECT_DOUBLE_EQ(board.Mio.left(), 2000);
    EXPECT_DOUBLE_EQ(board.Mio.top(), 1500);
    EXPECT_TRUE(platform.randoms.empty()); // the level was built
    EXPECT_TRUE(board.Coins.visible());
    EXPECT_FALSE(board.PSecret.visible());
    EXPECT_DOUBLE_EQ(board.Pic.left(), 600);
}

TEST_F(PickupTest, ThePassageOnTheFirstLevelLaysOutANewBoard) {
    underPlayer(board.PSecret);
    LevelPlan next;
    next.board = {900, 700, 5000, 3600};
    queueBuild(next);
    press('A');
    EXPECT_EQ(status().Liv.text(), QStringLiteral("3"));
    EXPECT_DOUBLE_EQ(board.Pic.left(), 900);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 2500);
    EXPECT_DOUBLE_EQ(board.Mio.top(), 1800);
    EXPECT_TRUE(platform.randoms.empty());
}

TEST_F(PickupTest, QuicksandHoldsThePlayerUntilTheTrapLetsGo) {
    underPlayer(board.Trap);
    press('A');
    EXPECT_EQ(board.G.text(), QStringLiteral("1"));
    EXPECT_TRUE(board.Trappola.enabled());
    EXPECT_TRUE(board.Trap.visible());
    EXPECT_EQ(board.Trap.text(), QStringLiteral("5"));
    EXPECT_TRUE(status().message().isEmpty());

    press(keys::Right);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 1000);

    platform.queueDraw(10, 20); // the trap vanishes
    game.advance(5000);
    EXPECT_FALSE(board.G.isSet());
    press(keys::Right);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 1096);
}
