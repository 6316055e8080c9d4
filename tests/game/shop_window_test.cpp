// The shop window: opening it from the board and leaving it, the commands that stay open while
// the game is over, a new game and a continue.
#include "game_fixture.h"

#include <string>
#include <vector>

TEST_F(ShopTest, EscapeOpensTheShopWithTheClockAndTheWallStoppedAndLeavingRestartsThem) {
    BoardWindow& boardWindow = start();
    ShopWindow& shop = openShop();
    EXPECT_TRUE(boardWindow.gate.visible()); // the key was a turn too: the gate came to the centre
    EXPECT_DOUBLE_EQ(boardWindow.gate.left(), 2000);
    EXPECT_EQ(shop.caption(), QStringLiteral("Welcome to shop Anna"));
    EXPECT_DOUBLE_EQ(shop.top(), (platform.screenH - shop.height()) / 2.5);
    EXPECT_DOUBLE_EQ(shop.left(), (platform.screenW - shop.width()) / 2);
    EXPECT_FALSE(boardWindow.enabled());
    EXPECT_FALSE(boardWindow.closingWall.enabled());
    EXPECT_FALSE(status().countdown.enabled());
    const QString left = status().timeLeft.text();
    game.advance(5000);
    EXPECT_EQ(status().timeLeft.text(), left);

    // Keys without a command do nothing; H opens the help page.
    for (char key : std::string("IJMOPUVY5"))
        press(key);
    press(keys::Left);
    EXPECT_DOUBLE_EQ(boardWindow.player.left(), 1000); // the board takes no keys
    press('H');
    EXPECT_EQ(game.shop(), &shop);
    EXPECT_TRUE(message().isEmpty());
    ASSERT_EQ(platform.addresses.size(), 1u);
    EXPECT_TRUE(platform.addresses[0].endsWith(QStringLiteral("/help/index.html")));

    for (int key : {keys::Escape, int('X')}) {
        if (!game.shop())
            openShop();
        press(key);
        EXPECT_EQ(game.shop(), nullptr);
        EXPECT_TRUE(boardWindow.enabled());
        EXPECT_TRUE(boardWindow.closingWall.enabled());
        EXPECT_TRUE(status().countdown.enabled());
    }
}

TEST_F(ShopTest, AShopWithoutABoardOpensAndClosesSafely) {
    game.openShop();
    press('W');
    press('S');
    press('X');
    EXPECT_EQ(game.shop(), nullptr);
    EXPECT_TRUE(status().countdown.enabled());
}

TEST_F(ShopTest, WhileTheGameIsOverOnlyNLZHAndQAct) {
    BoardWindow& boardWindow = start();
    boardWindow.gameOver.setText(QStringLiteral("1"));
    ShopWindow& shop = openShop();
    status().food.setText(QStringLiteral("15"));
    status().gold.setText(QStringLiteral("500"));
    status().energy.setText(QStringLiteral("50"));
    const auto snapshot = [this] {
        std::vector<QString> texts = fields();
        texts.push_back(status().message());
        return texts;
    };
    const auto before = snapshot();
    const int draws = platform.randomCalls, reseeds = platform.reseeds;
    for (char key : std::string("ABCDEFGSWTRKX"))
        press(key);
    press(keys::Escape);
    EXPECT_EQ(game.shop(), &shop);
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(shop.message.text().isEmpty());
    EXPECT_FALSE(status().hasRope());
    EXPECT_EQ(boardWindow.board.width(), 4000);
    EXPECT_EQ(platform.randomCalls, draws);
    EXPECT_EQ(platform.reseeds, reseeds);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(QFile::exists(savePath()));

    press('H');
    EXPECT_EQ(platform.addresses.size(), 1u);
    press('Q');
    EXPECT_EQ(platform.exits, 1);
    press('L');
    EXPECT_EQ(platform.messages, std::vector<QString>{QStringLiteral("No saved game")});
    press('Z');
    EXPECT_EQ(game.shop(), nullptr);
    EXPECT_FALSE(boardWindow.gameOver.isSet());
}

TEST_F(ShopTest, NewGameMakesANewBoardWithStartingValuesEvenWhenTheGameIsOver) {
    BoardWindow* old = &start();
    openShop();
    old->gameOver.setText(QStringLiteral("1"));
    MainWindow& s = status();
    s.level.setText(QStringLiteral("12"));
    s.gold.setText(QStringLiteral("77"));
    s.timeLeft.setText(QStringLiteral("3"));
    s.continues.setText(QStringLiteral("2"));
    s.setRope(true);
    press('N');
    ASSERT_NE(game.boardWindow(), nullptr);
    EXPECT_NE(game.boardWindow(), old);
    EXPECT_EQ(game.shop(), nullptr);
    EXPECT_EQ(platform.prompts.size(), 1u); // the name stays
    EXPECT_EQ(fields(),
              (std::vector<QString>{"1", "100", "10", "10", "20", "20", "20", "120", "Anna", "5"}));
    EXPECT_FALSE(s.hasRope());
    EXPECT_FALSE(boardWindow().gameOver.isSet());
    EXPECT_TRUE(s.countdown.enabled());
    game.advance(10);
    EXPECT_TRUE(s.statusPanel.visible());
}

TEST_F(ShopTest, ContinueRestartsThePlayerUntilNoneIsLeft) {
    BoardWindow& boardWindow = start();
    openShop();
    boardWindow.gameOver.setText(QStringLiteral("1"));
    boardWindow.player.setVisible(false);
    boardWindow.pathPlayer.setVisible(false);
    boardWindow.board.setWidth(5000);
    MainWindow& s = status();
    s.energy.setText(QStringLiteral("0"));
    s.level.setText(QStringLiteral("7"));
    s.continues.setText(QStringLiteral("2"));
    s.setRope(true);
    s.statusTimer.setInterval(1000);
    press('Z');
    EXPECT_EQ(game.shop(), nullptr);
    EXPECT_EQ(s.continues.text(), QStringLiteral("1"));
    EXPECT_EQ(s.message(), QStringLiteral("You will can to continue only 1 times"));
    EXPECT_EQ(s.energy.text(), QStringLiteral("100"));
    EXPECT_EQ(s.timeLeft.text(), QStringLiteral("120"));
    EXPECT_EQ(s.level.text(), QStringLiteral("7"));
    EXPECT_TRUE(s.hasRope());
    EXPECT_FALSE(boardWindow.gameOver.isSet());
    EXPECT_TRUE(boardWindow.player.visible());
    EXPECT_TRUE(boardWindow.pathPlayer.visible());
    EXPECT_EQ(boardWindow.player.left(), 2500);
    EXPECT_EQ(s.statusTimer.interval(), 3000);
    EXPECT_TRUE(s.countdown.enabled());

    openShop();
    press('Z');
    EXPECT_EQ(s.message(), QStringLiteral("You will can to continue only 0 times"));

    // None left, fewer than none, or none written (a short save file): no continue.
    s.gold.setText(QStringLiteral("3"));
    openShop();
    for (const QString& left : {QStringLiteral("0"), QStringLiteral("-2"), QString()}) {
        s.continues.setText(left);
        press('Z');
        ASSERT_NE(game.shop(), nullptr);
        EXPECT_EQ(message(), QStringLiteral("Not is possible again!"));
        EXPECT_EQ(s.continues.text(), QStringLiteral("0"));
    }
    EXPECT_EQ(s.gold.text(), QStringLiteral("3"));
}
