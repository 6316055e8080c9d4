// The timed walls: the closing right wall and the drifting board, ticking every 100 ms.
#include "game_fixture.h"

TEST(Walls, TheClosingWallNarrowsTheBoardPushingTheGateUntilThePlayerFalls) {
    check({
        {"wallOn=1; gate 3745,500; gold 3745,1000", "", "+100",
         "board 600,600,3992; gate 3737,500; gold 3745,1000"},
        // The player at 1750 falls on the tick the wall passes 2005.
        {"wallOn=1; board 600,600,3500,3000; player 1750,1500", "", "+18600",
         "board 600,600,2012; over="},
        {"wallOn=1; board 600,600,3500,3000; player 1750,1500", "", "+18700",
         "over=1; wall off; msg=Game Over. You have fallen into the ravine"},
        // Below 100 the board is a fall before the gate moves.
        {"wallOn=1; gate 3000,500; board 600,600,107,3000", "", "+100", "over=1; gate 3000,500"},
        {"wallOn=1; gate 3000,500; board 600,600,108,3000", "", "+100", "over=1; gate -155,500"},
        {"wallOn=1; path", "", "+1000", "board 600,600,4000"},
        // A hidden player stops both timers after one last tick.
        {"wallOn=1; dir=4; driftOn=1; drift on; player hidden", "", "+1100",
         "wall off; drift off; board 700,600,3992"},
    });
}

TEST(Walls, TheDriftChoosesADirectionMovesAHundredAndBouncesOffTheFirstEdgePassed) {
    // Directions: 1 up, 2 down, 3 left, 4 right, in the board window of 11760 x 7830.
    check({
        {"driftOn=1; drift on", "2/4", "+100", "dir=2; board 600,600; reseeds=2"},
        {"driftOn=; drift on", "2/4 4/4", "+200", "dir=4; board 600,600,4000"},
        {"driftOn=1; drift on; dir=1; board 600,150", "", "+100", "board 600,50; dir=1"},
        {"driftOn=1; drift on; dir=1; board 600,130", "2/4", "+100", "board 600,50; dir=2"},
        {"driftOn=1; drift on; dir=3; board 150,600", "", "+100", "board 50,600"},
        {"driftOn=1; drift on; dir=3; board 120,600", "2/4", "+100", "board 50,600"},
        {"driftOn=1; drift on; dir=2; board 600,4730", "", "+100", "board 600,4830"},
        {"driftOn=1; drift on; dir=2; board 600,4800", "2/4", "+100", "board 600,4550"},
        {"driftOn=1; drift on; dir=4; board 7660,600", "", "+100", "board 7760,600"},
        {"driftOn=1; drift on; dir=4; board 7700,600", "2/4", "+100", "board 7480,600"},
        // Only the first edge passed is dealt with.
        {"driftOn=1; drift on; dir=2; board 7800,4800", "2/4", "+100", "board 7800,4550"},
        // A board taller than the window jumps between the margins.
        {"driftOn=1; drift on; dir=3; board 300,1,4000,8000", "2/4", "+100", "board 200,50"},
        {"driftOn=1; drift on; dir=3; board 200,50,4000,8000", "2/4", "+100", "board 100,-450"},
        // The path section stops the drift.
        {"path; driftOn=1; drift on; dir=1", "", "+1000", "drift off; dir=1; board 600,600"},
    });
}
