// Building a level: the board's layout, the objects and their dice, the monsters and the gate,
// and the wall die. A rope-caught fall off the board's left edge builds the next level.
#include "game_fixture.h"

TEST(Level, TheLayoutKeepsTheBoardInTheWindowAndCentresThePlayer) {
    // The board's top, left, width and height as drawn, and as laid out in the window.
    check({
        {"menu", "2/4 1/7830 1/11760 1/8000 1/8000 empty", "say:Anna N +10",
         "board 1,1,3500,2500; player 1750,1250; player shown; pathPlayer hidden"},
        {"menu", "2/4 6000/7830 10000/11760 4000/8000 3000/8000 empty", "say:Anna N +10",
         "board 6000,3000,4000,3000"},
        {"menu", "2/4 5000/7830 5000/11760 8000/8000 8000/8000 empty", "say:Anna N +10",
         "board 1,1,8000,8000"},
    });
}

TEST(Level, EachObjectAppearsOnlyBelowItsLimitWhereItsDrawsSay) {
    // Each die at the bottom of its limit's face, then at the top of the face below, with every
    // object drawn at Top 2745, Left 3746: the Top fits, the Left folds back by 255. A monster's
    // level die follows its place.
    check({
        {"player 50,1000; rope shown",
         "2/4 600/7830 600/11760 4000/8000 3000/8000 2745/3000 3746/4000 "
         "20/30< 5/20< 5/20< 3/20< 10/20< 5/20< 15/20< 10/20< 5/20<",
         "Left",
         "gate 3491,2745; gold hidden; hits hidden; food hidden; passage hidden; sand hidden; "
         "serum hidden; demon hidden; spider hidden; bat hidden"},
        {"player 50,1000; rope shown",
         "2/4 600/7830 600/11760 4000/8000 3000/8000 2745/3000 3746/4000 "
         "19/30> 2745/3000 3746/4000 4/20> 2745/3000 3746/4000 4/20> 2745/3000 3746/4000 "
         "2/20> 2745/3000 3746/4000 9/20> 2745/3000 3746/4000 4/20> 2745/3000 3746/4000 "
         "14/20> 2745/3000 3746/4000 9/9 9/20> 2745/3000 3746/4000 9/9 "
         "4/20> 2745/3000 3746/4000 9/9",
         "Left",
         "gate 3491,2745; gold 3491,2745; hits 3491,2745; food 3491,2745; passage 3491,2745; "
         "sand 3491,2745; serum 3491,2745; demon 3491,2745; spider 3491,2745; bat 3491,2745"},
    });
}

TEST(Level, MonstersTakeTheirLevelAndHideTheGateAndTheWallDieChangesAtMostOneFlag) {
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
        // The wall die changes at most one flag.
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
