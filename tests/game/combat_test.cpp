// One exchange of blows a turn with the first monster touching the player. A hunting draw of 1
// keeps a monster standing on the player in the player's row, still touching.
#include "game_fixture.h"

TEST(Combat, AMonstersBlowIsAbsorbedOrCostsTheLevelAndKnocksThePlayerBack) {
    check({
        {"demon 1000,1000; demon=3", "1/8 49/100", "A", "AM=7; EN=100; msg=; player 1000,1000"},
        {"spider 1000,1000; spider=4", "1/8 49/100", "A", "SR=16; EN=100"},
        {"bat 1000,1000; bat=6; SR=16", "1/8 49/100", "A", "SR=10; EN=100"},
        {"demon 1000,1000; demon=3; AM=2", "1/8 1/100 1/4", "A",
         "AM=0; EN=97; msg=Demon Attack!; player 1000,1255; demon 1000,1000"},
        {"spider 1000,1000; spider=2; SR=2", "1/8 1/100 2/4", "A",
         "SR=0; EN=98; msg=Spider Attack!; player 1255,1000"},
        {"bat 1000,1000; bat=7; SR=2", "1/8 1/100 3/4", "A",
         "SR=0; EN=93; msg=BAT Attack!; player 1000,745"},
        {"demon 1000,1000; demon=3; AM=3", "1/8 1/100 4/4", "A", "AM=0; EN=97; player 745,1000"},
        // Knocked onto the board's edge is still on it; past it is a fall.
        {"player 255,1000; demon 255,1000; demon=3; AM=0", "1/8 1/100 4/4", "A",
         "player 0,1000; over="},
        {"player 3490,1000; demon 3490,1000; demon=3; AM=0", "1/8 1/100 2/4", "A",
         "player 3745,1000; over="},
        {"player 1000,255; demon 1000,255; demon=3; AM=0", "1/8 1/100 3/4", "A",
         "player 1000,0; over="},
        {"player 1000,2490; demon 1000,2490; demon=3; AM=0", "1/8 1/100 1/4", "A",
         "player 1000,2745; over="},
        {"player 1000,200; demon 1000,200; demon=3; AM=0", "1/8 1/100 3/4", "A",
         "over=1; EN=0; msg=Game Over. You have fallen into the ravine"},
    });
}

TEST(Combat, ThePlayersStrikeSpendsAHitAndTheLastLevelNeedsNone) {
    // The spider lives on far off, so the gate shown by a kill stays where it is.
    check({
        {"gate hidden; spider 3000,2500; demon 1000,1000; demon=3", "1/8 2/8 51/100 8/10", "A",
         "demon=2; demon shown; HT=19; GD=10; msg=Your Attack!; gate hidden"},
        {"gate hidden; spider 3000,2500; bat 1000,1000; bat=1", "2/8 1/8 100/100 7/10", "A",
         "bat=0; bat hidden; HT=19; GD=17; msg=Your Attack!; gate shown; gate 120,120"},
        {"gate hidden; spider 3000,2500; demon 1000,1000; demon=1; HT=0", "1/8 2/8 75/100 1/10",
         "A", "demon=1; demon hidden; HT=0; GD=11; msg=No hits!!!; gate shown"},
        {"gate hidden; demon 1000,1000; demon=2; HT=0", "1/8 99/100 10/10", "A",
         "demon=2; demon shown; GD=10; msg=No hits!!!; gate hidden"},
        {"demon 1000,1000; demon=1", "1/8 50/100", "A", "demon=1; HT=20; GD=10; AM=10; msg="},
    });
}

TEST(Combat, OnlyTheFirstTouchingMonsterFightsAfterTheWarningsAndOnlyWithEnergyLeft) {
    check({
        {"demon 1000,1000; demon=5; spider 1000,1000; spider=5; bat 1000,1000; bat=5",
         "1/8 1/8 1/8 1/100", "A", "AM=5; SR=20"},
        {"demon 3000,2500; spider 1000,1000; spider=5", "1/8 1/8 1/100", "A", "AM=10; SR=15"},
        // No energy: the ravine, before any monster is looked at.
        {"EN=0; demon 1000,1000; demon=1", "1/8", "A",
         "over=1; demon shown; msg=Game Over. You have fallen into the ravine"},
        {"EN=-3; rope shown", "build", "A", "over=; rope hidden; msg=You used the rope!"},
        // Warnings follow the pick-up and precede the exchange.
        {"gold 1000,1000; HT=0", "3/10", "A", "msg=No hits!!!; GD=13"},
        {"HT=1; EN=10", "", "A", "msg="},
        {"EN=9; HT=0", "", "A", "msg=Low energy!!!"},
        {"EN=1; demon 1000,1000; demon=2", "1/8 50/100", "A", "msg=Low energy!!!; over="},
        {"EN=1; demon 1000,1000; demon=2; HT=5", "1/8 51/100 1/10", "A",
         "demon=1; msg=Your Attack!"},
    });
}
