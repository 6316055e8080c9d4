// What gold and food buy in the shop: stats, food conversion, a wider board, time, lives, a rope.
#include "shop_fixture.h"

namespace {

struct Purchase {
    char key;
    ui::Label MDIForm1::*stat;
    int amount;
    int price;
};

const Purchase kPurchases[] = {
    {'A', &MDIForm1::Energy, 5, 10},
    {'B', &MDIForm1::Armor, 10, 7},
    {'C', &MDIForm1::Serum, 20, 5},
    {'D', &MDIForm1::Hits, 1, 1},
};

const QString kNoGold = QStringLiteral("You do not have enough gold!");
const QString kNoFood = QStringLiteral("You do not have enough foods!");

} // namespace

TEST_F(ShopTest, EachPurchaseAtAroundAndAbovePrice) {
    startGame();
    for (const Purchase& p : kPurchases) {
        SCOPED_TRACE(std::string(1, p.key));
        ui::Label& stat = status().*p.stat;
        // Gold before, whether it buys, and whether "not enough" follows.
        const struct {
            int gold;
            bool buys;
        } cases[] = {
            {p.price - 1, false}, {p.price, true}, {p.price + 1, true}, {2 * p.price, true}};
        for (const auto& c : cases) {
            SCOPED_TRACE(c.gold);
            stat.setText(QStringLiteral("50"));
            status().Gold.setText(QString::number(c.gold));
            Form3& shop = openShop();
            press(p.key);
            const int goldAfter = c.buys ? c.gold - p.price : c.gold;
            EXPECT_EQ(stat.text(), QString::number(c.buys ? 50 + p.amount : 50));
            EXPECT_EQ(status().Gold.text(), QString::number(goldAfter));
            EXPECT_EQ(shop.Msg.text(), goldAfter < p.price ? kNoGold : QString());
            press('X');
        }
    }
}

TEST_F(ShopTest, FoodBecomesEnergyOrSerum) {
    startGame();
    for (const auto& [key, stat] : {std::pair{'E', &MDIForm1::Energy}, {'F', &MDIForm1::Serum}}) {
        for (const auto& [food, gain] : {std::pair{0, 0}, {7, 7}, {100000, 100000}}) {
            SCOPED_TRACE(food);
            (status().*stat).setText(QStringLiteral("30"));
            status().Food.setText(QString::number(food));
            Form3& shop = openShop();
            press(key);
            EXPECT_EQ((status().*stat).text(), QString::number(30 + gain));
            EXPECT_EQ(status().Food.text(), QStringLiteral("0"));
            EXPECT_EQ(shop.Msg.text(), kNoFood); // also after every conversion
            press('X');
        }
    }
}

TEST_F(ShopTest, FoodIsTakenAsTheNearestWholeNumber) {
    startGame();
    status().Food.setText(QStringLiteral("2.6"));
    status().Energy.setText(QStringLiteral("10"));
    openShop();
    press('E');
    EXPECT_EQ(status().Energy.text(), QStringLiteral("13"));
    status().Food.setText(QStringLiteral("0.5"));
    press('E');
    EXPECT_EQ(status().Energy.text(), QStringLiteral("13"));
    EXPECT_EQ(status().Food.text(), QStringLiteral("0.5"));
}

TEST_F(ShopTest, WallExpansionNeedsElevenEnergyAndTenGold) {
    Form2& board = startGame();
    const double width = board.Pic.width();
    const double gate = board.Gate.left();
    setStats(QStringLiteral("10"), QStringLiteral("50"));
    openShop();
    press('W');
    EXPECT_EQ(status().message(), QStringLiteral("You do not have enough energy or gold!"));
    EXPECT_EQ(board.Pic.width(), width);
    EXPECT_EQ(board.Gate.left(), gate);
    setStats(QStringLiteral("50"), QStringLiteral("9"));
    status().setMessage({});
    press('W');
    EXPECT_EQ(status().message(), QStringLiteral("You do not have enough energy or gold!"));
    EXPECT_EQ(status().Gold.text(), QStringLiteral("9"));

    setStats(QStringLiteral("11"), QStringLiteral("50"));
    status().setMessage({});
    press('W');
    EXPECT_EQ(board.Pic.width(), 10000);
    EXPECT_EQ(board.Gate.left(), 100);
    EXPECT_EQ(status().Energy.text(), QStringLiteral("1"));
    EXPECT_EQ(status().Gold.text(), QStringLiteral("40"));
    EXPECT_TRUE(status().message().isEmpty());
    EXPECT_NE(shop(), nullptr);
}

TEST_F(ShopTest, TimeIsSetBackToTwoMinutes) {
    startGame();
    openShop();
    for (const char* left : {"300", "50"}) {
        status().Tempo.setText(QString::fromLatin1(left));
        status().Food.setText(QStringLiteral("10"));
        status().Gold.setText(QStringLiteral("15"));
        press('T');
        EXPECT_EQ(status().Tempo.text(), QStringLiteral("120"));
        EXPECT_EQ(status().Food.text(), QStringLiteral("0"));
        EXPECT_EQ(status().Gold.text(), QStringLiteral("5"));
    }
    status().Tempo.setText(QStringLiteral("50"));
    status().Food.setText(QStringLiteral("9"));
    status().Gold.setText(QStringLiteral("100"));
    press('T');
    EXPECT_EQ(status().Tempo.text(), QStringLiteral("50"));
    EXPECT_EQ(status().message(), QStringLiteral("You do not have enough food or gold!"));
}

TEST_F(ShopTest, ALifeCostsAHundredGold) {
    startGame();
    openShop();
    status().Gold.setText(QStringLiteral("100"));
    press('K');
    EXPECT_EQ(status().Gold.text(), QStringLiteral("0"));
    EXPECT_EQ(status().ContPart.text(), QStringLiteral("6"));
    EXPECT_TRUE(status().message().isEmpty());
    status().Gold.setText(QStringLiteral("99"));
    press('K');
    EXPECT_EQ(status().Gold.text(), QStringLiteral("99"));
    EXPECT_EQ(status().ContPart.text(), QStringLiteral("6"));
    EXPECT_EQ(status().message(), kNoGold);
}

TEST_F(ShopTest, ARopeCostsThirtyGoldAndOneIsTheMost) {
    startGame();
    openShop();
    status().Gold.setText(QStringLiteral("29"));
    press('R');
    EXPECT_FALSE(status().hasRope());
    EXPECT_EQ(status().message(), kNoGold);
    status().Gold.setText(QStringLiteral("60"));
    press('R');
    EXPECT_TRUE(status().hasRope());
    EXPECT_EQ(status().Gold.text(), QStringLiteral("30"));
    press('R');
    EXPECT_TRUE(status().hasRope());
    EXPECT_EQ(status().Gold.text(), QStringLiteral("0"));
}
