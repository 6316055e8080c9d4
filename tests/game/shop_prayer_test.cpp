// Praying in the shop: one answer in 500, otherwise a point of energy, and no energy ends the game.
#include "shop_fixture.h"

TEST_F(ShopTest, AnAnsweredPrayerRestoresEverything) {
    startGame();
    Form3& shop = openShop();
    status().Energy.setText(QStringLiteral("3"));
    status().ContPart.setText(QStringLiteral("0"));
    const int reseeds = platform.reseeds;
    platform.queueDraw(1, 500);
    press('G');
    EXPECT_EQ(platform.reseeds, reseeds + 1);
    MDIForm1& s = status();
    const std::vector<QString> fields{s.Energy.text(), s.Food.text(),    s.Serum.text(),
                                      s.Hits.text(),   s.Armor.text(),   s.Gold.text(),
                                      s.Tempo.text(),  s.ContPart.text()};
    const std::vector<QString> expected{"100", "100", "100", "100", "100", "100", "900", "5"};
    EXPECT_EQ(fields, expected);
    EXPECT_TRUE(s.hasRope());
    EXPECT_EQ(shop.Msg.text(), QStringLiteral("God had mercy."));
    EXPECT_EQ(game.shop(), &shop);
    // The countdown now runs while the shop is open.
    EXPECT_TRUE(s.Timer1.enabled());
    game.advance(1000);
    EXPECT_EQ(s.Tempo.text(), QStringLiteral("899"));
}

TEST_F(ShopTest, AnUnansweredPrayerCostsOneEnergy) {
    startGame();
    Form3& shop = openShop();
    for (int r : {2, 500}) {
        status().Energy.setText(QStringLiteral("40"));
        platform.queueDraw(r, 500);
        press('G');
        EXPECT_EQ(status().Energy.text(), QStringLiteral("39"));
        EXPECT_EQ(shop.Msg.text(), QStringLiteral("Nothing happens."));
        EXPECT_FALSE(status().hasRope());
        EXPECT_FALSE(status().Timer1.enabled());
    }
}

TEST_F(ShopTest, PrayingWithoutEnergyEndsTheGame) {
    Form2& board = startGame();
    openShop();
    status().Energy.setText(QStringLiteral("1"));
    platform.queueDraw(2, 500);
    press('G');
    EXPECT_EQ(status().Energy.text(), QStringLiteral("0"));
    ASSERT_NE(shop(), nullptr);

    const int draws = platform.randomCalls;
    const int reseeds = platform.reseeds;
    press('G');
    EXPECT_EQ(platform.reseeds, reseeds + 1);
    EXPECT_EQ(platform.randomCalls, draws); // no draw once the energy is gone
    EXPECT_EQ(status().message(), QStringLiteral("Game Over. Sorry. Too many requests."));
    EXPECT_TRUE(board.GameOver.isSet());
    EXPECT_FALSE(board.Mio.visible());
    EXPECT_EQ(status().Energy.text(), QStringLiteral("0"));
    EXPECT_EQ(shop(), nullptr);
    EXPECT_TRUE(board.enabled());
    // The close that ends the game leaves the clock and the wall stopped.
    EXPECT_FALSE(status().Timer1.enabled());
    EXPECT_FALSE(board.Wall.enabled());
    const QString left = status().Tempo.text();
    game.advance(5000);
    EXPECT_EQ(status().Tempo.text(), left);
}

TEST_F(ShopTest, NegativeEnergyAlsoEndsTheGame) {
    startGame();
    openShop();
    status().Energy.setText(QStringLiteral("-4"));
    press('G');
    EXPECT_EQ(shop(), nullptr);
    EXPECT_EQ(status().Energy.text(), QStringLiteral("0"));
    EXPECT_TRUE(board().GameOver.isSet());
}
