// The saved game: the file's lines and reading rules, the shop's save, and the loads of the main
// menu and the shop. In rows, "saved" is the save file with its line ends written "/".
#include "game_fixture.h"
#include "save/save_file.h"

#include <csignal>
#include <sys/resource.h>

namespace {

// Bea's saved game: level 7, the board at 450, 300 of 5000 x 2600, three continues, the rope.
const QByteArray kBea("7\r\n55\r\n30\r\n42\r\n25\r\n8\r\n16\r\n64\r\n 300 \r\n 450 \r\n 5000 \r\n"
                      " 2600 \r\nBea\r\n3\r\nTrue\r\n");

QByteArray beaWithLine(int index, const QByteArray& text) {
    QList<QByteArray> lines = kBea.split('\n');
    lines[index] = text + '\r';
    return lines.join('\n');
}

// While alive, no file can grow beyond 8 bytes: every save fails on writing.
struct FileSizeLimit {
    FileSizeLimit() {
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 8;
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, SIG_DFL);
    }
    rlimit saved{};
};

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
    const std::pair<QByteArray, bool> cases[] = {
        {kBea, false},
        {beaWithLine(14, "Yes"), false}, // any rope text
        {beaWithLine(12, "\"R2-D2, the droid\""), false},
        {beaWithLine(12, QByteArray(1000, 'B')), false},
        {beaWithLine(0, "one"), true}, // the level
        {beaWithLine(1, "fifty"), true},
        {beaWithLine(2, "1O0"), true},
        {beaWithLine(3, "1e3"), true},
        {beaWithLine(7, "2:00"), true},  // the time left
        {beaWithLine(8, " 3OO "), true}, // a board coordinate
        {beaWithLine(10, " 5,000 "), true},
        {beaWithLine(10, " 1" + QByteArray(40, '0')), true}, // beyond a single-precision number
        {beaWithLine(13, "three"), true},                    // the continues
        {beaWithLine(12, QByteArray(1001, 'B')), true},      // an over-long line
        {beaWithLine(12, QByteArray("B\0a", 3)), true},      // binary data
        {beaWithLine(12, "B\033a"), true},
        {QByteArray("\177ELF\2\1\1\0\0\0", 10), true},
    };
    for (const auto& [bytes, damaged] : cases)
        EXPECT_EQ(savefile::parse(bytes).damaged, damaged) << bytes.left(60).toStdString();
}

TEST(SaveFile, NamesWithCommasQuotesAndBlanksComeBack) {
    const std::pair<QString, QString> names[] = {
        {"Smith, Anna", "Smith, Anna"},
        {"  Anna  ", "  Anna  "},
        {"\tAnna", "\tAnna"},
        {"42", "42"},
        {"Jo \"Ace\" Lee", "Jo \"Ace\" Lee"}, // a quote inside needs no quoting
        {"\"Boss\" Bea", "'Boss' Bea"},       // a quoted name cannot hold double quotes
        {"Lee, \"Ace\"", "Lee, 'Ace'"},
        {"", ""},
        {"Zoë", "Zoë"},
        {"Anna\r\nBob\x01", "Anna  Bob "}, // line breaks and control characters cannot break it
        {QString(400, 'x'), QString(300, 'x')},
    };
    Play play;
    for (const auto& [name, back] : names) {
        SavedGame game{.level = "1", .playerName = name, .continues = "5"};
        ASSERT_TRUE(savefile::write(play.savePath(), game));
        const savefile::ReadResult read = savefile::read(play.savePath());
        EXPECT_EQ(read.game.playerName, back);
        EXPECT_EQ(read.game.continues, "5");
    }
}

TEST(Save, TheShopWritesTheFifteenLinesAndBothLoadsBringThemBack) {
    check({
        {"shop; board 120,240,3615,1815; TM=97", "", "S",
         "box=Saved!; shop open; "
         "saved=1/100/10/10/20/20/20/97/ 240 / 120 / 3615 / 1815 /Anna/5/False/"},
        {"shop; board 120,240,-96,1234.5678", "", "S",
         "saved=1/100/10/10/20/20/20/120/ 240 / 120 /-96 / 1234.568 /Anna/5/False/"},
        // The menu's load opens the board where the file puts it; no name is asked.
        {"menu; saved=7/55/30/42/25/8/16/64/ 300 / 450 / 5000 / 2600 /Bea/3/True/", "kept", "L +10",
         "LV=7; EN=55; AM=30; GD=42; HT=25; FD=8; SR=16; TM=64; name=Bea; CP=3; rope shown; "
         "board 450,300,5000,2600; player 2500,1300; windows=boardWindow; countdown on; "
         "loadPending=; prompts="},
        // Without lines 9 to 15 the board stays where the new window has it.
        {"menu; saved=7/55/30/42/25/8/16/64/", "kept", "L +10",
         "LV=7; name=; CP=; rope hidden; board 3240,3360,3615,1815"},
        // The shop's load changes the stats and the board, not the level's objects.
        {"shop; over=1; player hidden; gold 300,300; "
         "saved=7/55/30/42/25/8/16/64/ 300 / 450 / 5000 / 2600 /Bea/3/True/",
         "", "L",
         "LV=7; EN=55; AM=30; GD=42; HT=25; FD=8; SR=16; TM=64; name=Bea; CP=3; rope shown; "
         "board 450,300,5000,2600; player 2500,1300; player shown; over=; shop closed; "
         "gold 300,300; countdown on"},
        {"shop; board 11,22,3333,4444; rope shown; saved=7/55/30/42/25/8/16/64/", "", "L",
         "LV=7; name=; CP=; rope hidden; board 11,22,3333,4444"},
    });
}

TEST(Save, BothLoadsRefuseADamagedFileAndTellWhenThereIsNone) {
    check({
        {"menu", "", "L", "box=No saved game; windows=menuWindow; countdown off"},
        {"menu; saved=/55/fifty/", "", "L", "box=No saved game; windows=menuWindow"},
        {"menu; saved=7/fifty/", "", "L", "box=The saved game is damaged.; windows=menuWindow"},
        {"shop", "", "L", "box=No saved game; shop open"},
        {"shop; saved=7/fifty/", "", "L",
         "box=The saved game is damaged.; shop open; LV=1; EN=100"},
    });
    // No save file is this large.
    Play play;
    play.writeSave(kBea + QByteArray(70000, '\n'));
    play.press('L');
    play.apply("box=The saved game is damaged.; windows=menuWindow", true);
}

TEST(Save, AFailedSaveSaysSoAndLeavesThePreviousSave) {
    Play play;
    play.start();
    play.press(keys::Escape);
    play.press('S');
    const QByteArray before = play.saved();
    play.status().gold.setText("1234");
    {
        FileSizeLimit limit;
        play.press('S');
    }
    play.apply("box=Saved! | Could not save the game.; GD=1234", true);
    EXPECT_EQ(play.saved(), before);
    EXPECT_EQ(QDir(play.platform.folder).entryList(QDir::Files), QStringList{"Save.ini"});
}

TEST(Save, WithoutAWritableProgramFolderTheDataFolderIsMadeAndUsed) {
    Play play;
    play.start();
    play.platform.folder = QDir(play.platform.home.path()).filePath("missing");
    play.press(keys::Escape);
    play.press('L'); // a load makes no folder
    EXPECT_FALSE(QDir(play.platform.userFolder).exists());
    play.status().gold.setText("321");
    play.press('S');
    play.status().gold.setText("0");
    play.press('L');
    play.apply("box=No saved game | Saved!; GD=321", true);
    EXPECT_TRUE(QFile::exists(QDir(play.platform.userFolder).filePath("Save.ini")));

    // A file stands where the data folder would be made.
    play.platform.userFolder = QDir(play.platform.userFolder).filePath("Save.ini/vexmoor");
    play.press(keys::Escape);
    play.press('S');
    play.apply("box=No saved game | Saved! | Could not save the game.; shop open", true);
}

TEST(Save, ABoardTooNarrowForThePlayerIsWidenedWhenTheGameIsLoadedOrContinued) {
    check({
        // Saved while the closing wall had narrowed the board to 300 twips.
        {"menu; saved=7/55/30/42/25/8/16/64/ 300 / 450 / 300 / 2600 /Bea/3/True/", "kept", "L +10",
         "board 450,300,3500,2600; player 1750,1300; player shown; over="},
        // A game lost to the wall, continued: the wall has room to close in before it reaches
        // the player.
        {"wallOn=1; player 50,1000", "", "Left", "over=1"},
        {"wallOn=1; player 50,1000; board 600,600,400,200", "", "Left +2000 Z +1000",
         "shop closed; over=; wall on; board 600,600,3420,2500; player 1750,1250; player shown"},
    });
}
