// The shell: start-up and the main menu, the name, the board's start-up tick, the cheat prompt,
// the game clock and the finale.
#include "game_fixture.h"

TEST(Shell, TheMenuStartsAtLevel1KeepingNameContinuesAndRopeAndAsksTheNameUntilOneIsGiven) {
    check({
        // Other keys do nothing, and the hidden panel's captions take no clicks.
        {"menu", "", "A Q 5 Esc Left click:caption0",
         "box=; addresses=; exits=0; prompts=; countdown off; windows=menuWindow"},
        {"menu", "", "H X", "addresses=file://PROGRAM/help/index.html; exits=1"},
        {"menu; LV=7; EN=7; AM=7; GD=7; HT=7; FD=7; SR=7; TM=7; name=Bo; CP=2; rope shown", "", "N",
         "LV=1; EN=100; AM=10; GD=10; HT=20; FD=20; SR=20; TM=120; name=Bo; CP=2; rope shown; "
         "prompts=; windows=boardWindow; countdown on"},
        {"menu", "", "N", "name=Player; prompts=What is your name?/Vexmoor/Player"},
        {"menu", "", "say:Anna N", "name=Anna"},
        // The start-up tick fills the main window above the panel, shows it and builds once.
        {"menu", "build", "say:Anna N +10",
         "boardWindow 1,1,11760,7830; panel shown; wall on; drift on; startUp off; "
         "player 2000,1500"},
    });
}

TEST(Shell, OnlyTheExactCheatCodesActBehindEveryCaption) {
    check({
        {"", "", "say:QYX click:caption0 say:Vumo click:caption8 click:msg",
         "LV=1; EN=100; TM=120; msg=; prompts=What is your name?/Vexmoor/Player | "
         "Cheat:/Use codes cheat/ | Cheat:/Use codes cheat/ | Cheat:/Use codes cheat/"},
        // The restore code revives a game lost to the clock.
        {"TM=1; stuck=1; CP=2", "", "+990 say:qyx click:caption3 +1000",
         "LV=1; EN=100; AM=100; GD=100; HT=100; FD=100; SR=100; TM=899; name=Anna; CP=5; "
         "player shown; player 100,100; over=; stuck=; rope shown; msg=God had mercy."},
        // The level code leaps to a whole number within 1 to 98.
        {"LV=40", "", "say:vumo say:0 click:caption8",
         "LV=1; prompts=What is your name?/Vexmoor/Player | Cheat:/Use codes cheat/ | "
         "Leap to:/Number of level (1 - 98)/"},
        {"LV=40", "", "say:vumo say:150 click:caption2", "LV=98"},
        {"LV=40", "",
         "say:vumo say:abc click:caption1 say:vumo say:2.5 click:caption1 say:vumo click:caption1 "
         "say:vumo say:1e3 click:caption1",
         "LV=40"},
    });
}

TEST(Shell, TheTimeRunsOutOnThe119thTickStandsStillInThePathSectionAndLevel99EndsTheGame) {
    check({
        {"", "", "+117990", "TM=2; player shown; over="},
        {"", "", "+118990",
         "TM=0; msg=Game Over. Sorry. No time.; EN=0; over=1; player hidden; countdown off; "
         "wall off"},
        // The status timer clears messages every 3 s and restarts the countdown, which ends the
        // game again.
        {"statusTimer on; msg=Hello", "", "+3000", "msg="},
        {"statusTimer on", "", "+120500", "msg=; countdown on; TM=0"},
        {"statusTimer on", "", "+121500", "msg=Game Over. Sorry. No time.; countdown off"},
        // In the path section the clock stands still until a board shows again.
        {"path; msg=You got the gold", "", "+3000 +60000", "msg=; countdown off; TM=117"},
        {"path", "500/7830 600/11760 4000/8000 3000/8000 kept ...", "+3000 Right +4000",
         "countdown on; pathPlayer hidden; TM=116"},
        // Level 99 plays the finale, which ends on the menu.
        {"LV=99", "", "+989", "windows=boardWindow"},
        {"LV=99", "", "+990 N L X H Esc Left",
         "windows=finale; panel hidden; countdown off; statusTimer off; TM=120; exits=0; "
         "addresses="},
        {"LV=99; CP=3; rope shown", "build", "+120000 N +10",
         "LV=1; name=Anna; CP=3; rope shown; panel shown; windows=boardWindow; "
         "prompts=What is your name?/Vexmoor/Player"},
        // A shop left open closes with the game, and the next game's shop stops the clock.
        {"LV=99; statusTimer on", "", "Esc +4000", "windows=finale; countdown off"},
        {"LV=99; statusTimer on", "build", "Esc +4000 +120000 N +10 Esc",
         "windows=boardWindow,shop; countdown off"},
    });
}
