// The saved game: the file's lines and reading rules, the shop's save, and the loads of the main
// menu and the shop. In rows, "saved" is the save file with its line ends written "/".
#include "game_fixture.h"
#include "save/save_file.h"

namespace {

// Bea's saved game: level 7, the board at 450, 300 of 5000 x 2600, three continues, the rope.
const QByteArray kBea("7\r\n55\r\n30\r\n42\r\n25\r\n8\r\n16\r\n64\r\n 300 \r\n 450 \r\n 5000 \r\n"
                      " 2600 \r\nBea\r\n3\r\nTrue\r\n");

} // namespace

TEST(SaveFile, ReadingRulesForQuotesCommasBlanksNumbersAndLineEnds) {
    const std::pair<const char*, SavedGame> cases[] = {
        {"007\r\n  +100  \r\n\t10\r\n 3.50 \r\n\r\nx y  \r\n",
         {.level = "7", .energy = "100", .armor = "10", .gold = "3.5", .food = "x y"}},
        // Quoted: the text as it is, the rest up to the comma dropped; after a comma the next
        // field starts.
        {"\"5, or more\" ignored,12\r\n\"007\"",
         {.level = "5, or more", .energy = "12", .armor = "007"}},
        {"\"unclosed\r\n2", {.level = "unclosed", .energy = "2"}},
        {"1\r2\n3\r\n4", {.level = "1", .energy = "2", .armor = "3", .gold = "4"}},
        {"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\nAl\r\n14\r\nTrue\r\n",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "Al", "14", true}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_TRUE(savefile::parse(QByteArray(text)).game == expected) << text;
}

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

TEST(SaveFile, NamesWithCommasQuotesAndBlanksComeBack) {
    // A quoted name cannot hold double quotes; line breaks and control characters become blanks.
    std::vector<std::pair<QString, QString>> names{{"Lee, \"Ace\"", "Lee, 'Ace'"},
                                                   {"Anna\r\nBob\x01", "Anna  Bob "},
                                                   {QString(400, 'x'), QString(300, 'x')}};
    for (const QString name : {"Smith, Anna", "  Anna  ", "42", "Jo \"Ace\" Lee", "Zoë"})
        names.emplace_back(name, name);
    Play play;
    for (const auto& [name, back] : names) {
        ASSERT_TRUE(savefile::write(play.savePath(), {.level = "1", .playerName = name}));
        EXPECT_EQ(savefile::read(play.savePath()).game.playerName, back);
    }
}

TEST(Save, TheShopWritesTheFifteenLinesAndBothLoadsBringThemBack) {
    check({
        {"board 120,240,3615,1815; TM=97", "", "Esc S",
         "box=Saved!; shop open; "
         "saved=1/100/10/10/20/20/20/97/ 240 / 120 / 3615 / 1815 /Anna/5/False/"},
        {"board 120,240,-96,1234.5678", "", "Esc S",
         "saved=1/100/10/10/20/20/20/120/ 240 / 120 /-96 / 1234.568 /Anna/5/False/"},
        // The menu's load opens the board where the file puts it; no name is asked.
        {"menu; saved=7/55/30/42/25/8/16/64/ 300 / 450 / 5000 / 2600 /Bea/3/True/", "kept", "L +10",
         "LV=7; EN=55; AM=30; GD=42; HT=25; FD=8; SR=16; TM=64; name=Bea; CP=3; rope shown; "
         "board 450,300,5000,2600; player 2500,1300; windows=boardWindow; countdown on; prompts="},
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
    });
}

TEST(Save, BothLoadsRefuseADamagedFileAndTellWhenThereIsNone) {
    check({
        {"menu", "", "L", "box=No saved game; windows=menuWindow; countdown off"},
        {"menu; saved=/55/fifty/", "", "L", "box=No saved game; windows=menuWindow"},
        {"menu; saved=7/fifty/", "", "L", "box=The saved game is damaged.; windows=menuWindow"},
        {"", "", "Esc L", "box=No saved game; shop open"},
        {"saved=7/fifty/", "", "Esc L", "box=The saved game is damaged.; shop open; LV=1"},
    });
    Play tooLarge; // no save file is this large
    tooLarge.apply("saved=7" + QString(40000, '/'), false);
    tooLarge.playKeys("L");
    tooLarge.apply("box=The saved game is damaged.", true);
}
