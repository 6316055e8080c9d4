// The saved game: what a file may hold, the shop's save, and the loads of the main menu and the
// shop. In rows, "saved" is the save file with its line ends written "/".
#include "game_fixture.h"
#include "save/save_file.h"

namespace {

// Bea's saved game: level 7, the board at 450, 300 of 5000 x 2600, three continues, the rope.
const QByteArray kBea("7\r\n55\r\n30\r\n42\r\n25\r\n8\r\n16\r\n64\r\n 300 \r\n 450 \r\n 5000 \r\n"
                      " 2600 \r\nBea\r\n3\r\nTrue\r\n");

} // namespace

TEST(SaveFile, WhatTheGameCannotUseIsDamage) {
    // Bea's save with one line changed: "line:text", lines counted from 0.
    const auto changed = [](const QByteArray& change) {
        QList<QByteArray> lines = kBea.split('\n');
        lines[change.left(change.indexOf(':')).toInt()] =
            change.mid(change.indexOf(':') + 1) + '\r';
        return lines.join('\n');
    };
    for (const QByteArray& usable :
         QByteArrayList{"14:Yes", "12:\"R2-D2, the droid\"", "12:" + QByteArray(1000, 'B')})
        EXPECT_FALSE(savefile::parse(changed(usable)).damaged) << usable.left(50).data();
    for (const QByteArray& damaging :
         QByteArrayList{"0:one", "1:fifty", "2:1O0", "3:1e3", "7:2:00", "8: 3OO ", "10: 5,000 ",
                        "13:three", "12:B\033a", "10: 1" + QByteArray(40, '0'),
                        "12:" + QByteArray(1001, 'B'), QByteArray("12:B\0a", 6)})
        EXPECT_TRUE(savefile::parse(changed(damaging)).damaged) << damaging.left(50).data();
    EXPECT_FALSE(savefile::parse(kBea).damaged);
    EXPECT_TRUE(savefile::parse(QByteArray("\177ELF\2\1\1\0\0\0", 10)).damaged);
}

TEST(Save, TheShopWritesTheFifteenLinesAndBothLoadsBringThemBack) {
    check({
        {"board 120,240,3615,1815; TM=97", "", "Esc S",
         "box=Saved!; shop open; "
         "saved=1/100/10/10/20/20/20/97/ 240 / 120 / 3615 / 1815 /Anna/5/False/36000000 0 0 0 0/"},
        {"board 120,240,-96,1234.5678", "", "Esc S",
         "saved=1/100/10/10/20/20/20/120/ 240 / 120 /-96 / 1234.568 /Anna/5/False/36000000 0 0 0 "
         "0/"},
        // The menu's load opens the board where the file puts it; no name is asked.
        {"menu; saved=7/55/30/42/25/8/16/64/ 300 / 450 / 5000 / 2600 /Bea/3/True/", "kept", "L +10",
         "LV=7; EN=55; AM=30; GD=42; HT=25; FD=8; SR=16; TM=64; name=Bea; CP=3; rope shown; "
         "board 450,300,5000,2600; player 2500,1300; windows=boardWindow; countdown on; prompts="},
        // Blanks and a number's own form give way; a quoted field runs to its closing quote, the
        // rest up to a comma is dropped, and a comma starts the next field.
        {"menu; saved=007/  +100  /\"30\" dropped,42/25/8/16.50/64/ 300 / 450 / 5000 / 2600 /"
         "\"Bea, the brave\"/3/True/",
         "kept", "L +10", "LV=7; EN=100; AM=30; GD=42; SR=16.5; name=Bea, the brave; CP=3"},
        // Without lines 9 to 15 the board stays where the new window has it.
        {"menu; saved=7/55/30/42/25/8/16/64/", "kept", "L +10",
         "LV=7; name=; CP=; rope hidden; board 3240,3360,3615,1815"},
        // The shop's load changes the stats and the board, not the level's objects.
        {"over=1; player hidden; gold 300,300; saved=7/55/30/42/25/8/16/64/ 300 / 450 / 5000 / "
         "2600 /Bea/3/True/",
         "", "Esc L",
         "LV=7; EN=55; AM=30; GD=42; HT=25; FD=8; SR=16; TM=64; name=Bea; CP=3; rope shown; "
         "board 450,300,5000,2600; player 2500,1300; player shown; over=; shop closed; "
         "gold 300,300; countdown on"},
        {"board 11,22,3333,4444; rope shown; saved=7/55/30/42/25/8/16/64/", "", "Esc L",
         "LV=7; name=; CP=; rope hidden; board 11,22,3333,4444"},
        // A board saved narrowed by the wall to 300 twips gets room for the player.
        {"menu; saved=7/55/30/42/25/8/16/64/ 300 / 450 / 300 / 2600 /Bea/3/True/", "kept", "L +10",
         "board 450,300,3500,2600; player 1750,1300; player shown; over="},
        // Names with commas, quotes and controls come back as the file can hold them.
        {"name=Smith, Anna", "", "Esc S L",
         "name=Smith, Anna; saved=1/100/10/10/20/20/20/120/ "
         "600 / 600 / 4000 / 3000 /\"Smith, Anna\"/5/False/36000000 0 0 0 0/"},
        {"name=007", "", "Esc S L", "name=007"},
        {"name=Jo \"Ace\" Lee", "", "Esc S L", "name=Jo \"Ace\" Lee"},
        {"name=Lee, \"Ace\"", "", "Esc S L", "name=Lee, 'Ace'"},
        {"name=Ann\r\nBo\x01x", "", "Esc S L", "name=Ann  Bo x"},
    });
}

// A game's seed and reseeds so far (and a daily challenge's day) follow the fifteen lines; a load
// takes the file's seed, or none, and a seed line that cannot be read never refuses the fifteen
// lines.
TEST(Save, AGameKeepsItsSeedOnASixteenthLine) {
    check({
        {"seed=777 1 2 30 4", "", "Esc S L",
         "seed=777 1 2 30 4; saved=1/100/10/10/20/20/20/120/ 600 / 600 / 4000 / 3000 /Anna/5/False/"
         "777 1 2 30 4/"},
        // A game begun without one has a seed of its own from the clock.
        {"", "", "Esc S",
         "seed=36000000 0 0 0 0; saved=1/100/10/10/20/20/20/120/ 600 / 600 / 4000 / 3000 /Anna/5/"
         "False/36000000 0 0 0 0/"},
        {"seed=9 0 0 0 0 2026-12-08", "", "Esc S L",
         "seed=9 0 0 0 0 2026-12-08; saved=1/100/10/10/20/20/20/120/ 600 / 600 / 4000 / 3000 /"
         "Anna/5/False/9 0 0 0 0 2026-12-08/"},
        {"menu; saved=7/55/30/42/25/8/16/64/ 300 / 450 / 5000 / 2600 /Bea/3/True/778 5 6 7 8/",
         "kept", "L +10", "LV=7; seed=778 5 6 7 8"},
        {"menu; seed=777 0 0 0 0; saved=7/55/30/42/25/8/16/64/ 300 / 450 / 5000 / 2600 "
         "/Bea/3/True/",
         "kept", "L +10", "LV=7; seed="},
        {"menu; seed=777 0 0 0 0; saved=7/55/30/42/25/8/16/64/ 300 / 450 / 5000 / 2600 "
         "/Bea/3/True/778 5 6 7/",
         "kept", "L +10", "LV=7; seed="},
        {"seed=777 0 0 0 0; saved=7/55/30/42/25/8/16/64/ 300 / 450 / 5000 / 2600 "
         "/Bea/3/True/4294967296 0 0 0 0/",
         "", "Esc L", "LV=7; seed=; shop closed"},
        {"menu; saved=7/55/30/42/25/8/16/64/ 300 / 450 / 5000 / 2600 /Bea/3/True/\x01\x02\x7f/",
         "kept", "L +10", "LV=7; seed="},
    });
}

TEST(Save, BothLoadsRefuseADamagedFileOrNone) {
    check({
        {"menu; saved=/55/fifty/", "", "L", "box=No saved game; windows=menuWindow; countdown off"},
        {"menu; saved=7/fifty/", "", "L", "box=The saved game is damaged.; windows=menuWindow"},
        {"", "", "Esc L", "box=No saved game; shop open"},
        {"saved=7/fifty/", "", "Esc L", "box=The saved game is damaged.; shop open; LV=1"},
    });
    Play tooLarge; // no save file is this large
    tooLarge.apply("saved=7" + QString(40000, '/'), false);
    tooLarge.playKeys("L");
    tooLarge.apply("box=The saved game is damaged.", true);
}
