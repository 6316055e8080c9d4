// Building a level: the board's layout, the objects on it, the monsters, the wall die and the
// off-board player.
#include "board_helpers.h"
#include "game_fixture.h"

#include <string>
#include <vector>

namespace {

class LevelTest : public GameTest {
  protected:
    // The objects a build may place, the gate first.
    std::vector<ui::Label*> objects(Form2& board) {
        return {&board.Gate, &board.Coins, &board.Hit,     &board.Food,   &board.PSecret,
                &board.Trap, &board.Serum, &board.Monster, &board.Spider, &board.Bat};
    }
    // Queues the draws of one more build of the open board.
    void queueBuild(Form2& board, const LevelPlan& plan) {
        queueLevel(platform, plan, board.width(), board.height());
    }
};

LevelPlan everyObjectAt(const ObjectPlan& place) {
    LevelPlan plan;
    plan.gate = place;
    for (auto* object : {&plan.coins, &plan.hit, &plan.food, &plan.secret, &plan.trap, &plan.serum,
                         &plan.monster, &plan.spider, &plan.bat})
        *object = place;
    return plan;
}

} // namespace

TEST_F(LevelTest, FirstBuildLaysOutTheBoardAndPutsThePlayerAtItsCentre) {
    LevelPlan plan;
    plan.board = {700, 400, 4001, 2999};
    Form2& board = startBoard(game, platform, plan);
    EXPECT_DOUBLE_EQ(board.Pic.left(), 700);
    EXPECT_DOUBLE_EQ(board.Pic.top(), 400);
    EXPECT_DOUBLE_EQ(board.Pic.width(), 4001);
    EXPECT_DOUBLE_EQ(board.Pic.height(), 2999);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 2000.5);
    EXPECT_DOUBLE_EQ(board.Mio.top(), 1499.5);
    EXPECT_TRUE(board.Mio.visible());
    EXPECT_FALSE(board.Mio2.visible());
    EXPECT_TRUE(platform.randoms.empty());
    EXPECT_GE(platform.reseeds, 1);
}

TEST_F(LevelTest, SmallSizeDrawsAreRaisedToTheSmallestBoard) {
    LevelPlan plan;
    plan.board = {1, 1, 1, 1};
    Form2& board = startBoard(game, platform, plan);
    EXPECT_DOUBLE_EQ(board.Pic.width(), 3500);
    EXPECT_DOUBLE_EQ(board.Pic.height(), 2500);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 1750);
    EXPECT_DOUBLE_EQ(board.Mio.top(), 1250);
}

TEST_F(LevelTest, BoardPastTheWindowsEdgeIsMovedBackByItsSize) {
    // Window 11760 x 7830: a board drawn at 10000, 6000 of 4000 x 3000 would stick out.
    LevelPlan plan;
    plan.board = {10000, 6000, 4000, 3000};
    Form2& board = startBoard(game, platform, plan);
    EXPECT_DOUBLE_EQ(board.Pic.left(), 6000);
    EXPECT_DOUBLE_EQ(board.Pic.top(), 3000);
}

TEST_F(LevelTest, BoardLargerThanTheWindowStartsAtOne) {
    status().setWidth(6000); // a board window 5880 wide
    LevelPlan plan;
    plan.board = {5000, 5000, 8000, 8000};
    Form2& board = startBoard(game, platform, plan);
    ASSERT_LT(board.width(), 8000);
    ASSERT_LT(board.height(), 8000);
    EXPECT_DOUBLE_EQ(board.Pic.left(), 1);
    EXPECT_DOUBLE_EQ(board.Pic.top(), 1);
    EXPECT_DOUBLE_EQ(board.Pic.width(), 8000);
    EXPECT_DOUBLE_EQ(board.Pic.height(), 8000);
}

TEST_F(LevelTest, BoardChosenInThePathSectionIsKept) {
    Form2& board = startBoard(game, platform);
    board.InCammino.setText(QStringLiteral("1"));
    board.MyLoad.setText(QStringLiteral("1"));
    board.Pic.setRect({900, 800, 5000, 4000});
    board.Mio.setLeft(4000);
    board.Mio.setTop(96);
    board.Mio2.setVisible(true);

    LevelPlan plan;
    plan.newBoard = false;
    plan.board = board.Pic.rect();
    queueBuild(board, plan);
    board.BuildLevel();
    EXPECT_TRUE(platform.randoms.empty());
    EXPECT_DOUBLE_EQ(board.Pic.left(), 900);
    EXPECT_DOUBLE_EQ(board.Pic.top(), 800);
    EXPECT_DOUBLE_EQ(board.Pic.width(), 5000);
    EXPECT_DOUBLE_EQ(board.Pic.height(), 4000);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 4000);
    EXPECT_DOUBLE_EQ(board.Mio.top(), 96);
    EXPECT_TRUE(board.Mio2.visible());
    EXPECT_EQ(board.MyLoad.text(), QStringLiteral("1"));
}

TEST_F(LevelTest, LoadedBoardIsKeptOnceAndMyLoadConsumed) {
    // A loaded game: the board window is made, then the saved board and the centred player.
    Form2& board = game.openBoard();
    board.MyLoad.setText(QStringLiteral("1"));
    board.Pic.setRect({300, 200, 6000, 5000});
    board.Mio.setTop(2500);
    board.Mio.setLeft(3000);
    LevelPlan plan;
    plan.newBoard = false;
    plan.board = board.Pic.rect();
    queueLevel(platform, plan, board.width(), board.height());
    game.advance(10);
    EXPECT_TRUE(platform.randoms.empty());
    EXPECT_DOUBLE_EQ(board.Pic.left(), 300);
    EXPECT_DOUBLE_EQ(board.Pic.width(), 6000);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 3000);
    EXPECT_FALSE(board.MyLoad.isSet());

    // The next build lays out a new board.
    LevelPlan next;
    next.board = {500, 500, 3600, 2600};
    queueBuild(board, next);
    board.BuildLevel();
    EXPECT_DOUBLE_EQ(board.Pic.width(), 3600);
    EXPECT_DOUBLE_EQ(board.Mio.left(), 1800);
}

TEST_F(LevelTest, ObjectsArePlacedWhereTheirDrawsSay) {
    LevelPlan plan;
    plan.gate = {300, 200};
    plan.coins = ObjectPlan{1000, 1200};
    plan.bat = ObjectPlan{2000, 100, 4};
    Form2& board = startBoard(game, platform, plan);
    EXPECT_DOUBLE_EQ(board.Gate.left(), 300);
    EXPECT_DOUBLE_EQ(board.Gate.top(), 200);
    EXPECT_TRUE(board.Coins.visible());
    EXPECT_DOUBLE_EQ(board.Coins.left(), 1000);
    EXPECT_DOUBLE_EQ(board.Coins.top(), 1200);
    EXPECT_TRUE(board.Bat.visible());
    EXPECT_EQ(board.Bat.text(), QStringLiteral("4"));
    for (ui::Label* absent : {&board.Hit, &board.Food, &board.PSecret, &board.Trap, &board.Serum,
                              &board.Monster, &board.Spider})
        EXPECT_FALSE(absent->visible());
}

TEST_F(LevelTest, EveryObjectLiesInsideTheBoard) {
    Form2& board = startBoard(game, platform);
    board.InCammino.setText(QStringLiteral("1"));
    for (double side : {510.0, 3500.0, 8000.0}) {
        board.Pic.setWidth(side);
        board.Pic.setHeight(side);
        board.Mio.setLeft(0);
        board.Mio.setTop(0);
        // Draws at both ends and around the fold, where an object is pulled back by its size.
        for (double draw : {1.0, 255.0, 256.0, side - 254, side}) {
            LevelPlan plan = everyObjectAt({draw, draw});
            plan.newBoard = false;
            plan.board = board.Pic.rect();
            queueBuild(board, plan);
            board.BuildLevel();
            ASSERT_TRUE(platform.randoms.empty());
            for (ui::Label* object : objects(board)) {
                SCOPED_TRACE(object->text().toStdString() + " at " + std::to_string(draw));
                EXPECT_GE(object->left(), 1);
                EXPECT_GE(object->top(), 1);
                EXPECT_LE(object->left() + object->width(), side);
                EXPECT_LE(object->top() + object->height(), side);
            }
        }
    }
}

TEST_F(LevelTest, ObjectDrawnInTheLastTwipsFoldsBackByItsSize) {
    LevelPlan plan = everyObjectAt({4000, 3000});
    Form2& board = startBoard(game, platform, plan);
    EXPECT_DOUBLE_EQ(board.Coins.left(), 4000 - 255);
    EXPECT_DOUBLE_EQ(board.Coins.top(), 3000 - 255);
}

TEST_F(LevelTest, EachObjectAppearsOnlyBelowItsLimit) {
    struct Case {
        ui::Label Form2::*object;
        int sides;
        int limit;
        bool monster;
    };
    const Case cases[] = {
        {&Form2::Coins, 30, 20, false},  {&Form2::Hit, 20, 5, false},
        {&Form2::Food, 20, 5, false},    {&Form2::PSecret, 20, 3, false},
        {&Form2::Trap, 20, 10, false},   {&Form2::Serum, 20, 5, false},
        {&Form2::Monster, 20, 15, true}, {&Form2::Spider, 20, 10, true},
        {&Form2::Bat, 20, 5, true},
    };
    Form2& board = startBoard(game, platform);
    board.InCammino.setText(QStringLiteral("1")); // the board is kept: no layout draws
    for (bool placed : {true, false}) {
        // Each die one below its limit, then each at its limit. Unqueued draws are 0.
        platform.queueDraw(2, 4);
        platform.randoms.insert(platform.randoms.end(), {0.0, 0.0}); // the gate
        for (const Case& c : cases) {
            platform.queueDraw(placed ? c.limit - 1 : c.limit, c.sides);
            if (placed)
                platform.randoms.insert(platform.randoms.end(), c.monster ? 3 : 2, 0.0);
        }
        board.BuildLevel();
        EXPECT_TRUE(platform.randoms.empty());
        for (const Case& c : cases)
            EXPECT_EQ((board.*c.object).visible(), placed) << c.limit << " of " << c.sides;
    }
}

TEST_F(LevelTest, MonstersGetTheirLevelAndHideTheGate) {
    LevelPlan plan;
    plan.monster = ObjectPlan{500, 500, 7};
    plan.spider = ObjectPlan{800, 500, 3};
    plan.bat = ObjectPlan{1100, 500, 9};
    Form2& board = startBoard(game, platform, plan);
    EXPECT_EQ(board.Monster.text(), QStringLiteral("7"));
    EXPECT_EQ(board.Spider.text(), QStringLiteral("3"));
    EXPECT_EQ(board.Bat.text(), QStringLiteral("9"));
    EXPECT_FALSE(board.Gate.visible());

    // The bat alone hides the gate too.
    LevelPlan batOnly;
    batOnly.bat = ObjectPlan{1100, 500, 1};
    board.Gate.setVisible(true);
    queueBuild(board, batOnly);
    board.BuildLevel();
    EXPECT_EQ(board.Bat.text(), QStringLiteral("1"));
    EXPECT_FALSE(board.Gate.visible());
}

TEST_F(LevelTest, GateIsShownWhenNoMonsterIsPlacedAfterDemonAndSpiderAreGone) {
    LevelPlan plan;
    plan.monster = ObjectPlan{500, 500, 2};
    Form2& board = startBoard(game, platform, plan);
    ASSERT_FALSE(board.Gate.visible());

    // The demon still stands: a build without monsters keeps the gate hidden.
    queueBuild(board, LevelPlan{});
    board.BuildLevel();
    EXPECT_FALSE(board.Gate.visible());
    EXPECT_FALSE(board.Monster.visible());

    // Now neither the demon nor the spider stands: the next build shows the gate.
    queueBuild(board, LevelPlan{});
    board.BuildLevel();
    EXPECT_TRUE(board.Gate.visible());
}

TEST_F(LevelTest, WallDieChangesAtMostOneFlag) {
    Form2& board = startBoard(game, platform);
    struct Case {
        int die;
        bool wallOn, driftOn;
    };
    for (bool before : {false, true}) {
        for (const Case& c : {Case{1, true, before}, Case{2, false, before}, Case{3, before, true},
                              Case{4, before, false}}) {
            board.WalMove.setText(before ? QStringLiteral("1") : QString());
            board.WalMove2.setText(before ? QStringLiteral("1") : QString());
            LevelPlan plan;
            plan.wallDie = c.die;
            queueBuild(board, plan);
            board.BuildLevel();
            EXPECT_EQ(board.WalMove.isSet(), c.wallOn) << c.die << before;
            EXPECT_EQ(board.WalMove2.isSet(), c.driftOn) << c.die << before;
        }
    }
}

TEST_F(LevelTest, BuildStartsBothWallTimers) {
    Form2& board = startBoard(game, platform);
    EXPECT_TRUE(board.Wall.enabled());
    EXPECT_TRUE(board.Wall2.enabled());
}

TEST_F(LevelTest, PlayerOffTheKeptBoardFallsAndTheWallsStayStopped) {
    Form2& board = game.openBoard();
    board.MyLoad.setText(QStringLiteral("1"));
    board.Pic.setRect({300, 200, 3600, 2600});
    board.Mio.setLeft(3500); // right edge beyond the board
    board.Mio.setTop(1300);
    LevelPlan plan;
    plan.newBoard = false;
    plan.board = board.Pic.rect();
    queueLevel(platform, plan, board.width(), board.height());
    game.advance(10);

    EXPECT_FALSE(board.Wall.enabled());
    EXPECT_FALSE(board.Wall2.enabled());
    EXPECT_EQ(board.GameOver.text(), QStringLiteral("1"));
    EXPECT_EQ(status().Energy.text(), QStringLiteral("0"));
    EXPECT_FALSE(board.Mio.visible());
    EXPECT_EQ(status().message(), QStringLiteral("Game Over. You have fallen into the ravine"));
}

TEST_F(LevelTest, PlayerOffBoardOnAnySide) {
    Form2& board = startBoard(game, platform);
    const double w = board.Pic.width(), h = board.Pic.height();
    struct Place {
        double left, top;
        bool off;
    };
    for (const Place& p : {Place{0, 0, false}, Place{w - 255, h - 255, false}, Place{-1, 0, true},
                           Place{w - 254, 0, true}, Place{0, -1, true}, Place{0, h - 254, true}}) {
        board.Mio.setLeft(p.left);
        board.Mio.setTop(p.top);
        EXPECT_EQ(board.PlayerOffBoard(), p.off) << p.left << ", " << p.top;
    }
}
