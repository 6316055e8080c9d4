// Program start, the main menu's keys, and the board window's creation, start-up tick and close.
#include "game_fixture.h"
#include "shell/form1.h"

namespace {

class StartTest : public GameTest {};

} // namespace

TEST_F(StartTest, StartUpShowsTheMenuOverTheInitialStatusWithThePanelHidden) {
    EXPECT_EQ(fields(), (std::vector<QString>{"1", "100", "10", "10", "20", "20", "20", "120",
                                              "Player", "5"}));
    EXPECT_FALSE(status().hasRope());
    EXPECT_TRUE(status().message().isEmpty());
    EXPECT_FALSE(status().Picture1.visible());
    EXPECT_FALSE(status().Timer1.enabled());
    EXPECT_FALSE(status().Timer2.enabled());
    ASSERT_NE(game.menu(), nullptr);
    EXPECT_EQ(game.board(), nullptr);
    Form1& menu = *game.menu();
    EXPECT_DOUBLE_EQ(menu.top(), (platform.screenH - menu.height()) / 2.5);
    EXPECT_DOUBLE_EQ(menu.left(), (platform.screenW - menu.width()) / 2);
    // The hidden panel's captions take no clicks.
    game.click(status().Et[0]);
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
    EXPECT_EQ(game.board(), nullptr);
    EXPECT_EQ(fields()[0], QStringLiteral("1"));
    EXPECT_FALSE(status().Timer1.enabled());
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
    MDIForm1& s = status();
    for (ui::Label* field :
         {&s.Liv, &s.Energy, &s.Armor, &s.Gold, &s.Hits, &s.Food, &s.Serum, &s.Tempo})
        field->setText(QStringLiteral("7"));
    s.Player.setText(QStringLiteral("Bo"));
    s.ContPart.setText(QStringLiteral("2"));
    s.setRope(true);
    game.keyDown('N', 'n'); // the key code is the same for both cases
    ASSERT_NE(game.board(), nullptr);
    EXPECT_EQ(game.menu(), nullptr);
    EXPECT_TRUE(platform.prompts.empty());
    EXPECT_EQ(fields(),
              (std::vector<QString>{"1", "100", "10", "10", "20", "20", "20", "120", "Bo", "2"}));
    EXPECT_TRUE(s.hasRope());
    EXPECT_TRUE(s.Timer1.enabled());
}

TEST_F(StartTest, NameIsAskedUntilOneIsGivenThenKept) {
    press('N'); // no answer queued: the box is cancelled
    EXPECT_EQ(status().Player.text(), QStringLiteral("Player"));
    ASSERT_EQ(platform.prompts.size(), 1u);
    EXPECT_EQ(platform.prompts[0].prompt, QStringLiteral("What is your name?"));
    EXPECT_EQ(platform.prompts[0].title, QStringLiteral("Vexmoor"));
    EXPECT_EQ(platform.prompts[0].proposed, QStringLiteral("Player"));

    backToMenu();
    platform.queueAnswer(QStringLiteral("Anna Maria "));
    press('N');
    EXPECT_EQ(status().Player.text(), QStringLiteral("Anna Maria "));
    backToMenu();
    press('N');
    EXPECT_EQ(platform.prompts.size(), 2u);
    EXPECT_EQ(status().Player.text(), QStringLiteral("Anna Maria "));
}

TEST_F(StartTest, TheTickFillsTheMainWindowShowsThePanelAndBuildsOnce) {
    platform.queueAnswer(QStringLiteral("Anna"));
    press('N');
    Form2& board = this->board();
    EXPECT_TRUE(status().Timer1.enabled());
    EXPECT_FALSE(status().Picture1.visible());
    EXPECT_EQ(platform.randomCalls, 0);

    game.advance(10);
    EXPECT_DOUBLE_EQ(board.top(), 1);
    EXPECT_DOUBLE_EQ(board.left(), 1);
    EXPECT_DOUBLE_EQ(board.width(), status().width() - 120);
    EXPECT_DOUBLE_EQ(board.height(), status().height() - 735 - 510);
    EXPECT_TRUE(status().Picture1.visible());
    EXPECT_GT(platform.randomCalls, 0); // the first level is built
    EXPECT_TRUE(board.Wall.enabled());
    EXPECT_TRUE(board.Wall2.enabled());

    const int calls = platform.randomCalls;
    board.Wall.setEnabled(false);
    board.Wall2.setEnabled(false);
    game.advance(1000);
    EXPECT_EQ(platform.randomCalls, calls);

    game.close(board);
    EXPECT_FALSE(status().Picture1.visible());
}

TEST_F(StartTest, BoardTakesItsColourFromPicBack) {
    const std::pair<QString, ui::Colour> cases[] = {
        {QStringLiteral("1"), 1u}, {QString(), 4210752u}, {QStringLiteral("red"), 0x404040u}};
    for (const auto& [picBack, colour] : cases) {
        SCOPED_TRACE(picBack.toStdString());
        if (game.board())
            backToMenu();
        status().PicBack.setText(picBack);
        EXPECT_EQ(start().Pic.backColour(), colour);
    }
}
