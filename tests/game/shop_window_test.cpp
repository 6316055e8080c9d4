// The shop window: its design, opening it from the board and leaving it, the commands that stay
// open while the game is over, a new game and a continue.
#include "shop_fixture.h"

#include <QDir>
#include <QFile>
#include <string>

TEST_F(ShopTest, DesignedAsTheShopMenu) {
    Form3 shop(game);
    EXPECT_EQ(shop.caption(), QStringLiteral("Shop"));
    EXPECT_EQ(shop.backColour(), 0x000000u);
    EXPECT_DOUBLE_EQ(shop.width() - 2 * ui::Window::kBorder, 6330);
    EXPECT_DOUBLE_EQ(shop.height() - shop.clientTop() - ui::Window::kBorder, 6825);
    EXPECT_EQ(shop.Text1.text(),
              QStringLiteral("A - Buy Energy (5E = 10 Gold)\r\nB - Buy Armor  (10A = 7 Gold)\r\n"
                             "C - Buy Serum  (20S = 5 Gold)\r\nD - Buy Hits   (1H = 1 Gold)\r\n\r\n"
                             "E - Convert Food in Energy\r\nF - Convert Food in Serum\r\n\r\n"
                             "G - Pray your God\r\nW - Buy Wall expansion (10 GD,10 EN)\r\n"
                             "T - Buy Time (10 GD,10 FD)\r\nK - Buy 1 Life (100 GD)\r\n"
                             "R - Buy Rope (30 GD)\r\n\r\nN - New Game\r\n"
                             "Z - Try again (Contine)\r\nL - Load\r\nS - Save\r\n\r\n"
                             "H - Help (online)\r\n\r\nX - Close Shop\r\nQ - End\r\n"));
    EXPECT_EQ(shop.Text1.look().foreColour, 0x008000u);
    EXPECT_EQ(shop.Text1.look().font.points, 11.25);
    EXPECT_EQ(shop.Text1.look().font.weight, 700);
    EXPECT_EQ(shop.Line1.x1(), 120);
    EXPECT_EQ(shop.Line1.x2(), 6240);
    EXPECT_EQ(shop.Line1.y1(), 6000);
    EXPECT_EQ(shop.Line1.y2(), 6000);
    EXPECT_EQ(shop.Line1.colour(), 0x80FFFFu);
    EXPECT_TRUE(shop.Msg.text().isEmpty());
    EXPECT_TRUE(shop.Msg.look().opaque);
    EXPECT_EQ(shop.Msg.look().font.points, 9.75);
    EXPECT_EQ(shop.Msg.top(), 6120);
    EXPECT_EQ(shop.Nascosto.left(), 5760);
    EXPECT_TRUE(shop.Timer1.enabled());
}

TEST_F(ShopTest, EscapeOnTheBoardOpensTheShopAndStopsTheClock) {
    Form2& board = startGame();
    board.Wall.setEnabled(true);
    press(keys::Escape);
    ASSERT_NE(game.shop(), nullptr);
    Form3& shop = *game.shop();
    EXPECT_EQ(shop.caption(), QStringLiteral("Welcome to shop Anna"));
    EXPECT_DOUBLE_EQ(shop.top(), (platform.screenH - shop.height()) / 2.5);
    EXPECT_DOUBLE_EQ(shop.left(), (platform.screenW - shop.width()) / 2);
    EXPECT_EQ(shop.Nascosto.left(), -20000);
    EXPECT_FALSE(board.enabled());
    EXPECT_FALSE(board.Wall.enabled());
    EXPECT_FALSE(status().Timer1.enabled());
    game.advance(1);
    EXPECT_FALSE(shop.Timer1.enabled());

    const QString left = status().Tempo.text();
    game.advance(5000);
    EXPECT_EQ(status().Tempo.text(), left);
    EXPECT_EQ(game.shop(), &shop);
}

TEST_F(ShopTest, LeavingTheShopRestartsTheClockAndTheWall) {
    Form2& board = startGame();
    for (int key : {keys::Escape, int('X')}) {
        openShop();
        press(key);
        EXPECT_EQ(shop(), nullptr);
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
    EXPECT_EQ(shop(), nullptr);
    EXPECT_TRUE(status().Timer1.enabled());
}

TEST_F(ShopTest, WhileTheGameIsOverOnlyNLZHAndQAct) {
    Form2& board = startGame();
    Form3& shop = openShop();
    board.GameOver.setText(QStringLiteral("1"));
    status().Food.setText(QStringLiteral("15"));
    status().Gold.setText(QStringLiteral("500"));
    status().Energy.setText(QStringLiteral("50"));
    const auto snapshot = [this] {
        MDIForm1& s = status();
        return std::vector<QString>{
            s.Liv.text(),  s.Energy.text(), s.Armor.text(), s.Gold.text(),     s.Hits.text(),
            s.Food.text(), s.Serum.text(),  s.Tempo.text(), s.ContPart.text(), s.message()};
    };
    const auto before = snapshot();
    const double width = board.Pic.width();
    const int draws = platform.randomCalls, reseeds = platform.reseeds;
    for (char key : std::string("ABCDEFGSWTRKX"))
        press(key);
    press(keys::Escape);
    EXPECT_EQ(game.shop(), &shop);
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(shop.Msg.text().isEmpty());
    EXPECT_FALSE(status().hasRope());
    EXPECT_EQ(board.Pic.width(), width);
    EXPECT_EQ(platform.randomCalls, draws);
    EXPECT_EQ(platform.reseeds, reseeds);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(QFile::exists(QDir(programDir.path()).filePath(QStringLiteral("Save.ini"))));

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

TEST_F(ShopTest, NewGameWhileTheGameIsOver) {
    startGame().GameOver.setText(QStringLiteral("1"));
    openShop();
    press('N');
    EXPECT_EQ(shop(), nullptr);
    EXPECT_FALSE(board().GameOver.isSet());
}

TEST_F(ShopTest, NewGameMakesANewBoardWithStartingValues) {
    Form2* old = &startGame();
    openShop();
    MDIForm1& s = status();
    s.Liv.setText(QStringLiteral("12"));
    s.Gold.setText(QStringLiteral("77"));
    s.Tempo.setText(QStringLiteral("3"));
    s.ContPart.setText(QStringLiteral("2"));
    s.setRope(true);
    const size_t prompts = platform.prompts.size();
    press('N');
    ASSERT_NE(game.board(), nullptr);
    EXPECT_NE(game.board(), old);
    EXPECT_EQ(shop(), nullptr);
    EXPECT_EQ(platform.prompts.size(), prompts); // the name stays
    EXPECT_EQ(s.Player.text(), QStringLiteral("Anna"));
    const std::vector<QString> fields{s.Energy.text(), s.Food.text(),  s.Serum.text(),
                                      s.Hits.text(),   s.Armor.text(), s.Gold.text(),
                                      s.Tempo.text(),  s.Liv.text(),   s.ContPart.text()};
    const std::vector<QString> expected{"100", "20", "20", "20", "10", "10", "120", "1", "5"};
    EXPECT_EQ(fields, expected);
    EXPECT_FALSE(s.hasRope());
    EXPECT_TRUE(board().enabled());
    EXPECT_TRUE(board().InitScreen.enabled());
    EXPECT_TRUE(s.Timer1.enabled());
    game.advance(10);
    EXPECT_TRUE(s.Picture1.visible());
}

TEST_F(ShopTest, ContinueRestartsThePlayerAndCountsDown) {
    Form2& board = startGame();
    openShop();
    board.GameOver.setText(QStringLiteral("1"));
    board.Mio.setVisible(false);
    board.Mio2.setVisible(false);
    board.Pic.setWidth(5000);
    board.Pic.setHeight(3000);
    MDIForm1& s = status();
    s.Energy.setText(QStringLiteral("0"));
    s.Liv.setText(QStringLiteral("7"));
    s.setRope(true);
    press('Z');
    EXPECT_EQ(s.ContPart.text(), QStringLiteral("4"));
    EXPECT_EQ(s.message(), QStringLiteral("You will can to continue only 4 times"));
    EXPECT_EQ(s.Energy.text(), QStringLiteral("100"));
    EXPECT_EQ(s.Tempo.text(), QStringLiteral("120"));
    EXPECT_EQ(s.Liv.text(), QStringLiteral("7"));
    EXPECT_TRUE(s.hasRope());
    EXPECT_FALSE(board.GameOver.isSet());
    EXPECT_TRUE(board.Mio.visible());
    EXPECT_TRUE(board.Mio2.visible());
    EXPECT_EQ(board.Mio.top(), 1500);
    EXPECT_EQ(board.Mio.left(), 2500);
    EXPECT_EQ(s.Timer2.interval(), 3000);
    EXPECT_FALSE(s.Timer2.enabled()); // its running state stays
    EXPECT_EQ(shop(), nullptr);
    EXPECT_TRUE(s.Timer1.enabled());
}

TEST_F(ShopTest, TheLastContinueAndThenNoMore) {
    startGame();
    MDIForm1& s = status();
    s.ContPart.setText(QStringLiteral("1"));
    openShop();
    press('Z');
    EXPECT_EQ(s.ContPart.text(), QStringLiteral("0"));
    EXPECT_EQ(s.message(), QStringLiteral("You will can to continue only 0 times"));
    s.Gold.setText(QStringLiteral("3"));
    openShop();
    press('Z');
    ASSERT_NE(shop(), nullptr);
    EXPECT_EQ(message(), QStringLiteral("Not is possible again!"));
    EXPECT_EQ(s.ContPart.text(), QStringLiteral("0"));
    EXPECT_EQ(s.Gold.text(), QStringLiteral("3"));
    s.ContPart.setText(QStringLiteral("-2"));
    press('Z');
    EXPECT_EQ(s.ContPart.text(), QStringLiteral("0"));
}

TEST_F(ShopTest, HelpEndAndOtherKeys) {
    startGame();
    openShop();
    press('H');
    ASSERT_EQ(platform.addresses.size(), 1u);
    EXPECT_TRUE(platform.addresses[0].endsWith(QStringLiteral("/help/index.html")));
    for (char key : std::string("IJMOPUVY5"))
        press(key);
    press(keys::Left);
    EXPECT_NE(shop(), nullptr);
    EXPECT_TRUE(message().isEmpty());
    press('Q');
    EXPECT_EQ(platform.exits, 1);
}

TEST_F(ShopTest, AnEmptyContinueCountAfterAShortLoadIsNoContinue) {
    startGame();
    status().ContPart.setText(QString());
    openShop();
    press('Z');
    ASSERT_NE(shop(), nullptr);
    EXPECT_EQ(message(), QStringLiteral("Not is possible again!"));
    EXPECT_EQ(status().ContPart.text(), QStringLiteral("0"));
}
