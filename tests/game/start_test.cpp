// Program start, the main menu's keys, and the board window's creation, start-up tick and close.
#include "game_fixture.h"
#include "shell/menu_window.h"

namespace {

class StartTest : public GameTest {};

} // namespace

TEST_F(StartTest, StartUpShowsTheMenuOverTheInitialStatusWithThePanelHidden) {
    EXPECT_EQ(fields(), (std::vector<QString>{"1", "100", "10", "10", "20", "20", "20", "120",
                                              "Player", "5"}));
    EXPECT_FALSE(status().hasRope());
    EXPECT_TRUE(status().message().isEmpty());
    EXPECT_FALSE(status().statusPanel.visible());
    EXPECT_FALSE(status().countdown.enabled());
    EXPECT_FALSE(status().statusTimer.enabled());
    ASSERT_NE(game.menu(), nullptr);
    EXPECT_EQ(game.boardWindow(), nullptr);
    MenuWindow& menu = *game.menu();
    EXPECT_DOUBLE_EQ(menu.top(), (platform.screenH - menu.height()) / 2.5);
    EXPECT_DOUBLE_EQ(menu.left(), (platform.screenW - menu.width()) / 2);
    // The hidden panel's captions take no clicks.
    game.click(status().captions[0]);
    EXPECT_TRUE(platform.prompts.empty());
}

TEST_F(StartTest, XEndsHOpensTheHelpPageLWithoutASaveSaysSoAndOtherKeysDoNothing) {
    for (int key : {int('A'), int('Q'), int('5'), keys::Escape, keys::Left, 13, 32})
        press(key);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.addresses.empty());
    EXPECT_EQ(platform.exits, 0);
    press('L');
    EXPECT_EQ(platform.messages, std::vector<QString>{QStringLiteral("No saved game")});
    EXPECT_EQ(game.boardWindow(), nullptr);
    EXPECT_EQ(fields()[0], QStringLiteral("1"));
    EXPECT_FALSE(status().countdown.enabled());
    press('H');
    ASSERT_EQ(platform.addresses.size(), 1u);
    EXPECT_TRUE(platform.addresses[0].startsWith(QStringLiteral("file://")));
    EXPECT_TRUE(platform.addresses[0].endsWith(QStringLiteral("/help/index.html")));
    press('X');
    EXPECT_EQ(platform.exits, 1);
    EXPECT_NE(game.menu(), nullptr);
    EXPECT_TRUE(platform.prompts.empty());
}

TEST_F(StartTest, NInEitherCaseStartsAtLevel1KeepingNameContinuesAndRope) {
    MainWindow& s = status();
    for (ui::Label* field :
         {&s.level, &s.energy, &s.armor, &s.gold, &s.hits, &s.food, &s.serum, &s.timeLeft})
        field->setText(QStringLiteral("7"));
    s.playerName.setText(QStringLiteral("Bo"));
    s.continues.setText(QStringLiteral("2"));
    s.setRope(true);
    game.keyDown('N', 'n'); // the key code is the same for both cases
    ASSERT_NE(game.boardWindow(), nullptr);
    EXPECT_EQ(game.menu(), nullptr);
    EXPECT_TRUE(platform.prompts.empty());
    EXPECT_EQ(fields(),
              (std::vector<QString>{"1", "100", "10", "10", "20", "20", "20", "120", "Bo", "2"}));
    EXPECT_TRUE(s.hasRope());
    EXPECT_TRUE(s.countdown.enabled());
}

TEST_F(StartTest, NameIsAskedUntilOneIsGivenThenKept) {
    press('N'); // no answer queued: the box is cancelled
    EXPECT_EQ(status().playerName.text(), QStringLiteral("Player"));
    ASSERT_EQ(platform.prompts.size(), 1u);
    EXPECT_EQ(platform.prompts[0].prompt, QStringLiteral("What is your name?"));
    EXPECT_EQ(platform.prompts[0].title, QStringLiteral("Vexmoor"));
    EXPECT_EQ(platform.prompts[0].proposed, QStringLiteral("Player"));

    backToMenu();
    platform.queueAnswer(QStringLiteral("Anna Maria "));
    press('N');
    EXPECT_EQ(status().playerName.text(), QStringLiteral("Anna Maria "));
    backToMenu();
    press('N');
    EXPECT_EQ(platform.prompts.size(), 2u);
    EXPECT_EQ(status().playerName.text(), QStringLiteral("Anna Maria "));
}

TEST_F(StartTest, TheTickFillsTheMainWindowShowsThePanelAndBuildsOnce) {
    platform.queueAnswer(QStringLiteral("Anna"));
    press('N');
    BoardWindow& boardWindow = this->boardWindow();
    EXPECT_TRUE(status().countdown.enabled());
    EXPECT_FALSE(status().statusPanel.visible());
    EXPECT_EQ(platform.randomCalls, 0);

    game.advance(10);
    EXPECT_DOUBLE_EQ(boardWindow.top(), 1);
    EXPECT_DOUBLE_EQ(boardWindow.left(), 1);
    EXPECT_DOUBLE_EQ(boardWindow.width(), status().width() - 120);
    EXPECT_DOUBLE_EQ(boardWindow.height(), status().height() - 735 - 510);
    EXPECT_TRUE(status().statusPanel.visible());
    EXPECT_GT(platform.randomCalls, 0); // the first level is built
    EXPECT_TRUE(boardWindow.closingWall.enabled());
    EXPECT_TRUE(boardWindow.drift.enabled());

    const int calls = platform.randomCalls;
    boardWindow.closingWall.setEnabled(false);
    boardWindow.drift.setEnabled(false);
    game.advance(1000);
    EXPECT_EQ(platform.randomCalls, calls);

    game.close(boardWindow);
    EXPECT_FALSE(status().statusPanel.visible());
}

TEST_F(StartTest, BoardTakesItsColourFromPicBack) {
    const std::pair<QString, ui::Colour> cases[] = {
        {QStringLiteral("1"), 1u}, {QString(), 4210752u}, {QStringLiteral("red"), 0x404040u}};
    for (const auto& [picBack, colour] : cases) {
        SCOPED_TRACE(picBack.toStdString());
        if (game.boardWindow())
            backToMenu();
        status().boardColour.setText(picBack);
        EXPECT_EQ(start().board.backColour(), colour);
    }
}
