// The shop: what gold, food and prayer get, opening and leaving it, the commands that stay open
// while the game is over, a new game and a continue. "shop" is Escape on the board.
#include "game_fixture.h"

TEST(Shop, EachPurchaseBelowAtAndAbovePrice) {
    // A to D say so in the shop whenever the gold left is below the price; K and R on the message
    // line when the gold is short.
    check({
        {"shop; GD=9", "", "A", "EN=100; GD=9; shopMsg=You do not have enough gold!"},
        {"shop; GD=10", "", "A", "EN=105; GD=0; shopMsg=You do not have enough gold!"},
        {"shop; GD=20", "", "A", "EN=105; GD=10; shopMsg="},
        {"shop; GD=6", "", "B", "AM=10; GD=6; shopMsg=You do not have enough gold!"},
        {"shop; GD=7", "", "B", "AM=20; GD=0"},
        {"shop; GD=14", "", "B", "AM=20; GD=7; shopMsg="},
        {"shop; GD=4", "", "C", "SR=20; GD=4; shopMsg=You do not have enough gold!"},
        {"shop; GD=5", "", "C", "SR=40; GD=0"},
        {"shop; GD=10", "", "C", "SR=40; GD=5; shopMsg="},
        {"shop; GD=0", "", "D", "HT=20; GD=0; shopMsg=You do not have enough gold!"},
        {"shop; GD=1", "", "D", "HT=21; GD=0"},
        {"shop; GD=2", "", "D", "HT=21; GD=1; shopMsg="},
        {"shop; GD=99", "", "K", "CP=5; GD=99; msg=You do not have enough gold!"},
        {"shop; GD=100", "", "K", "CP=6; GD=0; msg=; shopMsg="},
        {"shop; GD=29", "", "R", "rope hidden; GD=29; msg=You do not have enough gold!"},
        {"shop; GD=30", "", "R", "rope shown; GD=0; msg="},
        {"shop; GD=61; rope shown", "", "R", "rope shown; GD=31"},
    });
}

TEST(Shop, FoodBecomesEnergyOrSerumToTheNearestWholeNumber) {
    check({
        {"shop; FD=7", "", "E", "EN=107; FD=0; shopMsg=You do not have enough foods!"},
        {"shop; FD=1", "", "F", "SR=21; FD=0"},
        {"shop; FD=2.6", "", "E", "EN=103; FD=0"},
        {"shop; FD=100000", "", "F", "SR=100020; FD=0"},
        {"shop; FD=0.5", "", "E", "EN=100; FD=0.5; shopMsg=You do not have enough foods!"},
        {"shop; FD=0", "", "F", "SR=20; FD=0; shopMsg=You do not have enough foods!"},
    });
}

TEST(Shop, WallExpansionTimeAndPrayer) {
    check({
        {"shop; EN=10; GD=50", "", "W",
         "msg=You do not have enough energy or gold!; EN=10; GD=50; board 600,600,4000"},
        {"shop; EN=50; GD=9", "", "W", "msg=You do not have enough energy or gold!; GD=9"},
        {"shop; EN=11; GD=10", "", "W",
         "board 600,600,10000; gate 100,1500; EN=1; GD=0; msg=; shop open"},
        {"shop; TM=300; FD=10; GD=15", "", "T", "TM=120; FD=0; GD=5; msg="},
        {"shop; TM=50; FD=10; GD=10", "", "T", "TM=120; FD=0; GD=0"},
        {"shop; TM=50; FD=9; GD=100", "", "T",
         "TM=50; FD=9; GD=100; msg=You do not have enough food or gold!"},
        {"shop; TM=50; FD=100; GD=9", "", "T", "TM=50; msg=You do not have enough food or gold!"},
        // An answered prayer restores everything and starts the clock, under the open shop.
        {"shop; EN=3; CP=0", "1/500", "G +1000",
         "EN=100; FD=100; SR=100; HT=100; AM=100; GD=100; TM=899; CP=5; rope shown; "
         "shopMsg=God had mercy.; shop open; reseeds=2"},
        {"shop; EN=1", "2/500", "G +1000",
         "EN=0; shopMsg=Nothing happens.; rope hidden; TM=120; shop open"},
        // Without energy a prayer ends the game, and the clock and the wall stay stopped.
        {"shop; EN=0", "", "G +5000",
         "msg=Game Over. Sorry. Too many requests.; over=1; player hidden; EN=0; shop closed; "
         "wall off; TM=120; reseeds=2"},
        {"shop; EN=-4", "", "G", "over=1; shop closed"},
    });
}

TEST(Shop, EscapeOpensTheShopWithTheClockAndTheWallStoppedAndLeavingRestartsThem) {
    check({
        {"shop", "", "+5000 Left I J M O P U V Y 5",
         "TM=120; boardWindow disabled; wall off; countdown off; player 1000,1000; shop open; "
         "shopMsg=; box=; addresses="},
        {"shop", "", "H", "shop open; addresses=file://PROGRAM/help/index.html"},
        {"shop", "", "Esc", "shop closed; boardWindow enabled; wall on; countdown on"},
        {"shop", "", "X", "shop closed; boardWindow enabled; wall on; countdown on"},
    });
}

TEST(Shop, WhileTheGameIsOverOnlyNLZHAndQAct) {
    check({
        {"shop; over=1; FD=15; GD=500; EN=50", "", "A B C D E F G S W T R K X Esc",
         "FD=15; GD=500; EN=50; AM=10; SR=20; HT=20; CP=5; TM=120; rope hidden; msg=; shopMsg=; "
         "box=; saved=; board 600,600,4000; shop open; reseeds=1"},
        {"shop; over=1", "", "H Q L",
         "addresses=file://PROGRAM/help/index.html; exits=1; box=No saved game; shop open"},
        {"shop; over=1", "", "Z", "shop closed; over="},
    });
}

TEST(Shop, ANewGameStartsAfreshKeepingTheName) {
    check({
        {"shop; over=1; LV=12; GD=77; TM=3; CP=2; rope shown", "build", "N +10",
         "LV=1; EN=100; AM=10; GD=10; HT=20; FD=20; SR=20; TM=120; name=Anna; CP=5; "
         "rope hidden; over=; countdown on; windows=boardWindow; panel shown; "
         "prompts=What is your name?/Vexmoor/Player"},
    });
}

TEST(Shop, AContinueRestartsThePlayerUntilNoneIsLeft) {
    check({
        {"shop; over=1; player hidden; pathPlayer hidden; board 600,600,5000; EN=0; LV=7; CP=2; "
         "rope shown",
         "", "Z",
         "shop closed; CP=1; msg=You will can to continue only 1 times; EN=100; TM=120; LV=7; "
         "rope shown; over=; player shown; pathPlayer shown; player 2500,1500; countdown on"},
        {"shop; CP=1", "", "Z", "CP=0; msg=You will can to continue only 0 times"},
        {"shop; CP=0; GD=3", "", "Z", "shop open; shopMsg=Not is possible again!; CP=0; GD=3"},
        {"shop; CP=-2", "", "Z", "shop open; shopMsg=Not is possible again!; CP=0"},
        {"shop; CP=", "", "Z", "shop open; shopMsg=Not is possible again!; CP=0"},
    });
}
