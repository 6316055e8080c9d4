// The ravine: the rope's rescue, and the game over of a fall from the board or into a hole.
#include "game_fixture.h"

TEST(Fall, TheRopeSavesOnceAndAFallWithoutItEndsTheGame) {
    const char* const over = "EN=0; over=1; player hidden; countdown off; wall off; "
                             "boardWindow disabled; windows=boardWindow,shop,overScreen";
    check({
        {"fromPath=1; LV=5; rope shown; player 95,1000", "kept", "Left",
         "msg=You used the rope!; rope hidden; board 600,600; player 2000,1500; player shown; "
         "LV=5; EN=100; over=; windows=boardWindow"},
        {"player 1000,50", "", "Up", over},
        {"path; hole7 696,600", "", "Right", over},
        // A board the closing wall has narrowed: the passage's level puts the player past its
        // right edge, and the game is lost once.
        {"fromPath=1; board 600,600,400,3000; player 100,1000; passage 100,1000", "kept", "A",
         over},
        // The game-over screen closes itself after two seconds.
        {"player 1000,50", "", "Up +1999", "overScreen open"},
        {"player 1000,50", "", "Up +2000", "windows=boardWindow,shop"},
    });
}
