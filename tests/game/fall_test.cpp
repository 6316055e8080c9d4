// The ravine: the rope's rescue, and the game over of a fall from the board or into a hole.
#include "game_fixture.h"

namespace {

const QString kFell = QStringLiteral("Game Over. You have fallen into the ravine");

class FallTest : public GameTest {
  protected:
    FallTest() : boardWindow(start()) {}

    // Everything a lost game leaves behind, whatever the fall: the game-over screen in front of
    // the shop, once.
    void expectGameOver() {
        EXPECT_EQ(status().energy.text(), QStringLiteral("0"));
        EXPECT_EQ(boardWindow.gameOver.text(), QStringLiteral("1"));
        EXPECT_FALSE(boardWindow.player.visible());
        EXPECT_FALSE(status().countdown.enabled());
        EXPECT_FALSE(boardWindow.closingWall.enabled());
        EXPECT_EQ(status().statusTimer.interval(), 3000);
        EXPECT_NE(game.shop(), nullptr);
        EXPECT_FALSE(boardWindow.enabled());
        ASSERT_NE(game.gameOverWindow(), nullptr);
        EXPECT_EQ(game.scene().active(), game.gameOverWindow());
        EXPECT_EQ(gameOverWindows(), 1);
    }

    BoardWindow& boardWindow;
};

} // namespace

TEST_F(FallTest, TheRopeSavesOnceOnTheKeptBoardAndTheNextFallEndsTheGame) {
    boardWindow.boardFromPath.setText(QStringLiteral("1")); // a board from the path section is kept
    status().level.setText(QStringLiteral("5"));
    status().setRope(true);
    put(boardWindow.player, 95, 1000);
    LevelPlan next;
    next.newBoard = false;
    next.coins = ObjectPlan{300, 300};
    queueBuild(next);
    press(keys::Left);
    EXPECT_EQ(status().message(), QStringLiteral("You used the rope!"));
    EXPECT_FALSE(status().hasRope());
    EXPECT_TRUE(platform.randoms.empty()); // the level was built anew
    EXPECT_TRUE(boardWindow.goldPickup.visible());
    EXPECT_DOUBLE_EQ(boardWindow.board.left(), 600);
    EXPECT_DOUBLE_EQ(boardWindow.player.left(), 2000);
    EXPECT_DOUBLE_EQ(boardWindow.player.top(), 1500);
    EXPECT_TRUE(boardWindow.player.visible());
    EXPECT_EQ(status().level.text(), QStringLiteral("5"));
    EXPECT_EQ(status().energy.text(), QStringLiteral("100"));
    EXPECT_FALSE(boardWindow.gameOver.isSet());
    EXPECT_EQ(game.shop(), nullptr);

    status().statusTimer.setInterval(1000);
    put(boardWindow.player, 1000, 50);
    press(keys::Up);
    EXPECT_EQ(status().message(), kFell);
    expectGameOver();
}

TEST_F(FallTest, AHoleWithoutTheRopeEndsTheGameAndHidesBothPlayers) {
    put(boardWindow.gate, 2000, 1500);
    press('A'); // into the path section; every hole at 1, 1
    ASSERT_EQ(boardWindow.onPath.text(), QStringLiteral("1"));
    put(boardWindow.holes[7], 696, 600);
    press(keys::Right);
    EXPECT_EQ(status().message(), QStringLiteral("Game Over."));
    EXPECT_FALSE(boardWindow.pathPlayer.visible());
    EXPECT_FALSE(boardWindow.holes[7].visible());
    expectGameOver();
}

TEST_F(FallTest, AGameLostInALevelBuiltByThePassageIsLostOnlyOnce) {
    // A board the closing wall has narrowed to 400 twips: the passage puts the player at its
    // centre, past the right edge, and the new level lets it fall.
    boardWindow.boardFromPath.setText(QStringLiteral("1"));
    boardWindow.board.setWidth(400);
    put(boardWindow.player, 100, 1000);
    put(boardWindow.secretPassage, 100, 1000);
    LevelPlan next;
    next.newBoard = false;
    next.board = {600, 600, 400, 3000};
    queueBuild(next);
    press('A');
    EXPECT_EQ(status().level.text(), QStringLiteral("3"));
    EXPECT_EQ(status().message(), kFell);
    expectGameOver();
}
