// One exchange of blows a turn with the first monster touching the player.
#include "play_fixture.h"

namespace {

// The player at 1000, 1000 on the 4000 x 3000 board; each monster that is to fight stands on it.
// A hunting draw of 1 keeps a monster in the player's row, so it still touches after the hunt.
class CombatTest : public PlayTest {
  protected:
    CombatTest() : board(start()) {
        put(board.Mio, 1000, 1000);
        put(board.Gate, 120, 120, false);
    }

    // A monster of the given level on the player; the demon and the spider keep the gate away.
    void fighter(ui::Label& monster, const char* level) {
        put(monster, 1000, 1000);
        monster.setText(QString::fromLatin1(level));
    }
    // Queues the hunt of every visible monster (staying in the player's row) and the exchange.
    void queueTurn(int r) {
        for (const ui::Label* monster : {&board.Monster, &board.Spider, &board.Bat})
            if (monster->visible())
                platform.queueDraw(1, 8);
        platform.queueDraw(r, 100);
    }

    Form2& board;
};

} // namespace

TEST_F(CombatTest, ArmorAbsorbsADemonsBlow) {
    fighter(board.Monster, "3");
    queueTurn(49);
    press('A');
    EXPECT_EQ(status().Armor.text(), QStringLiteral("7"));
    EXPECT_EQ(status().Energy.text(), QStringLiteral("100"));
    EXPECT_TRUE(status().message().isEmpty());
    EXPECT_DOUBLE_EQ(board.Mio.left(), 1000);
    EXPECT_DOUBLE_EQ(board.Mio.top(), 1000);
    EXPECT_TRUE(platform.randoms.empty()); // no knock-back drawn
}

TEST_F(CombatTest, SerumAbsorbsTheSpidersAndTheBatsBlows) {
    fighter(board.Spider, "4");
    queueTurn(1);
    press('A');
    EXPECT_EQ(status().Serum.text(), QStringLiteral("16"));
    board.Spider.setVisible(false);
    fighter(board.Bat, "6");
    queueTurn(1);
    press('A');
    EXPECT_EQ(status().Serum.text(), QStringLiteral("10"));
    EXPECT_EQ(status().Armor.text(), QStringLiteral("10"));
    EXPECT_EQ(status().Energy.text(), QStringLiteral("100"));
}

TEST_F(CombatTest, ABlowThroughTheProtectionCostsTheWholeLevelAndKnocksThePlayerBack) {
    struct Case {
        int d;
        double left, top;
    };
    const Case cases[] = {{1, 1000, 1255}, {2, 1255, 1000}, {3, 1000, 745}, {4, 745, 1000}};
    double energy = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.d);
        put(board.Mio, 1000, 1000);
        fighter(board.Monster, "3");
        status().Armor.setText(QStringLiteral("2"));
        queueTurn(1);
        platform.queueDraw(c.d, 4);
        press('A');
        energy -= 3;
        EXPECT_EQ(status().Armor.text(), QStringLiteral("0"));
        EXPECT_EQ(status().Energy.text(), QString::number(energy));
        EXPECT_EQ(status().message(), QStringLiteral("Demon Attack!"));
        EXPECT_DOUBLE_EQ(board.Mio.left(), c.left);
        EXPECT_DOUBLE_EQ(board.Mio.top(), c.top);
        EXPECT_DOUBLE_EQ(board.Monster.left(), 1000); // the monster stays where it hunted
        EXPECT_TRUE(platform.randoms.empty());
    }
    EXPECT_FALSE(board.GameOver.isSet());
}

TEST_F(CombatTest, SpiderAndBatStrikeThroughSerumWithTheirOwnMessages) {
    status().Serum.setText(QStringLiteral("0"));
    fighter(board.Spider, "2");
    queueTurn(10);
    platform.queueDraw(1, 4);
    press('A');
    EXPECT_EQ(status().message(), QStringLiteral("Spider Attack!"));
    EXPECT_EQ(status().Energy.text(), QStringLiteral("98"));

    board.Spider.setVisible(false);
    put(board.Mio, 1000, 1000);
    fighter(board.Bat, "7");
    queueTurn(10);
    platform.queueDraw(1, 4);
    press('A');
    EXPECT_EQ(status().message(), QStringLiteral("BAT Attack!"));
    EXPECT_EQ(status().Energy.text(), QStringLiteral("91"));
    EXPECT_EQ(status().Serum.text(), QStringLiteral("0"));
}

TEST_F(CombatTest, AKnockBackToTheBoardsEdgeIsNoFall) {
    status().Armor.setText(QStringLiteral("0"));
    put(board.Mio, 255, 1000);
    fighter(board.Monster, "1");
    put(board.Monster, 255, 1000);
    queueTurn(1);
    platform.queueDraw(4, 4);
    press('A');
    EXPECT_DOUBLE_EQ(board.Mio.left(), 0);
    EXPECT_FALSE(board.GameOver.isSet());

    put(board.Mio, 4000 - 510, 1000);
    put(board.Monster, 4000 - 510, 1000);
    queueTurn(1);
    platform.queueDraw(2, 4);
    press('A');
    EXPECT_DOUBLE_EQ(board.Mio.left() + board.Mio.width(), 4000);
    EXPECT_FALSE(board.GameOver.isSet());
}

TEST_F(CombatTest, AKnockBackOffTheBoardIsAFall) {
    status().Armor.setText(QStringLiteral("0"));
    put(board.Mio, 1000, 200);
    fighter(board.Monster, "1");
    put(board.Monster, 1000, 200);
    queueTurn(1);
    platform.queueDraw(3, 4);
    press('A');
    EXPECT_DOUBLE_EQ(board.Mio.top(), -55);
    EXPECT_EQ(board.GameOver.text(), QStringLiteral("1"));
    EXPECT_EQ(status().message(), QStringLiteral("Game Over. You have fallen into the ravine"));
    EXPECT_NE(game.shop(), nullptr);
}

TEST_F(CombatTest, APlayersStrikeLowersTheLevelAndSpendsAHit) {
    fighter(board.Monster, "3");
    queueTurn(51);
    platform.queueDraw(8, 10); // the gold is drawn but not dropped
    press('A');
    EXPECT_EQ(board.Monster.text(), QStringLiteral("2"));
    EXPECT_TRUE(board.Monster.visible());
    EXPECT_EQ(status().Hits.text(), QStringLiteral("19"));
    EXPECT_EQ(status().Gold.text(), QStringLiteral("10"));
    EXPECT_EQ(status().message(), QStringLiteral("Your Attack!"));
    EXPECT_TRUE(platform.randoms.empty());
}

TEST_F(CombatTest, KillingStrikeWithAHitDropsGoldAndShowsTheGate) {
    fighter(board.Bat, "1");
    put(board.Monster, 3000, 2500); // the demon lives on, far off: the gate stays where it is
    queueTurn(100);
    platform.queueDraw(7, 10);
    press('A');
    EXPECT_FALSE(board.Bat.visible());
    EXPECT_EQ(board.Bat.text(), QStringLiteral("0"));
    EXPECT_EQ(status().Gold.text(), QStringLiteral("17"));
    EXPECT_EQ(status().Hits.text(), QStringLiteral("19"));
    EXPECT_EQ(status().message(), QStringLiteral("Your Attack!"));
    EXPECT_TRUE(board.Gate.visible());
    EXPECT_DOUBLE_EQ(board.Gate.left(), 120);
    EXPECT_TRUE(board.Monster.visible());
}

TEST_F(CombatTest, ALevelOneMonsterDiesWithoutHits) {
    status().Hits.setText(QStringLiteral("0"));
    fighter(board.Monster, "1");
    queueTurn(75);
    platform.queueDraw(1, 10);
    press('A');
    EXPECT_FALSE(board.Monster.visible());
    EXPECT_EQ(board.Monster.text(), QStringLiteral("1"));
    EXPECT_EQ(status().Gold.text(), QStringLiteral("11"));
    EXPECT_EQ(status().Hits.text(), QStringLiteral("0"));
    EXPECT_EQ(status().message(), QStringLiteral("No hits!!!"));
}

TEST_F(CombatTest, ALevelTwoMonsterCannotBeHarmedWithoutHits) {
    status().Hits.setText(QStringLiteral("0"));
    fighter(board.Spider, "2");
    for (int strike = 0; strike < 5; ++strike) {
        queueTurn(99);
        platform.queueDraw(10, 10);
        press('A');
    }
    EXPECT_TRUE(board.Spider.visible());
    EXPECT_EQ(board.Spider.text(), QStringLiteral("2"));
    EXPECT_EQ(status().Gold.text(), QStringLiteral("10"));
    EXPECT_TRUE(platform.randoms.empty());
}

TEST_F(CombatTest, OnlyTheFirstTouchingMonsterFights) {
    fighter(board.Monster, "5");
    fighter(board.Spider, "5");
    fighter(board.Bat, "5");
    queueTurn(1);
    press('A');
    EXPECT_EQ(status().Armor.text(), QStringLiteral("5"));
    EXPECT_EQ(status().Serum.text(), QStringLiteral("20"));

    put(board.Monster, 3000, 2500); // far off: the spider comes next
    queueTurn(1);
    press('A');
    EXPECT_EQ(status().Armor.text(), QStringLiteral("5"));
    EXPECT_EQ(status().Serum.text(), QStringLiteral("15"));
    EXPECT_TRUE(platform.randoms.empty());
}

TEST_F(CombatTest, ADrawOf50DoesNothing) {
    fighter(board.Monster, "1");
    queueTurn(50);
    press('A');
    EXPECT_TRUE(board.Monster.visible());
    EXPECT_EQ(status().Armor.text(), QStringLiteral("10"));
    EXPECT_EQ(status().Hits.text(), QStringLiteral("20"));
    EXPECT_EQ(status().Gold.text(), QStringLiteral("10"));
    EXPECT_TRUE(status().message().isEmpty());
    EXPECT_TRUE(platform.randoms.empty());
}

TEST_F(CombatTest, NoEnergySendsThePlayerToTheRavineBeforeAnyMonsterIsLookedAt) {
    status().Energy.setText(QStringLiteral("0"));
    fighter(board.Monster, "1");
    platform.queueDraw(1, 8); // the hunt; no exchange is drawn
    press('A');
    EXPECT_TRUE(platform.randoms.empty());
    EXPECT_EQ(board.GameOver.text(), QStringLiteral("1"));
    EXPECT_TRUE(board.Monster.visible());
    EXPECT_EQ(status().message(), QStringLiteral("Game Over. You have fallen into the ravine"));
}

TEST_F(CombatTest, WarningsReplaceEachOtherInTheirOrder) {
    put(board.Coins, 1000, 1000);
    status().Hits.setText(QStringLiteral("0"));
    platform.queueDraw(3, 10);
    press('A');
    EXPECT_EQ(status().message(), QStringLiteral("No hits!!!")); // after "You got the gold"

    status().Energy.setText(QStringLiteral("9"));
    press('A');
    EXPECT_EQ(status().message(), QStringLiteral("Low energy!!!"));
}

TEST_F(CombatTest, OneEnergyWarnsAndStillFights) {
    status().Energy.setText(QStringLiteral("1"));
    fighter(board.Monster, "2");
    queueTurn(50);
    press('A');
    EXPECT_TRUE(platform.randoms.empty()); // the exchange was drawn
    EXPECT_EQ(status().message(), QStringLiteral("Low energy!!!"));
    EXPECT_FALSE(board.GameOver.isSet());

    queueTurn(51);
    platform.queueDraw(1, 10);
    press('A');
    EXPECT_EQ(board.Monster.text(), QStringLiteral("1"));
    EXPECT_EQ(status().message(), QStringLiteral("Your Attack!"));
}
