// One turn per key on the board: the hunt, the step or the fall, what holds the player, the gate
// coming to the centre, and the path section's step.
#include "game_fixture.h"

TEST(Turn, EachHuntingDrawPutsTheMonsterBesideWhereThePlayerStoodBeforeTheStep) {
    check({
        {"demon 300,300", "1/8", "Right", "demon 300,1000; player 1096,1000"},
        {"demon 300,300", "2/8", "Right", "demon 1000,300"},
        {"demon 300,300", "3/8", "Right", "demon 300,1255"},
        {"demon 300,300", "4/8", "Right", "demon 1255,300"},
        {"demon 300,300", "5/8", "Right", "demon 300,745"},
        {"demon 300,300", "6/8", "Right", "demon 745,300"},
        {"demon 300,300", "7/8", "Right", "demon 300,745"},
        {"demon 300,300", "8/8", "Right", "demon 745,300"},
        // The demon draws first, then the spider; a hidden monster does not hunt.
        {"demon 300,300; spider 600,300; bat 900,300; bat hidden", "1/8 2/8", "Down",
         "demon 300,1000; spider 1000,300; bat 900,300"},
    });
}

TEST(Turn, AStepThatWouldLeaveTheBoardIsAFallThatTheRopeCatches) {
    // On the 4000 x 3000 board a step of 96 may end on the edge; the rope's new level puts the
    // player back at the centre of a board like it.
    check({
        {"player 96,96", "", "Left Up", "player 0,0"},
        {"player 3649,2649", "", "Right Down", "player 3745,2745"},
        {"player 95,1000; rope shown", "build", "Left",
         "player 2000,1500; rope hidden; msg=You used the rope!"},
        {"player 1000,95; rope shown", "build", "Up", "player 2000,1500; rope hidden"},
        {"player 3650,1000; rope shown", "build", "Right", "player 2000,1500; rope hidden"},
        {"player 1000,2650; rope shown", "build", "Down", "player 2000,1500; rope hidden"},
        // The fall ends the turn: no pick-up, no fight, no gate.
        {"player 50,1000; gold 50,1000; gate hidden; HT=0", "", "Left",
         "msg=Game Over. You have fallen into the ravine; gold shown; GD=10; gate hidden"},
    });
}

TEST(Turn, QuicksandAndGameOverHoldThePlayerAndTheGateComesOnceDemonAndSpiderAreGone) {
    check({
        {"stuck=1; bat 300,300; gold 1000,1000; HT=0; gate hidden", "2/8", "Right",
         "bat 1000,300; player 1000,1000; gold shown; msg=; gate shown; gate 2000,1500"},
        {"over=1; bat 300,300; gold 1000,1000; HT=0; gate hidden", "", "Right",
         "bat 300,300; player 1000,1000; gold shown; msg=; gate shown; gate 2000,1500"},
        {"path; over=1", "", "Right", "marks=0; pathPlayer 600,600"},
        // Demon and spider guard the gate; the bat does not.
        {"gate hidden; spider 3000,2500", "2/8", "A", "gate hidden"},
        {"gate hidden; demon 3000,2500", "2/8", "A", "gate hidden"},
        {"gate hidden; bat 3000,2500", "2/8", "A", "gate shown; gate 2000,1500"},
        // The demon dies in this turn, with the bat about.
        {"gate hidden; demon 1000,1000; demon=1; bat 300,300", "1/8 2/8 51/100 3/10", "A",
         "demon hidden; gate shown; gate 2000,1500; GD=13"},
    });
}

TEST(Turn, APathStepLaysAMarkWhereItBeganAndStaysInTheWindow) {
    // The exit is chosen, far off; the window is 11760 x 7830.
    check({
        {"path; fromPath=1; board 5000,3000; pathPlayer 100,120", "", "Left Up",
         "pathPlayer 50,50; marks=2; mark1 100,120; mark2 50,120; mark2 shown; player 1000,1000"},
        {"path; fromPath=1; board 5000,3000; pathPlayer 11460,7530", "", "Right Down A",
         "pathPlayer 11480,7550; mark3 11480,7550; prevTop=7550; prevLeft=11480"},
    });
}
