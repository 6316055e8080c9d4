// One exchange of blows a turn with the first monster touching the player.
#include "game_fixture.h"

namespace {

const char* const kFell = "Game Over. You have fallen into the ravine";

// The player at 1000, 1000 on the 4000 x 3000 board, the gate hidden at 120, 120. A hunting draw
// of 1 keeps a monster in the player's row, so one standing on the player still touches.
class CombatTest : public GameTest {
  protected:
    CombatTest() : boardWindow(start()) {
        put(boardWindow.player, 1000, 1000);
        put(boardWindow.gate, 120, 120, false);
    }

    // A monster of the given level standing on the player.
    void fighter(ui::Label& monster, int level) {
        put(monster, boardWindow.player.left(), boardWindow.player.top());
        monster.setText(QString::number(level));
    }
    // Queues the hunt of every visible monster (staying in the player's row) and the exchange.
    void queueTurn(int r) {
        for (const ui::Label* monster : {&boardWindow.demon, &boardWindow.spider, &boardWindow.bat})
            if (monster->visible())
                platform.queueDraw(1, 8);
        platform.queueDraw(r, 100);
    }

    BoardWindow& boardWindow;
};

} // namespace

TEST_F(CombatTest, AMonstersBlowIsAbsorbedOrCostsTheLevelAndKnocksThePlayerBack) {
    ui::Label* const armor = &status().armor;
    ui::Label* const serum = &status().serum;
    struct Case {
        ui::Label* monster;
        ui::Label* protection;
        int level;
        const char *before, *after;
        int d; // the knock-back: 1 down, 2 right, 3 up, 4 left; 0 for a blow absorbed
        double left, top, afterLeft, afterTop;
        const char* message;
    };
    // Knocked back onto the board's edge is still on it; past the top edge is a fall.
    const Case cases[] = {
        {&boardWindow.demon, armor, 3, "10", "7", 0, 1000, 1000, 1000, 1000, ""},
        {&boardWindow.spider, serum, 4, "20", "16", 0, 1000, 1000, 1000, 1000, ""},
        {&boardWindow.bat, serum, 6, "16", "10", 0, 1000, 1000, 1000, 1000, ""},
        {&boardWindow.demon, armor, 3, "2", "0", 1, 1000, 1000, 1000, 1255, "Demon Attack!"},
        {&boardWindow.spider, serum, 2, "2", "0", 2, 1000, 1000, 1255, 1000, "Spider Attack!"},
        {&boardWindow.bat, serum, 7, "2", "0", 3, 1000, 1000, 1000, 745, "BAT Attack!"},
        {&boardWindow.demon, armor, 3, "2", "0", 4, 255, 1000, 0, 1000, "Demon Attack!"},
        {&boardWindow.demon, armor, 3, "2", "0", 2, 3490, 1000, 3745, 1000, "Demon Attack!"},
        {&boardWindow.demon, armor, 3, "2", "0", 3, 1000, 255, 1000, 0, "Demon Attack!"},
        {&boardWindow.demon, armor, 3, "2", "0", 1, 1000, 2490, 1000, 2745, "Demon Attack!"},
        {&boardWindow.demon, armor, 3, "2", "0", 3, 1000, 200, 1000, -55, kFell},
    };
    int energy = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.message << c.level << " knocked " << c.d);
        put(boardWindow.player, c.left, c.top);
        fighter(*c.monster, c.level);
        c.protection->setText(QString::fromLatin1(c.before));
        queueTurn(c.d ? 1 : 49);
        if (c.d)
            platform.queueDraw(c.d, 4);
        press('A');
        c.monster->setVisible(false);
        energy -= c.d ? c.level : 0;
        EXPECT_TRUE(platform.randoms.empty());
        EXPECT_EQ(c.protection->text(), QString::fromLatin1(c.after));
        EXPECT_EQ(status().energy.text(),
                  QString::number(boardWindow.gameOver.isSet() ? 0 : energy));
        EXPECT_EQ(status().message(), QString::fromLatin1(c.message));
        EXPECT_DOUBLE_EQ(boardWindow.player.left(), c.afterLeft);
        EXPECT_DOUBLE_EQ(boardWindow.player.top(), c.afterTop);
        EXPECT_DOUBLE_EQ(c.monster->left(), c.left); // the monster stays where it hunted
        EXPECT_EQ(boardWindow.gameOver.isSet(), c.afterTop < 0);
    }
}

TEST_F(CombatTest, ThePlayersStrikeSpendsAHitAndTheLastLevelNeedsNone) {
    struct Case {
        ui::Label* monster;
        int level;
        const char* hits;
        int r;
        int loot; // 0: no gold drawn
        const char* levelAfter;
        bool killed;
        const char* hitsAfter;
        const char* message;
    };
    const Case cases[] = {
        {&boardWindow.demon, 3, "20", 51, 8, "2", false, "19", "Your Attack!"},
        {&boardWindow.bat, 1, "20", 100, 7, "0", true, "19", "Your Attack!"},
        {&boardWindow.demon, 1, "0", 75, 1, "1", true, "0", "No hits!!!"},
        {&boardWindow.demon, 2, "0", 99, 10, "2", false, "0", "No hits!!!"},
        {&boardWindow.demon, 1, "20", 50, 0, "1", false, "20", ""},
    };
    // The spider lives on far off, so the gate shown by a kill stays where it is.
    put(boardWindow.spider, 3000, 2500);
    int gold = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.r);
        fighter(*c.monster, c.level);
        put(boardWindow.gate, 120, 120, false);
        status().hits.setText(QString::fromLatin1(c.hits));
        status().setMessage({});
        queueTurn(c.r);
        if (c.loot)
            platform.queueDraw(c.loot, 10);
        press('A');
        gold += c.killed ? c.loot : 0;
        EXPECT_TRUE(platform.randoms.empty());
        EXPECT_EQ(c.monster->text(), QString::fromLatin1(c.levelAfter));
        EXPECT_EQ(c.monster->visible(), !c.killed);
        EXPECT_EQ(status().gold.text(), QString::number(gold));
        EXPECT_EQ(status().hits.text(), QString::fromLatin1(c.hitsAfter));
        EXPECT_EQ(status().message(), QString::fromLatin1(c.message));
        EXPECT_EQ(boardWindow.gate.visible(), c.killed);
        EXPECT_DOUBLE_EQ(boardWindow.gate.left(), 120);
        c.monster->setVisible(false);
    }
}

TEST_F(CombatTest, OnlyTheFirstTouchingMonsterFights) {
    fighter(boardWindow.demon, 5);
    fighter(boardWindow.spider, 5);
    fighter(boardWindow.bat, 5);
    queueTurn(1);
    press('A');
    EXPECT_EQ(status().armor.text(), QStringLiteral("5"));
    EXPECT_EQ(status().serum.text(), QStringLiteral("20"));

    put(boardWindow.demon, 3000, 2500); // far off: the spider comes next
    queueTurn(1);
    press('A');
    EXPECT_EQ(status().armor.text(), QStringLiteral("5"));
    EXPECT_EQ(status().serum.text(), QStringLiteral("15"));
    EXPECT_TRUE(platform.randoms.empty());
}

TEST_F(CombatTest, NoEnergySendsThePlayerToTheRavineBeforeAnyMonsterIsLookedAt) {
    status().energy.setText(QStringLiteral("0"));
    fighter(boardWindow.demon, 1);
    const int calls = platform.randomCalls;
    press('A'); // the hunt, and no exchange
    EXPECT_EQ(platform.randomCalls, calls + 1);
    EXPECT_EQ(boardWindow.gameOver.text(), QStringLiteral("1"));
    EXPECT_TRUE(boardWindow.demon.visible());
    EXPECT_EQ(status().message(), QString::fromLatin1(kFell));
}

TEST_F(CombatTest, WarningsFollowThePickUpAndPrecedeTheExchange) {
    put(boardWindow.goldPickup, 1000, 1000);
    status().hits.setText(QStringLiteral("0"));
    platform.queueDraw(3, 10);
    press('A');
    EXPECT_EQ(status().message(), QStringLiteral("No hits!!!")); // after "You got the gold"

    // Low energy replaces the hits warning, and one point of energy still fights.
    status().energy.setText(QStringLiteral("1"));
    fighter(boardWindow.demon, 2);
    queueTurn(50);
    press('A');
    EXPECT_TRUE(platform.randoms.empty()); // the exchange was drawn
    EXPECT_EQ(status().message(), QStringLiteral("Low energy!!!"));
    EXPECT_FALSE(boardWindow.gameOver.isSet());

    status().hits.setText(QStringLiteral("5"));
    queueTurn(51);
    platform.queueDraw(1, 10);
    press('A');
    EXPECT_EQ(boardWindow.demon.text(), QStringLiteral("1"));
    EXPECT_EQ(status().message(), QStringLiteral("Your Attack!"));
}
