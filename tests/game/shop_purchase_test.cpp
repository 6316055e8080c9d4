// What gold, food and prayer get in the shop: stats, food conversion, a wider board, time, lives,
// a rope, and the mercy of the gods.
#include "game_fixture.h"

#include <string>
#include <tuple>
#include <vector>

namespace {

const QString kNoGold = QStringLiteral("You do not have enough gold!");

} // namespace

TEST_F(ShopTest, EachPurchaseBelowAtAndAboveItsPrice) {
    struct Purchase {
        char key;
        ui::Label MainWindow::*stat; // none: the rope
        int amount;
        int price;
    };
    const Purchase purchases[] = {
        {'A', &MainWindow::energy, 5, 10},     {'B', &MainWindow::armor, 10, 7},
        {'C', &MainWindow::serum, 20, 5},      {'D', &MainWindow::hits, 1, 1},
        {'K', &MainWindow::continues, 1, 100}, {'R', nullptr, 0, 30},
    };
    start();
    ShopWindow& shop = openShop();
    for (const auto& [key, stat, amount, price] : purchases) {
        for (int gold : {price - 1, price, price + 1}) {
            SCOPED_TRACE(std::string(1, key) + " with " + std::to_string(gold));
            const bool buys = gold >= price;
            const int goldAfter = buys ? gold - price : gold;
            if (stat)
                (status().*stat).setText(QStringLiteral("50"));
            status().setRope(false);
            status().gold.setText(QString::number(gold));
            status().setMessage({});
            shop.message.setText({});
            press(key);
            EXPECT_EQ(status().gold.text(), QString::number(goldAfter));
            if (stat) {
                EXPECT_EQ((status().*stat).text(), QString::number(buys ? 50 + amount : 50));
            }
            EXPECT_EQ(status().hasRope(), !stat && buys);
            // A to D say it in the shop whenever the gold left is below the price; K and R on
            // the message line when the gold is short.
            const bool stats = key <= 'D';
            EXPECT_EQ(stats ? shop.message.text() : status().message(),
                      (stats ? goldAfter < price : !buys) ? kNoGold : QString());
        }
    }
    // A second rope costs its price and is still one rope.
    press('R');
    EXPECT_EQ(status().gold.text(), QStringLiteral("1"));
    EXPECT_TRUE(status().hasRope());
}

TEST_F(ShopTest, FoodBecomesEnergyOrSerumToTheNearestWholeNumber) {
    // The whole amount moves, however large; less than one moves nothing.
    const std::tuple<const char*, int, const char*> cases[] = {
        {"0", 0, "0"}, {"7", 7, "0"}, {"100000", 100000, "0"}, {"2.6", 3, "0"}, {"0.5", 0, "0.5"},
    };
    start();
    ShopWindow& shop = openShop();
    for (const auto& [key, stat] :
         {std::pair{'E', &MainWindow::energy}, {'F', &MainWindow::serum}}) {
        for (const auto& [food, gain, foodAfter] : cases) {
            SCOPED_TRACE(std::string(1, key) + " with " + food);
            (status().*stat).setText(QStringLiteral("30"));
            status().food.setText(QString::fromLatin1(food));
            shop.message.setText({});
            press(key);
            EXPECT_EQ((status().*stat).text(), QString::number(30 + gain));
            EXPECT_EQ(status().food.text(), QString::fromLatin1(foodAfter));
            EXPECT_EQ(shop.message.text(), QStringLiteral("You do not have enough foods!"));
        }
    }
}

TEST_F(ShopTest, WallExpansionNeedsElevenEnergyAndTenGold) {
    BoardWindow& boardWindow = start();
    openShop();
    const double gate = boardWindow.gate.left();
    for (const auto& [energy, gold] : {std::pair{"10", "50"}, {"50", "9"}}) {
        status().energy.setText(QString::fromLatin1(energy));
        status().gold.setText(QString::fromLatin1(gold));
        status().setMessage({});
        press('W');
        EXPECT_EQ(status().message(), QStringLiteral("You do not have enough energy or gold!"));
        EXPECT_EQ(status().energy.text(), QString::fromLatin1(energy));
        EXPECT_EQ(status().gold.text(), QString::fromLatin1(gold));
        EXPECT_EQ(boardWindow.board.width(), 4000);
        EXPECT_EQ(boardWindow.gate.left(), gate);
    }
    status().energy.setText(QStringLiteral("11"));
    status().gold.setText(QStringLiteral("10"));
    status().setMessage({});
    press('W');
    EXPECT_EQ(boardWindow.board.width(), 10000);
    EXPECT_EQ(boardWindow.gate.left(), 100);
    EXPECT_EQ(status().energy.text(), QStringLiteral("1"));
    EXPECT_EQ(status().gold.text(), QStringLiteral("0"));
    EXPECT_TRUE(status().message().isEmpty());
    EXPECT_NE(game.shop(), nullptr);
}

TEST_F(ShopTest, TimeIsSetToTwoMinutesFromAboveOrBelowForTenFoodAndTenGold) {
    start();
    openShop();
    for (const char* left : {"300", "50"}) {
        status().timeLeft.setText(QString::fromLatin1(left));
        status().food.setText(QStringLiteral("10"));
        status().gold.setText(QStringLiteral("15"));
        press('T');
        EXPECT_EQ(status().timeLeft.text(), QStringLiteral("120"));
        EXPECT_EQ(status().food.text(), QStringLiteral("0"));
        EXPECT_EQ(status().gold.text(), QStringLiteral("5"));
    }
    status().timeLeft.setText(QStringLiteral("50"));
    status().food.setText(QStringLiteral("9"));
    status().gold.setText(QStringLiteral("100"));
    press('T');
    EXPECT_EQ(status().timeLeft.text(), QStringLiteral("50"));
    EXPECT_EQ(status().message(), QStringLiteral("You do not have enough food or gold!"));
}

TEST_F(ShopTest, AnAnsweredPrayerRestoresEverythingAndStartsTheClock) {
    start();
    ShopWindow& shop = openShop();
    status().energy.setText(QStringLiteral("3"));
    status().continues.setText(QStringLiteral("0"));
    const int reseeds = platform.reseeds;
    platform.queueDraw(1, 500);
    press('G');
    EXPECT_EQ(platform.reseeds, reseeds + 1);
    MainWindow& s = status();
    EXPECT_EQ(fields(), (std::vector<QString>{"1", "100", "100", "100", "100", "100", "100", "900",
                                              "Anna", "5"}));
    EXPECT_TRUE(s.hasRope());
    EXPECT_EQ(shop.message.text(), QStringLiteral("God had mercy."));
    EXPECT_EQ(game.shop(), &shop);
    // The countdown now runs while the shop is open.
    game.advance(1000);
    EXPECT_EQ(s.timeLeft.text(), QStringLiteral("899"));
}

TEST_F(ShopTest, AnUnansweredPrayerCostsOneEnergyAndWithoutEnergyEndsTheGame) {
    BoardWindow& boardWindow = start();
    ShopWindow& shop = openShop();
    status().energy.setText(QStringLiteral("1"));
    platform.queueDraw(2, 500);
    press('G');
    EXPECT_EQ(status().energy.text(), QStringLiteral("0"));
    EXPECT_EQ(shop.message.text(), QStringLiteral("Nothing happens."));
    EXPECT_FALSE(status().hasRope());
    EXPECT_FALSE(status().countdown.enabled());
    ASSERT_EQ(game.shop(), &shop);

    const int draws = platform.randomCalls;
    const int reseeds = platform.reseeds;
    press('G');
    EXPECT_EQ(platform.reseeds, reseeds + 1);
    EXPECT_EQ(platform.randomCalls, draws); // no draw once the energy is gone
    EXPECT_EQ(status().message(), QStringLiteral("Game Over. Sorry. Too many requests."));
    EXPECT_TRUE(boardWindow.gameOver.isSet());
    EXPECT_FALSE(boardWindow.player.visible());
    EXPECT_EQ(status().energy.text(), QStringLiteral("0"));
    EXPECT_EQ(game.shop(), nullptr);
    // The close that ends the game leaves the clock and the wall stopped.
    EXPECT_FALSE(boardWindow.closingWall.enabled());
    const QString left = status().timeLeft.text();
    game.advance(5000);
    EXPECT_EQ(status().timeLeft.text(), left);

    // Less than no energy as well.
    backToMenu();
    start();
    openShop();
    status().energy.setText(QStringLiteral("-4"));
    press('G');
    EXPECT_TRUE(this->boardWindow().gameOver.isSet());
    EXPECT_EQ(game.shop(), nullptr);
}
