// The path section: entering it at the gate, its pick-ups and holes, the hidden exit, and the
// trail of marks. "path" leaves its holes far off and its pick-ups at 3000, 100; the path player
// starts at the old board's corner, 600, 600.
#include "game_fixture.h"

TEST(Path, TheGateLeadsThroughThePathItsPickUpsAndHolesToTheNextLevel) {
    check({
        {"path", "", "",
         "board hidden; onPath=1; sections=1; statusTimer on; hole30 9000,6000; hole30 shown; "
         "pathFood 3000,100; pathFood shown; pathGold shown; pathTime shown; pathPlayer shown; "
         "pathPlayer 600,600; player 1000,1000"},
        // The first move chooses the exit: the next board, laid out but hidden.
        {"path", "700/7830 500/11760 4000/8000 3000/8000", "Right",
         "fromPath=1; board hidden; board 500,700,4000,3000; LV=1; reseeds=2"},
        {"path", "500/7830 600/11760 4000/8000 3000/8000 kept", "Right",
         "board shown; board 600,500; LV=2; msg=New level; onPath=; player shown; "
         "player 2000,1500; pathPlayer shown"},
        // The next section starts where the last step of this one began.
        {"path", "500/7830 550/11760 4000/8000 3000/8000 kept path", "Left Right A A",
         "sections=2; onPath=1; pathPlayer 504,600; LV=2"},
        // All touching pick-ups are taken in one move, then the lowest hole.
        {"path; pathFood 696,600; pathGold 696,600; pathTime 696,600",
         "3/10 4/10 5/10 5000/7830 5000/11760 3500/8000 2500/8000", "Right",
         "FD=23; GD=14; TM=125; msg=You got the time; pathFood hidden; pathGold hidden; "
         "pathTime hidden"},
        // The rope catches the fall; the rebuilt level hid the path player, who walks on.
        {"rope shown; path; pathGold 696,600; hole2 696,600; hole5 696,600", "6/10 build", "Right",
         "GD=16; pathGold hidden; hole2 hidden; hole5 shown; msg=You used the rope!; rope hidden; "
         "fromPath=; onPath=1; pathPlayer shown; pathPlayer 696,600"},
        {"rope shown; path; hole2 696,600; hole5 696,600", "build", "Right Right",
         "hole5 hidden; msg=Game Over.; over=1; pathPlayer hidden"},
        // A blow on the gate's turn knocks the player off the board: the rope's level keeps
        // the path player shown.
        {"rope shown; AM=0; player 100,1000; gate 100,1000; demon 100,1000; demon=9",
         "1/8 path 1/100 4/4 build", "A",
         "msg=You used the rope!; onPath=1; pathPlayer shown; over="},
    });
}

TEST(Path, ThePlayerHearsThePickUpsAndTheHolesWithinFourStepsButNoEdges) {
    check({
        {"path; hole3 696,900; hole4 1100,600", "", "",
         "sightings=time, 25 steps right, 3 steps up | gold, 25 steps right, 3 steps up | "
         "food, 25 steps right, 3 steps up | hole, 1 step right, 1 step down!; edges="},
    });
}

TEST(Path, TheExitIncludesItsEdges) {
    // The exit at 1000, 1000 of 3500 x 2500, and the path player beside or on each of its edges.
    int i = 0;
    for (const char* at : {"999,2000", "1000,2000", "4501,2000", "4500,2000", "2000,999",
                           "2000,1000", "2000,3501", "2000,3500"}) {
        const bool reached = i++ % 2;
        const QByteArray setup =
            "path; fromPath=1; board 1000,1000,3500,2500; pathPlayer " + QByteArray(at);
        Play().run({setup, reached ? "kept" : "", "A", reached ? "LV=2" : "board hidden; LV=1"});
    }
}

TEST(Path, TheSeventhSectionWipesAndFreesTheTrailOfTheSixBefore) {
    Play play;
    BoardWindow& b = play.start();
    const size_t controls = b.controls().size();
    // Sections entered at the gate (their draws all 1), the exit far off, and marks laid.
    for (int marks : {2, 2, 2, 2, 2, 2, 1}) {
        play.apply("onPath=; board shown; gate 2000,1500", false);
        play.playKeys("A");
        play.apply("fromPath=1; board 6000,600", false);
        play.playKeys(marks == 2 ? "A A" : "A");
        EXPECT_EQ(b.controls().size(), controls + 30 + (marks == 2 ? b.trail.count() - 1 : 1));
    }
    play.apply("sections=0; marks=13; mark13 shown", true);
    EXPECT_EQ(b.trail.loadedCount(), 2);
}

TEST(Path, AKeyCostsTheSameOnALongTrailAndItsWipeGrowsOnlyWithIt) {
    // Left and Right in turn pile the marks up on two places. Times are compared, not measured: a
    // key on a long trail against one on a short trail, and a wipe of 10^5 marks against one of
    // 10^4, by the seventh section and by a new game.
    using Clock = std::chrono::steady_clock;
    const auto took = [](const auto& work) {
        const Clock::time_point start = Clock::now();
        work();
        return std::max<Clock::duration>(Clock::now() - start, std::chrono::milliseconds(1));
    };
    std::vector<Clock::duration> sections, newGames;
    for (const int marks : {10'000, 100'000}) {
        Play play;
        const auto walk = [&](int keys) {
            for (int i = 0; i < keys; ++i)
                play.game.keyDown(i % 2 ? keys::Left : keys::Right, 0);
        };
        BoardWindow& b = play.start();
        play.apply("path; fromPath=1; board 6000,600", false);
        const Clock::duration first = took([&] { walk(1000); });
        walk(marks - 2000);
        const Clock::duration last = took([&] { walk(1000); });
        EXPECT_LT(last, 4 * first) << marks;
        b.pathSections.setText("6");
        sections.push_back(took([&] { b.buildPath(); }));
        EXPECT_EQ(b.trail.loadedCount(), 1);
        play.apply("fromPath=1; board 6000,600", false);
        walk(marks);
        newGames.push_back(took([&] {
            play.game.startNewGame();
            play.game.scene().collect();
        }));
    }
    EXPECT_LT(sections[1], 30 * sections[0]);
    EXPECT_LT(newGames[1], 30 * newGames[0]);
}
