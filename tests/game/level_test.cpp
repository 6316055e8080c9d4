// Building a level: the board's layout, the objects and their dice, the monsters and the gate,
// and the wall die. A rope-caught fall off the board's left edge builds the next level.
#include "game_fixture.h"

TEST(Level, TheLayoutKeepsTheBoardInTheWindowAndCentresThePlayer) {
    // The board's top, left, width and height as drawn, and as laid out in the window.
    check({
        {"menu", "2/4 400/7830 700/11760 4001/8000 2999/8000 empty", "say:Anna N +10",
         "board 700,400,4001,2999; player 2000.5,1499.5; player shown; pathPlayer hidden"},
        {"menu", "2/4 1/7830 1/11760 1/8000 1/8000 empty", "say:Anna N +10",
         "board 1,1,3500,2500; player 1750,1250"},
        {"menu", "2/4 6000/7830 10000/11760 4000/8000 3000/8000 empty", "say:Anna N +10",
         "board 6000,3000,4000,3000"},
        {"menu", "2/4 5000/7830 5000/11760 8000/8000 8000/8000 empty", "say:Anna N +10",
         "board 1,1,8000,8000"},
    });
}

TEST(Level, EachObjectAppearsOnlyBelowItsLimitWhereItsDrawsSay) {
    const char* const objects[] = {"gold",  "hits",  "food",   "passage", "sand",
                                   "serum", "demon", "spider", "bat"};
    const int sides[] = {30, 20, 20, 20, 20, 20, 20, 20, 20},
              below[] = {20, 5, 5, 3, 10, 5, 15, 10, 5};
    // Every object drawn at Top 2745, Left 3746: the Top fits, the Left folds back by 255. Each
    // die at the bottom of its limit's face, then at the top of the face below it; a monster's
    // level die follows.
    for (bool placed : {false, true}) {
        QString build = "2/4 600/7830 600/11760 4000/8000 3000/8000 2745/3000 3746/4000";
        QString expect = "gate 3491,2745";
        for (int i = 0; i < 9; ++i) {
            build += placed ? QString(" %1/%2> 2745/3000 3746/4000").arg(below[i] - 1).arg(sides[i])
                            : QString(" %1/%2<").arg(below[i]).arg(sides[i]);
            build += placed && i >= 6 ? " 9/9" : "";
            expect += QString("; %1 %2").arg(objects[i], placed ? "3491,2745,255,255" : "hidden");
        }
        const QByteArray dieText = build.toUtf8(), expectText = expect.toUtf8();
        Play().run({"player 50,1000; rope shown", dieText, "Left", expectText});
    }
}

TEST(Level, MonstersTakeTheirLevelAndHideTheGateUntilDemonAndSpiderAreGone) {
    check({
        {"menu",
         "2/4 600/7830 600/11760 4000/8000 3000/8000 120/3000 120/4000 30/30 20/20 20/20 20/20 "
         "20/20 20/20 1/20 500/3000 500/4000 7/9 1/20 500/3000 800/4000 3/9 1/20 500/3000 "
         "1100/4000 9/9",
         "say:Anna N +10", "demon=7; spider=3; bat=9; gate hidden; demon 500,500; bat 1100,500"},
        // A demon or spider still standing when a level is built keeps the gate hidden.
        {"gate hidden; demon 3000,2500; player 50,1000; rope shown", "1/8 build", "Left",
         "demon hidden; gate hidden"},
        {"gate hidden; spider 3000,2500; player 50,1000; rope shown", "1/8 build", "Left",
         "spider hidden; gate hidden"},
        {"gate hidden; player 50,1000; rope shown", "build", "Left", "gate shown; gate 120,120"},
    });
}

TEST(Level, TheWallDieChangesAtMostOneFlag) {
    check({
        {"wallOn=; driftOn=1; player 50,1000; rope shown", "build:1", "Left",
         "wallOn=1; driftOn=1"},
        {"wallOn=1; driftOn=1; player 50,1000; rope shown", "build:2", "Left",
         "wallOn=; driftOn=1"},
        {"wallOn=1; driftOn=; player 50,1000; rope shown", "build:3", "Left",
         "wallOn=1; driftOn=1"},
        {"wallOn=1; driftOn=1; player 50,1000; rope shown", "build:4", "Left",
         "wallOn=1; driftOn="},
    });
}
