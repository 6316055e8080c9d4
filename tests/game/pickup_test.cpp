// What the player steps on: the contact test, the pick-ups, the passage, and quicksand, whose stop
// counts down on the trap and ends by moving the trap or taking it away.
#include "game_fixture.h"

TEST(Pickup, ContactIsAStepLeftOfAnObjectToItsWidthAndThePlayersHeightEachWay) {
    check({
        {"gold 1095,1000", "4/10", "A", "GD=14; gold hidden; msg=You got the gold"},
        {"gold 1096,1000", "", "A", "GD=10; gold shown; msg="},
        {"gold 746,1000", "4/10", "A", "GD=14"},
        {"gold 745,1000", "", "A", "GD=10"},
        {"gold 1000,746", "4/10", "A", "GD=14"},
        {"gold 1000,745", "", "A", "GD=10"},
        {"gold 1000,1254", "4/10", "A", "GD=14"},
        {"gold 1000,1255", "", "A", "GD=10"},
        {"gold 1191,1000", "4/10", "Right", "GD=14"}, // the test comes after the step
    });
}

TEST(Pickup, EachPickUpAddsADrawFromTenThePassageTwoLevelsAndOnlyTheFirstTouchingObjectActs) {
    check({
        {"gold 1000,1000", "10/10", "A", "GD=20; gold hidden; msg=You got the gold"},
        {"hits 1000,1000", "10/10", "A", "HT=30; hits hidden; msg=You got the hits"},
        {"food 1000,1000", "3/10", "A", "FD=23; food hidden; msg=You got the foods"},
        {"serum 1000,1000", "7/10", "A", "SR=27; serum hidden; msg=You got the serum"},
        {"hits 1000,1000; food 1000,1000", "1/10", "A", "HT=21; FD=20; food shown"},
        {"gold 1000,1000; gold hidden; passage 1000,1000; passage hidden; sand 1000,1000; "
         "sand hidden",
         "", "A", "LV=1; stuck=; GD=10"},
        // The gate leads to the path section before the gold or the quicksand act.
        {"gate 1000,1000; gold 1000,1000; sand 1000,1000; HT=0", "path", "A",
         "board hidden; onPath=1; gold shown; stuck=; msg=No hits!!!"},
        // The passage raises the level by two, on a new level.
        {"passage 1000,1000; LV=5", "build", "A",
         "LV=7; msg=Secret passage +2 Level!; player 2000,1500; passage hidden"},
        {"fromPath=1; passage 1000,1000", "kept", "A", "LV=3; player 2000,1500"},
    });
}

TEST(Pickup, QuicksandHoldsThePlayerForFiveTicksCountingDownOnTheTrap) {
    check({
        {"sand 1096,1000", "", "Right", "stuck=1; sandTimer on; sand=5; msg="},
        {"sand 1096,1000", "", "Right +1000 Right +3999 Right",
         "sand=1; sand shown; stuck=1; player 1096,1000"},
        // A draw below 10 from 20 puts the trap back elsewhere, folded into the board.
        {"sand 1096,1000", "9/20> 2000/3000 1500/4000", "Right +5000 Right",
         "stuck=; sandTimer off; sand=5; sand shown; sand 1500,2000; player 1192,1000"},
        {"sand 1000,1000", "10/20<", "A +5000", "sand hidden; sand 1000,1000; sand=5; stuck="},
        {"sand 1000,1000", "1/20 1/3000 4000/4000", "A +5000", "sand 3745,1"},
        {"sand 1000,1000; board 600,600,200,3000", "1/20 300/3000 100/200", "A +5000",
         "sand 1,300"},
        // A trap whose caption is no number lets go at once.
        {"sand 1000,1000; sand=?", "10/20", "A +1000", "stuck=; sand=5; sandTimer off"},
    });
}
