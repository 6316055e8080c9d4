// The board window's creation, its start-up tick and its close.
#include "board_helpers.h"
#include "game_fixture.h"

namespace {

class StartUpTest : public GameTest {};

} // namespace

TEST_F(StartUpTest, NameIsAskedOnceWithTheGamesTitle) {
    platform.queueAnswer(QStringLiteral("Anna Maria "));
    press('N');
    ASSERT_EQ(platform.prompts.size(), 1u);
    EXPECT_EQ(platform.prompts[0].prompt, QStringLiteral("What is your name?"));
    EXPECT_EQ(platform.prompts[0].title, status().caption());
    EXPECT_EQ(platform.prompts[0].proposed, QStringLiteral("Player"));
    EXPECT_EQ(status().Player.text(), QStringLiteral("Anna Maria "));
    EXPECT_TRUE(status().Timer1.enabled());

    // A later game keeps the name.
    game.close(*game.board());
    game.openMenu();
    press('N');
    EXPECT_EQ(platform.prompts.size(), 1u);
    EXPECT_EQ(status().Player.text(), QStringLiteral("Anna Maria "));
}

TEST_F(StartUpTest, CancelledNameKeepsPlayerAndIsAskedAgain) {
    press('N'); // no answer queued: the box is cancelled
    EXPECT_EQ(status().Player.text(), QStringLiteral("Player"));
    game.close(*game.board());
    game.openMenu();
    platform.queueAnswer(QStringLiteral("Bo"));
    press('N');
    EXPECT_EQ(platform.prompts.size(), 2u);
    EXPECT_EQ(status().Player.text(), QStringLiteral("Bo"));
}

TEST_F(StartUpTest, StartUpWaitsForItsTickThenFillsTheMainWindow) {
    platform.queueAnswer(QStringLiteral("Anna"));
    press('N');
    Form2& board = *game.board();
    EXPECT_TRUE(board.InitScreen.enabled());
    EXPECT_FALSE(status().Picture1.visible());
    EXPECT_EQ(platform.randomCalls, 0);

    game.advance(10);
    EXPECT_FALSE(board.InitScreen.enabled());
    EXPECT_DOUBLE_EQ(board.top(), 1);
    EXPECT_DOUBLE_EQ(board.left(), 1);
    EXPECT_DOUBLE_EQ(board.width(), status().width() - 120);
    EXPECT_DOUBLE_EQ(board.height(), status().height() - 735 - 510);
    EXPECT_TRUE(status().Picture1.visible());
    EXPECT_GT(platform.randomCalls, 0); // the first level is built
    EXPECT_TRUE(board.Wall.enabled());

    // The tick runs once.
    const int calls = platform.randomCalls;
    board.Wall.setEnabled(false);
    board.Wall2.setEnabled(false);
    game.advance(1000);
    EXPECT_EQ(platform.randomCalls, calls);
}

TEST_F(StartUpTest, BoardTakesItsColourFromPicBack) {
    Form2& board = startBoard(game, platform);
    EXPECT_EQ(board.Pic.backColour(), 1u);

    status().PicBack.setText({});
    game.close(board);
    game.openMenu();
    Form2& second = startBoard(game, platform);
    EXPECT_EQ(second.Pic.backColour(), 4210752u);

    status().PicBack.setText(QStringLiteral("red"));
    game.close(second);
    game.openMenu();
    EXPECT_EQ(startBoard(game, platform).Pic.backColour(), 0x404040u);
}

TEST_F(StartUpTest, ClosingTheBoardHidesTheStatusPanel) {
    Form2& board = startBoard(game, platform);
    ASSERT_TRUE(status().Picture1.visible());
    game.close(board);
    EXPECT_FALSE(status().Picture1.visible());
}

TEST_F(StartUpTest, LoadedGameKeepsTheWindowAndTheBoard) {
    // The menu's load makes the board window, then restores the board and the centred player.
    Form2& board = game.openBoard();
    const ui::Rect window = board.rect();
    board.MyLoad.setText(QStringLiteral("1"));
    board.Pic.setRect({400, 500, 5000, 3000});
    board.Mio.setLeft(2500);
    board.Mio.setTop(1500);
    game.advance(10);

    EXPECT_DOUBLE_EQ(board.left(), window.left);
    EXPECT_DOUBLE_EQ(board.top(), window.top);
    EXPECT_DOUBLE_EQ(board.width(), window.width);
    EXPECT_DOUBLE_EQ(board.height(), window.height);
    EXPECT_DOUBLE_EQ(board.Pic.left(), 400);
    EXPECT_DOUBLE_EQ(board.Pic.top(), 500);
    EXPECT_DOUBLE_EQ(board.Pic.width(), 5000);
    EXPECT_DOUBLE_EQ(board.Pic.height(), 3000);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 2500);
    EXPECT_FALSE(board.MyLoad.isSet());
    EXPECT_TRUE(status().Picture1.visible());
}
