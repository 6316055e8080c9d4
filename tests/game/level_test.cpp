// Building a level: the board's layout, the objects and their dice, the monsters and the gate,
// and the wall die.
#include "game_fixture.h"

TEST(Level, TheLayoutKeepsTheBoardInTheWindowAndCentresThePlayer) {
    // The board as drawn and as laid out in the board window of 11760 x 7830.
    const std::pair<ui::Rect, const char*> cases[] = {
        {{700, 400, 4001, 2999}, "board 700,400,4001,2999; player 2000.5,1499.5"},
        {{1, 1, 1, 1}, "board 1,1,3500,2500; player 1750,1250"},  // the smallest board
        {{10000, 6000, 4000, 3000}, "board 6000,3000,4000,3000"}, // moved back by its size
        {{5000, 5000, 8000, 8000}, "board 1,1,8000,8000"},        // but never out of the window
    };
    for (const auto& [drawn, laid] : cases) {
        Play play;
        LevelPlan plan;
        plan.board = drawn;
        play.start(plan);
        SCOPED_TRACE(laid);
        play.apply(laid, true);
        play.apply("player shown; pathPlayer hidden", true);
        EXPECT_TRUE(play.platform.randoms.empty());
    }
}

TEST(Level, EachObjectAppearsOnlyBelowItsLimitWhereItsDrawsSay) {
    struct Die {
        const char* object;
        int sides, below;
        bool monster;
    };
    const Die dice[] = {
        {"gold", 30, 20, false},   {"hits", 20, 5, false},   {"food", 20, 5, false},
        {"passage", 20, 3, false}, {"sand", 20, 10, false},  {"serum", 20, 5, false},
        {"demon", 20, 15, true},   {"spider", 20, 10, true}, {"bat", 20, 5, true}};
    // Every object drawn at Top 2745, Left 3746: the Top fits, the Left folds back by 255. Each
    // die at the bottom of its limit's face, then at the top of the face below it.
    for (bool placed : {false, true}) {
        QString build = "2/4 600/7830 600/11760 4000/8000 3000/8000 2745/3000 3746/4000";
        QString expect = "gate 3491,2745";
        for (const Die& d : dice) {
            build += placed ? QString(" %1/%2> 2745/3000 3746/4000").arg(d.below - 1).arg(d.sides)
                            : QString(" %1/%2<").arg(d.below).arg(d.sides);
            build += placed && d.monster ? " 9/9" : "";
            expect += QString("; %1 %2").arg(d.object, placed ? "3491,2745,255,255" : "hidden");
        }
        const QByteArray dieText = build.toUtf8(), expectText = expect.toUtf8();
        Play().run(
            {"player 50,1000; rope shown", dieText.constData(), "Left", expectText.constData()});
    }
}

TEST(Level, MonstersTakeTheirLevelAndHideTheGateUntilDemonAndSpiderAreGone) {
    Play play;
    LevelPlan plan;
    plan.monster = ObjectPlan{500, 500, 7};
    plan.spider = ObjectPlan{800, 500, 3};
    plan.bat = ObjectPlan{1100, 500, 9};
    play.start(plan);
    play.apply("demon=7; spider=3; bat=9; gate hidden; demon 500,500; bat 1100,500", true);

    const Row rows[] = {
        // A demon still standing when a level without monsters is built keeps the gate hidden.
        {"gate hidden; demon 3000,2500; player 50,1000; rope shown", "1/8 build", "Left",
         "demon hidden; gate hidden"},
        {"gate hidden; spider 3000,2500; player 50,1000; rope shown", "1/8 build", "Left",
         "spider hidden; gate hidden"},
        {"gate hidden; player 50,1000; rope shown", "build", "Left", "gate shown; gate 120,120"},
    };
    check(rows);
}

TEST(Level, TheWallDieChangesAtMostOneFlag) {
    const Row rows[] = {
        {"wallOn=; driftOn=1; player 50,1000; rope shown", "build:1", "Left",
         "wallOn=1; driftOn=1"},
        {"wallOn=1; driftOn=1; player 50,1000; rope shown", "build:2", "Left",
         "wallOn=; driftOn=1"},
        {"wallOn=1; driftOn=; player 50,1000; rope shown", "build:3", "Left",
         "wallOn=1; driftOn=1"},
        {"wallOn=1; driftOn=1; player 50,1000; rope shown", "build:4", "Left",
         "wallOn=1; driftOn="},
    };
    check(rows);
}
