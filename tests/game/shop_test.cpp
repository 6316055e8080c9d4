// The shop: what gold, food and prayer get, opening and leaving it, the commands that stay open
// while the game is over, a new game and a continue. Escape on the board opens it.
#include "game_fixture.h"

TEST(Shop, EachPurchaseBelowAndAtItsPriceAndFoodToTheNearestWholeNumber) {
    // A to D say so in the shop whenever the gold left is below the price; K and R on the message
    // line when the gold is short.
    check({
        {"GD=9", "", "Esc A", "EN=100; GD=9; shopMsg=You do not have enough gold!"},
        {"GD=10", "", "Esc A", "EN=105; GD=0; shopMsg=You do not have enough gold!"},
        {"GD=20", "", "Esc A", "EN=105; GD=10; shopMsg="},
        {"GD=6", "", "Esc B", "AM=10; GD=6; shopMsg=You do not have enough gold!"},
        {"GD=7", "", "Esc B", "AM=20; GD=0"},
        {"GD=4", "", "Esc C", "SR=20; GD=4; shopMsg=You do not have enough gold!"},
        {"GD=5", "", "Esc C", "SR=40; GD=0"},
        {"GD=0", "", "Esc D", "HT=20; GD=0; shopMsg=You do not have enough gold!"},
        {"GD=1", "", "Esc D", "HT=21; GD=0"},
        {"GD=99", "", "Esc K", "CP=5; GD=99; msg=You do not have enough gold!"},
        {"GD=100", "", "Esc K", "CP=6; GD=0; msg=; shopMsg="},
        {"GD=29", "", "Esc R", "rope hidden; GD=29; msg=You do not have enough gold!"},
        {"GD=30", "", "Esc R", "rope shown; GD=0; msg="},
        {"GD=61; rope shown", "", "Esc R", "rope shown; GD=31"},
        // Food becomes energy or serum, to the nearest whole number.
        {"FD=7", "", "Esc E", "EN=107; FD=0; shopMsg=You do not have enough foods!"},
        {"FD=1", "", "Esc F", "SR=21; FD=0"},
        {"FD=2.6", "", "Esc E", "EN=103; FD=0"},
        {"FD=100000", "", "Esc F", "SR=100020; FD=0"},
        {"FD=0.5", "", "Esc E", "EN=100; FD=0.5; shopMsg=You do not have enough foods!"},
        {"FD=0", "", "Esc F", "SR=20; FD=0; shopMsg=You do not have enough foods!"},
    });
}

TEST(Shop, WallExpansionTimeAndPrayer) {
    check({
        {"EN=10; GD=50", "", "Esc W",
         "msg=You do not have enough energy or gold!; EN=10; GD=50; board 600,600,4000"},
        {"EN=50; GD=9", "", "Esc W", "msg=You do not have enough energy or gold!; GD=9"},
        {"EN=11; GD=10", "", "Esc W",
         "board 600,600,10000; gate 100,1500; EN=1; GD=0; msg=; shop open"},
        {"TM=300; FD=10; GD=15", "", "Esc T", "TM=120; FD=0; GD=5; msg="},
        {"TM=50; FD=10; GD=10", "", "Esc T", "TM=120; FD=0; GD=0"},
        {"TM=50; FD=9; GD=100", "", "Esc T",
         "TM=50; FD=9; GD=100; msg=You do not have enough food or gold!"},
        {"TM=50; FD=100; GD=9", "", "Esc T", "TM=50; msg=You do not have enough food or gold!"},
        // An answered prayer restores everything and starts the clock, under the open shop.
        {"EN=3; CP=0", "1/500", "Esc G +1000",
         "EN=100; FD=100; SR=100; HT=100; AM=100; GD=100; TM=899; CP=5; rope shown; "
         "shopMsg=God had mercy.; shop open; reseeds=2"},
        {"EN=1", "2/500", "Esc G +1000",
         "EN=0; shopMsg=Nothing happens.; rope hidden; TM=120; shop open"},
        // Without energy a prayer ends the game, and the clock and the wall stay stopped.
        {"shop; EN=0", "", "G +5000",
         "msg=Game Over. Sorry. Too many requests.; over=1; player hidden; EN=0; shop closed; "
         "wall off; TM=120; reseeds=2"},
        {"shop; EN=-4", "", "G", "over=1; shop closed"},
    });
}

TEST(Shop, OpensWithTheClockStoppedTakesOnlyNLZHAndQWhileTheGameIsOverAndClosesToGoOn) {
    check({
        {"", "", "Esc +5000 Left I J M O P U V Y 5",
         "TM=120; boardWindow disabled; wall off; countdown off; player 1000,1000; shop open; "
         "shopMsg=; box=; addresses="},
        {"", "", "Esc H", "shop open; addresses=file://PROGRAM/help/index.html"},
        {"", "", "Esc Esc", "shop closed; boardWindow enabled; wall on; countdown on"},
        {"", "", "Esc X", "shop closed; boardWindow enabled; wall on; countdown on"},
        {"over=1; FD=15; GD=500; EN=50", "", "Esc A B C D E F G S W T R K X Esc",
         "FD=15; GD=500; EN=50; AM=10; SR=20; HT=20; CP=5; TM=120; rope hidden; msg=; shopMsg=; "
         "box=; saved=; board 600,600,4000; shop open; reseeds=1"},
        {"over=1", "", "Esc H Q L",
         "addresses=file://PROGRAM/help/index.html; exits=1; box=No saved game; shop open"},
        {"over=1", "", "Esc Z", "shop closed; over="},
        // A new game starts afresh, keeping the name.
        {"over=1; LV=12; GD=77; TM=3; CP=2; rope shown", "build", "Esc N +10",
         "LV=1; EN=100; AM=10; GD=10; HT=20; FD=20; SR=20; TM=120; name=Anna; CP=5; "
         "rope hidden; over=; countdown on; windows=boardWindow; panel shown; "
         "prompts=What is your name?/Vexmoor/Player"},
        // A continue restarts the player, until none is left.
        {"over=1; player hidden; pathPlayer hidden; board 600,600,5000; EN=0; LV=7; CP=2; "
         "rope shown",
         "", "Esc Z",
         "shop closed; CP=1; msg=You will can to continue only 1 times; EN=100; TM=120; LV=7; "
         "rope shown; over=; player shown; pathPlayer shown; player 2500,1500; countdown on"},
        {"CP=1", "", "Esc Z", "CP=0; msg=You will can to continue only 0 times"},
        // A game lost to the wall: the board gets room for the player again.
        {"wallOn=1; player 50,1000; board 600,600,400,200", "", "Left +2000 Z +1000",
         "shop closed; over=; wall on; board 600,600,3420,2500; player 1750,1250; player shown"},
        {"CP=0; GD=3", "", "Esc Z", "shop open; shopMsg=Not is possible again!; CP=0; GD=3"},
        {"CP=-2", "", "Esc Z", "shop open; shopMsg=Not is possible again!; CP=0"},
        {"CP=", "", "Esc Z", "shop open; shopMsg=Not is possible again!; CP=0"},
    });
}
