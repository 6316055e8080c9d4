// Program start and the main menu's keys.
#include "board/form2.h"
#include "game_fixture.h"
#include "shell/form1.h"

TEST_F(GameTest, StartUpShowsTheMenuWithTheInitialStatus) {
    MDIForm1& s = status();
    EXPECT_EQ(s.caption(), QStringLiteral("Vexmoor"));
    const std::vector<QString> fields{
        s.Liv.text(),  s.Energy.text(), s.Armor.text(), s.Gold.text(),   s.Hits.text(),
        s.Food.text(), s.Serum.text(),  s.Tempo.text(), s.Player.text(), s.ContPart.text()};
    const std::vector<QString> initial{"1",  "100", "10",  "10",     "20",
                                       "20", "20",  "120", "Player", "5"};
    EXPECT_EQ(fields, initial);
    EXPECT_FALSE(s.hasRope());
    EXPECT_FALSE(s.Picture1.visible());
    EXPECT_TRUE(s.message().isEmpty());
    EXPECT_FALSE(s.Timer1.enabled());
    EXPECT_FALSE(s.Timer2.enabled());
    ASSERT_NE(game.menu(), nullptr);
    EXPECT_EQ(game.menu()->caption(), QStringLiteral("Main"));
    EXPECT_EQ(game.menu()->Text1.text(),
              QStringLiteral("N - New Adventure\r\nL - Load Adventure\r\n\r\nH - Help "
                             "(online)\r\n\r\nX - Exit\r\n"));
    EXPECT_EQ(game.board(), nullptr);
}

TEST_F(GameTest, MenuIsPlacedOnTheScreenAndHandsItsKeysToTheHiddenField) {
    Form1& menu = *game.menu();
    EXPECT_DOUBLE_EQ(menu.top(), (platform.screenH - menu.height()) / 2.5);
    EXPECT_DOUBLE_EQ(menu.left(), (platform.screenW - menu.width()) / 2);
    EXPECT_EQ(menu.Nascosto.top(), -20000);
    EXPECT_TRUE(menu.Timer1.enabled());
    game.advance(1);
    EXPECT_FALSE(menu.Timer1.enabled());
}

TEST_F(GameTest, XEndsTheProgramAndHOpensTheHelpPage) {
    press('X');
    EXPECT_EQ(platform.exits, 1);
    press('H');
    ASSERT_EQ(platform.addresses.size(), 1u);
    EXPECT_TRUE(platform.addresses[0].startsWith(QStringLiteral("file://")));
    EXPECT_TRUE(platform.addresses[0].endsWith(QStringLiteral("/help/index.html")));
    EXPECT_NE(game.menu(), nullptr);
}

TEST_F(GameTest, OtherKeysDoNothingInTheMenu) {
    for (int key : {int('A'), int('Q'), int('5'), keys::Escape, keys::Left, 13, 32})
        press(key);
    EXPECT_NE(game.menu(), nullptr);
    EXPECT_EQ(game.board(), nullptr);
    EXPECT_TRUE(platform.prompts.empty());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.exits, 0);
}

TEST_F(GameTest, LoadWithNoSaveFileSaysSoAndChangesNothing) {
    platform.folder = QStringLiteral("/nonexistent/vexmoor");
    platform.userFolder = QStringLiteral("/nonexistent/vexmoor-data");
    press('L');
    EXPECT_EQ(platform.messages, std::vector<QString>{QStringLiteral("No saved game")});
    EXPECT_NE(game.menu(), nullptr);
    EXPECT_EQ(game.board(), nullptr);
    EXPECT_EQ(status().Liv.text(), QStringLiteral("1"));
    EXPECT_FALSE(status().Timer1.enabled());
}

TEST_F(GameTest, NewGameAsksTheNameOnceAndOpensTheBoard) {
    platform.queueAnswer(QStringLiteral("Anna"));
    game.keyDown('N', 'n'); // the key code is the same for both cases
    ASSERT_NE(game.board(), nullptr);
    EXPECT_EQ(game.menu(), nullptr);
    ASSERT_EQ(platform.prompts.size(), 1u);
    EXPECT_EQ(platform.prompts[0].prompt, QStringLiteral("What is your name?"));
    EXPECT_EQ(platform.prompts[0].title, QStringLiteral("Vexmoor"));
    EXPECT_EQ(platform.prompts[0].proposed, QStringLiteral("Player"));
    EXPECT_EQ(status().Player.text(), QStringLiteral("Anna"));
    EXPECT_TRUE(status().Timer1.enabled());
}

TEST_F(GameTest, NewGameFromTheMenuKeepsNameContinuesAndRope) {
    MDIForm1& s = status();
    s.Player.setText(QStringLiteral("Bo"));
    s.ContPart.setText(QStringLiteral("2"));
    s.setRope(true);
    for (ui::Label* field : {&s.Energy, &s.Food, &s.Serum, &s.Hits, &s.Armor, &s.Gold, &s.Tempo})
        field->setText(QStringLiteral("7"));
    s.Liv.setText(QStringLiteral("40"));
    press('N');
    EXPECT_TRUE(platform.prompts.empty());
    const std::vector<QString> fields{s.Energy.text(), s.Food.text(), s.Serum.text(), s.Hits.text(),
                                      s.Armor.text(),  s.Gold.text(), s.Tempo.text(), s.Liv.text()};
    EXPECT_EQ(fields, (std::vector<QString>{"100", "20", "20", "20", "10", "10", "120", "1"}));
    EXPECT_EQ(s.Player.text(), QStringLiteral("Bo"));
    EXPECT_EQ(s.ContPart.text(), QStringLiteral("2"));
    EXPECT_TRUE(s.hasRope());
}

TEST_F(GameTest, TheStatusPanelTakesNoClicksWhileItIsHidden) {
    game.click(status().Et[0]);
    EXPECT_TRUE(platform.prompts.empty());
}
