// The shop window: opening it from the board and leaving it, the commands that stay open while
// the game is over, a new game and a continue.
#include "game_fixture.h"

#include <string>
#include <vector>

TEST_F(ShopTest, EscapeOpensTheShopWithTheClockAndTheWallStoppedAndLeavingRestartsThem) {
    Form2& board = start();
    Form3& shop = openShop();
    EXPECT_TRUE(board.Gate.visible()); // the key was a turn too: the gate came to the centre
    EXPECT_DOUBLE_EQ(board.Gate.left(), 2000);
    EXPECT_EQ(shop.caption(), QStringLiteral("Welcome to shop Anna"));
    EXPECT_DOUBLE_EQ(shop.top(), (platform.screenH - shop.height()) / 2.5);
    EXPECT_DOUBLE_EQ(shop.left(), (platform.screenW - shop.width()) / 2);
    EXPECT_FALSE(board.enabled());
    EXPECT_FALSE(board.Wall.enabled());
    EXPECT_FALSE(status().Timer1.enabled());
    const QString left = status().Tempo.text();
    game.advance(5000);
    EXPECT_EQ(status().Tempo.text(), left);

    // Keys without a command do nothing; H opens the help page.
    for (char key : std::string("IJMOPUVY5"))
        press(key);
    press(keys::Left);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 1000); // the board takes no keys
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
        EXPECT_TRUE(board.enabled());
        EXPECT_TRUE(board.Wall.enabled());
        EXPECT_TRUE(status().Timer1.enabled());
    }
}

TEST_F(ShopTest, AShopWithoutABoardOpensAndClosesSafely) {
    game.openShop();
    press('W');
    press('S');
    press('X');
    EXPECT_EQ(game.shop(), nullptr);
    EXPECT_TRUE(status().Timer1.enabled());
}

TEST_F(ShopTest, WhileTheGameIsOverOnlyNLZHAndQAct) {
    Form2& board = start();
    board.GameOver.setText(QStringLiteral("1"));
    Form3& shop = openShop();
    status().Food.setText(QStringLiteral("15"));
    status().Gold.setText(QStringLiteral("500"));
    status().Energy.setText(QStringLiteral("50"));
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
    EXPECT_TRUE(shop.Msg.text().isEmpty());
    EXPECT_FALSE(status().hasRope());
    EXPECT_EQ(board.Pic.width(), 4000);
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
    EXPECT_FALSE(board.GameOver.isSet());
}

TEST_F(ShopTest, NewGameMakesANewBoardWithStartingValuesEvenWhenTheGameIsOver) {
    Form2* old = &start();
    openShop();
    old->GameOver.setText(QStringLiteral("1"));
    MDIForm1& s = status();
    s.Liv.setText(QStringLiteral("12"));
    s.Gold.setText(QStringLiteral("77"));
    s.Tempo.setText(QStringLiteral("3"));
    s.ContPart.setText(QStringLiteral("2"));
    s.setRope(true);
    press('N');
    ASSERT_NE(game.board(), nullptr);
    EXPECT_NE(game.board(), old);
    EXPECT_EQ(game.shop(), nullptr);
    EXPECT_EQ(platform.prompts.size(), 1u); // the name stays
    EXPECT_EQ(fields(),
              (std::vector<QString>{"1", "100", "10", "10", "20", "20", "20", "120", "Anna", "5"}));
    EXPECT_FALSE(s.hasRope());
    EXPECT_FALSE(board().GameOver.isSet());
    EXPECT_TRUE(s.Timer1.enabled());
    game.advance(10);
    EXPECT_TRUE(s.Picture1.visible());
}

TEST_F(ShopTest, ContinueRestartsThePlayerUntilNoneIsLeft) {
    Form2& board = start();
    openShop();
    board.GameOver.setText(QStringLiteral("1"));
    board.Mio.setVisible(false);
    board.Mio2.setVisible(false);
    board.Pic.setWidth(5000);
    MDIForm1& s = status();
    s.Energy.setText(QStringLiteral("0"));
    s.Liv.setText(QStringLiteral("7"));
    s.ContPart.setText(QStringLiteral("2"));
    s.setRope(true);
    s.Timer2.setInterval(1000);
    press('Z');
    EXPECT_EQ(game.shop(), nullptr);
    EXPECT_EQ(s.ContPart.text(), QStringLiteral("1"));
    EXPECT_EQ(s.message(), QStringLiteral("You will can to continue only 1 times"));
    EXPECT_EQ(s.Energy.text(), QStringLiteral("100"));
    EXPECT_EQ(s.Tempo.text(), QStringLiteral("120"));
    EXPECT_EQ(s.Liv.text(), QStringLiteral("7"));
    EXPECT_TRUE(s.hasRope());
    EXPECT_FALSE(board.GameOver.isSet());
    EXPECT_TRUE(board.Mio.visible());
    EXPECT_TRUE(board.Mio2.visible());
    EXPECT_EQ(board.Mio.left(), 2500);
    EXPECT_EQ(s.Timer2.interval(), 3000);
    EXPECT_TRUE(s.Timer1.enabled());

    openShop();
    press('Z');
    EXPECT_EQ(s.message(), QStringLiteral("You will can to continue only 0 times"));

    // None left, fewer than none, or none written (a short save file): no continue.
    s.Gold.setText(QStringLiteral("3"));
    openShop();
    for (const QString& left : {QStringLiteral("0"), QStringLiteral("-2"), QString()}) {
        s.ContPart.setText(left);
        press('Z');
        ASSERT_NE(game.shop(), nullptr);
        EXPECT_EQ(message(), QStringLiteral("Not is possible again!"));
        EXPECT_EQ(s.ContPart.text(), QStringLiteral("0"));
    }
    EXPECT_EQ(s.Gold.text(), QStringLiteral("3"));
}
