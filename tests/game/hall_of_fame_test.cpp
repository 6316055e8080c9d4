// The hall of fame: what each game enters, the order of the table, its file and its window.
#include "app/screen_reading.h"
#include "game_fixture.h"
#include "recorded_game.h"
#include "shell/hall_of_fame_window.h"
#include "shell/menu_window.h"

#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void writeTable(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) && file.flush());
}

// The table on disk in its order, each game as "name level continues serial".
QString entries(const QString& path) {
    QStringList rows;
    for (const FameEntry& e : HallOfFame(path).best())
        rows << QString("%1 %2 %3 %4").arg(e.name).arg(e.level).arg(e.continuesUsed).arg(e.serial);
    return rows.join(", ");
}

// Each game as "name seed day", "-" for none.
QString seedsOf(const std::vector<FameEntry>& games) {
    QStringList rows;
    for (const FameEntry& e : games)
        rows << QString("%1 %2 %3")
                    .arg(e.name, e.seed ? QString::number(*e.seed) : "-",
                         e.day.isEmpty() ? "-" : e.day);
    return rows.join(", ");
}

} // namespace

TEST(HallOfFame, EachGameEntersOnceWithItsBestLevelEndingContinuesAndCheats) {
    Play play;
    play.platform.date = "2026-12-01";
    play.start();
    play.apply("LV=3; player 50,1000", false);
    play.playKeys("Left +2000 Z"); // a continue that then reaches further
    play.apply("LV=8; player 50,1000", false);
    play.playKeys("Left +2000");
    play.platform.date = "2026-12-02";
    play.start(); // a new game from the shop, left by a leap down and lost to the clock
    play.apply("LV=4", false);
    play.playKeys("say:vumo say:2 click:caption0 +120000");
    play.game.hallOfFame().best(); // reading the table waits for its write
    EXPECT_EQ(bytesOf(QDir(play.platform.userFolder).filePath("halloffame.txt")),
              "Vexmoor hall of fame 1\n"
              "8\travine\t1\t0\t2026-12-01\t0\tAnna\n"
              "4\ttime\t0\t1\t2026-12-02\t1\tAnna\n");
    // Endings one right after another, the writes before still under way or read between them: a
    // continued game keeps its one entry, and the next games get the next.
    QTemporaryDir folder;
    HallOfFame quick(folder.filePath("halloffame.txt"));
    for (int ending = 1; ending <= 3; ++ending) {
        quick.gameEnded("Cid", ending, Ending::Hole, "2026-12-03");
        quick.continued();
        if (ending == 2)
            quick.latest();
    }
    for (const QString name : {"Dan", "Eve"}) {
        quick.beginGame();
        quick.latest();
        quick.gameEnded(name, 1, Ending::Ravine, "2026-12-04");
    }
    quick.best(); // the table is on disk once it is read
    EXPECT_EQ(entries(folder.filePath("halloffame.txt")), "Cid 3 2 0, Dan 1 0 1, Eve 1 0 2");
}

TEST(HallOfFame, TheTenBestByLevelThenDateThenOrderKeepAnyName) {
    QTemporaryDir folder;
    HallOfFame table(folder.filePath("halloffame.txt"));
    const QString names[] = {"Ann, \"the\" bold", "Tab\there", "Back\\slash\nnew", "  blanks ",
                             "Žofie 李"};
    for (int i = 0; i < 12; ++i) {
        table.beginGame();
        table.gameEnded(names[i % 5], i < 6 ? 5 : i, Ending::Hole, i % 2 ? "2026-02" : "2026-01");
    }
    table.best(); // the table is on disk once it is read
    // Level 5 six times: the earlier date first, then the earlier game.
    QStringList best;
    for (const int i : {11, 10, 9, 8, 7, 6, 0, 2, 4, 1})
        best << QString("%1 %2 0 %3").arg(names[i % 5]).arg(i < 6 ? 5 : i).arg(i);
    EXPECT_EQ(entries(folder.filePath("halloffame.txt")), best.join(", "));
}

// A file the table cannot come from is set aside, also one whose highest serial leaves none for
// the next game; just below that, the games are numbered anew.
TEST(HallOfFame, ADamagedFileIsSetAside) {
    const QByteArray table = "Vexmoor hall of fame 1\n7\thole\t0\t0\t2026-01-01\t";
    for (const QByteArray& bytes :
         {QByteArray("not a table\n"), table + "0\tA\\q\n",
          QByteArray(table).replace("hole", "lava") + "0\tA\n", table + "2147483647\tA\n"}) {
        QTemporaryDir folder;
        const QString path = folder.filePath("halloffame.txt");
        writeTable(path, bytes);
        HallOfFame fame(path);
        EXPECT_TRUE(fame.best().empty());
        EXPECT_EQ(
            fame.takeNotice(),
            "The hall of fame could not be read; it was set aside as halloffame.txt.damaged.");
        EXPECT_EQ(bytesOf(path + ".damaged"), bytes);
    }
    QTemporaryDir folder;
    writeTable(folder.filePath("halloffame.txt"), table + "2147483646\tA\n");
    HallOfFame fame(folder.filePath("halloffame.txt"));
    fame.gameEnded("B", 1, Ending::Hole, "2026-12-07");
    EXPECT_EQ(fame.latest(), 1);
    EXPECT_EQ(fame.takeNotice(), "");
}

// A game the table's place cannot take is told at once, or at the next tick once the write failed;
// F says when the table cannot be read, shows this run's game and writes nothing over it.
namespace {

enum Told { Never, AtOnce, Later };

void playWith(const QString& place, Told told, bool unreadable) {
    SCOPED_TRACE(place.toStdString());
    Play play;
    ScriptedPlatform& platform = play.platform;
    const QString above = QDir(platform.home.path()).filePath("file");
    if (place == "a file above")
        platform.userFolder = above + "/Vexmoor";
    const QString path = QDir(platform.userFolder).filePath("halloffame.txt");
    const QByteArray old = "Vexmoor hall of fame 1\n7\thole\t0\t0\t2026-01-01\t0\tOld\n";
    QDir().mkpath(place == "a file above" ? platform.home.path() : platform.userFolder);
    if (place == "a folder")
        QDir().mkpath(path);
    if (place == "a pipe")
        mkfifo(QFile::encodeName(path).constData(), 0600);
    if (place == "a link to /dev/zero")
        QFile::link("/dev/zero", path);
    if (place == "a file above" || place == "a table of mode 000")
        writeTable(place == "a file above" ? above : path, old);
    if (place == "a table of mode 000")
        chmod(QFile::encodeName(path).constData(), 0);
    if (place == "a closed folder")
        chmod(QFile::encodeName(platform.userFolder).constData(), 0555);
    const QString cannotRead = unreadable ? "The hall of fame cannot be read." : "";
    play.playKeys("F");
    EXPECT_EQ(play.game.hallOfFameWindow()->rows[0].text(), unreadable ? "" : "No games yet.");
    EXPECT_EQ(play.game.hallOfFameWindow()->notice.text(), cannotRead);
    play.playKeys("Esc");
    play.start();
    play.apply("LV=99", false);
    play.playKeys("+990"); // the finale: the game ends
    const std::vector<QString> toldThis{
        "This game could not be entered in the hall of fame: " + path + " cannot be written."};
    if (told == AtOnce) {
        EXPECT_EQ(platform.messages, toldThis);
    }
    play.game.hallOfFame().latest(); // the disk is done with the write
    play.playKeys("+120000 F");      // the finale's ticks, then the menu
    EXPECT_EQ(platform.messages, told == Never ? std::vector<QString>{} : toldThis);
    EXPECT_TRUE(play.game.hallOfFameWindow()->rows[0].text().startsWith(" 1. Anna"));
    EXPECT_EQ(play.game.hallOfFameWindow()->notice.text(), cannotRead);
    chmod(QFile::encodeName(platform.userFolder).constData(), 0755);
    if (place == "a table of mode 000") {
        chmod(QFile::encodeName(path).constData(), 0600);
        EXPECT_EQ(bytesOf(path), old);
    }
}

} // namespace

TEST(HallOfFame, AGameTheFileCannotTakeIsToldAndFSaysWhenTheTableCannotBeRead) {
    playWith("nothing", Never, false);
    playWith("a folder", AtOnce, true);
    playWith("a pipe", AtOnce, true);
    playWith("a link to /dev/zero", AtOnce, true);
    playWith("a file above", Later, false);
    if (geteuid() != 0) { // root reads and writes them all the same
        playWith("a closed folder", AtOnce, false);
        playWith("a table of mode 000", AtOnce, true);
    }
}

// The box is no input: the recording holds nothing of it, and the game replays as it was played.
TEST(HallOfFame, TheGameThatCouldNotBeEnteredReplaysAsPlayed) {
    RecordedGame live;
    const QString path = QDir(live.inner.userFolder).filePath("halloffame.txt");
    QDir().mkpath(path);
    live.press('N', "Anna");
    live.game.advance(200000); // the clock runs out
    EXPECT_EQ(live.inner.messages.size(), 1u);
    const recording::Recording made = live.recorder.current();
    EXPECT_FALSE(recording::write(made).contains("hall of fame"));
    EXPECT_TRUE(replayed(made).endsWith("replay matches\n")) << replayed(made).toStdString();
}

TEST(HallOfFame, FInTheMenuShowsTheTableWithTheLatestGameHighlighted) {
    Play play;
    play.playKeys("F Esc");
    EXPECT_EQ(play.game.hallOfFameWindow(), nullptr);
    EXPECT_EQ(play.game.scene().active(), play.game.menu());
    for (const Ending ending :
         {Ending::Ravine, Ending::Hole, Ending::OutOfTime, Ending::TooManyRequests}) {
        play.game.hallOfFame().beginGame();
        play.game.hallOfFame().gameEnded("Old", 1 + static_cast<int>(ending), ending, "2026-01-01");
    }
    play.start();
    play.apply("LV=99", false);
    play.playKeys("+990 +120000 F"); // the finale, then the menu
    const HallOfFameWindow& window = *play.game.hallOfFameWindow();
    QString rows = window.caption();
    for (const ui::Label& row : window.rows)
        rows += '|' + row.text();
    // The game's seed from the clock, and none for the games played before games had seeds.
    EXPECT_EQ(rows,
              "Hall of Fame| 1. Anna                99  finished             2026-12-07       "
              "36000000|"
              " 2. Old                  4  too many requests    2026-01-01       |"
              " 3. Old                  3  out of time          2026-01-01       |"
              " 4. Old                  2  fell into a hole     2026-01-01       |"
              " 5. Old                  1  fell into the ravine 2026-01-01       |||||");
    EXPECT_TRUE(window.rows[0].look().opaque && !window.rows[1].look().opaque);
    play.playKeys("F");
    EXPECT_EQ(play.game.hallOfFameWindow(), nullptr);
}

// Two copies ending five games each at the same time keep all ten.
TEST(HallOfFame, CopiesPlayedAtOnceEachKeepTheirGames) {
    QTemporaryDir folder;
    const QString path = folder.filePath("halloffame.txt");
    std::vector<std::thread> copies;
    for (const QString name : {"A", "B"})
        copies.emplace_back([&path, name] {
            HallOfFame table(path);
            for (int game = 0; game < 5; ++game) {
                table.beginGame();
                table.gameEnded(name, game, Ending::Hole, "2026-12-07");
            }
        });
    for (std::thread& copy : copies)
        copy.join();
    EXPECT_EQ(entries(path).count('A'), 5);
    EXPECT_EQ(entries(path).count('B'), 5);
}

// Seeds and challenge days go in a file beside the table older versions read; a copy of the game
// that enters a game meanwhile keeps those of the games before.
TEST(HallOfFame, SeedsAndDaysAreKeptBesideTheTableOlderVersionsRead) {
    QTemporaryDir folder;
    const QString path = folder.filePath("halloffame.txt");
    HallOfFame first(path), second(path);
    second.best();
    first.gameEnded("Ann", 3, Ending::Hole, "2026-12-08", ui::GameSeed{777, {}, "2026-12-08"});
    first.best();
    second.gameEnded("Bob", 2, Ending::Ravine, "2026-12-08", ui::GameSeed{4294967295U, {}, {}});
    second.beginGame();
    second.gameEnded("Cid", 1, Ending::Ravine, "2026-12-08");
    second.best();
    EXPECT_EQ(seedsOf(HallOfFame(path).best()), "Ann 777 2026-12-08, Bob 4294967295 -, Cid - -");
    EXPECT_EQ(bytesOf(path), "Vexmoor hall of fame 1\n"
                             "3\thole\t0\t0\t2026-12-08\t0\tAnn\n"
                             "2\travine\t0\t0\t2026-12-08\t1\tBob\n"
                             "1\travine\t0\t0\t2026-12-08\t2\tCid\n");
    EXPECT_EQ(bytesOf(folder.filePath("halloffame-seeds.txt")),
              "Vexmoor hall of fame seeds 1\n"
              "777\t2026-12-08\t3\thole\t0\t0\t2026-12-08\t0\tAnn\n"
              "4294967295\t\t2\travine\t0\t0\t2026-12-08\t1\tBob\n");
}

// Missing or damaged seeds never cost the table its games, nor a new game its entry; damaged ones
// are set aside and the player is told. A line of another game (the table written meanwhile by an
// older version) is no game's.
TEST(HallOfFame, WithoutItsSeedsTheTableKeepsItsGames) {
    const QByteArray table = "Vexmoor hall of fame 1\n3\thole\t0\t0\t2026-12-08\t0\tAnn\n";
    const QByteArray header = "Vexmoor hall of fame seeds 1\n";
    const QByteArray ann = "\t3\thole\t0\t0\t2026-12-08\t0\tAnn\n";
    const QString setAside = "The seeds of the hall of fame could not be read; they were set aside "
                             "as halloffame-seeds.txt.damaged.";
    struct Row {
        QByteArray seeds;
        const char* shown;
        QString notice;
    };
    for (const Row& row :
         {Row{"(none)", "Ann - -", ""}, Row{"(folder)", "Ann - -", ""},
          Row{header + "777\t2026-12-08" + ann, "Ann 777 2026-12-08", ""},
          Row{header + "777\t" + QByteArray(ann).replace("Ann", "Bob"), "Ann - -", ""},
          Row{"Vexmoor hall of fame seeds 2\n777\t" + ann, "Ann - -", setAside},
          Row{header + "seven\t" + ann, "Ann - -", setAside},
          Row{header + "777\t2026-13-01" + ann, "Ann - -", setAside},
          Row{header + "777\t2026-12-08\n", "Ann - -", setAside}}) {
        SCOPED_TRACE(row.seeds.toStdString());
        QTemporaryDir folder;
        const QString path = folder.filePath("halloffame.txt");
        const QString seeds = folder.filePath("halloffame-seeds.txt");
        writeTable(path, table);
        if (row.seeds == "(folder)")
            QDir().mkpath(seeds);
        else if (row.seeds != "(none)")
            writeTable(seeds, row.seeds);
        HallOfFame fame(path);
        EXPECT_EQ(seedsOf(fame.best()), row.shown);
        EXPECT_EQ(fame.takeNotice(), row.notice);
        if (!row.notice.isEmpty()) {
            EXPECT_EQ(bytesOf(seeds + ".damaged"), row.seeds);
        }
        fame.gameEnded("Cid", 1, Ending::Hole, "2026-12-08", ui::GameSeed{5, {}, {}});
        // Seeds that cannot be read are not written over either.
        const bool kept = row.seeds != "(folder)";
        EXPECT_EQ(seedsOf(fame.best()), QString(row.shown) + (kept ? ", Cid 5 -" : ", Cid - -"));
        EXPECT_EQ(bytesOf(path), table + "1\thole\t0\t0\t2026-12-08\t1\tCid\n");
    }
}

// The file keeps the best ten and the best ten of the latest challenge day, so that day's games
// stay for its own table; an older version shows its own ten of the same lines.
TEST(HallOfFame, TheLatestChallengeDaysGamesAreKeptBesideTheTenBest) {
    QTemporaryDir folder;
    const QString path = folder.filePath("halloffame.txt");
    HallOfFame fame(path);
    const auto play = [&fame](int level, const QString& day) {
        fame.beginGame();
        fame.gameEnded(QString::number(level), level, Ending::Hole, "2026-12-08",
                       ui::GameSeed{1, {}, day});
    };
    play(1, "2026-12-07");
    for (int level = 100; level < 110; ++level)
        play(level, "");
    for (int level = 2; level < 14; ++level)
        play(level, "2026-12-08");
    fame.best(); // the table is on disk once it is read
    const auto names = [](const std::vector<FameEntry>& games) {
        QStringList shown;
        for (const FameEntry& e : games)
            shown << e.name;
        return shown.join(' ');
    };
    HallOfFame read(path);
    EXPECT_EQ(names(read.best()), "109 108 107 106 105 104 103 102 101 100");
    EXPECT_EQ(names(read.today("2026-12-08")), "13 12 11 10 9 8 7 6 5 4");
    EXPECT_EQ(names(read.today("2026-12-07")), "");
    const QList<QByteArray> lines = bytesOf(path).trimmed().split('\n');
    EXPECT_EQ(lines.size(), 21);
    EXPECT_EQ(lines[0], "Vexmoor hall of fame 1");
    for (const QByteArray& line : lines.mid(1))
        EXPECT_EQ(line.count('\t'), 6) << line.toStdString();
}

namespace {

// The window as shown: the tables' names, the shown one in brackets, then the rows, ">" before the
// highlighted one.
QString shownTables(const HallOfFameWindow& window) {
    QStringList shown;
    for (const ui::Label* tab : {&window.allTimeTab, &window.todayTab})
        shown << (tab->look().opaque ? "[" + tab->text().trimmed() + "]" : tab->text().trimmed());
    for (const ui::Label& row : window.rows)
        if (!row.text().isEmpty())
            shown << (row.look().opaque ? ">" : "") + row.text().simplified();
    return shown.join('|');
}

} // namespace

// Left/Right or A/T switch between all time and today's challenge, other keys do nothing; a screen
// reader is told the table switched to and its rows.
TEST(HallOfFame, TodayShowsTheGamesOfTodaysChallengeBesideTheBestOfAllTime) {
    Play play;
    const QString day = play.platform.challengeDay();
    HallOfFame& fame = play.game.hallOfFame();
    fame.gameEnded("Old", 50, Ending::Hole, "2026-01-01");
    fame.beginGame();
    fame.gameEnded("Other", 40, Ending::Hole, "2026-12-01", ui::GameSeed{5, {}, "2026-12-01"});
    play.playKeys("F Right");
    EXPECT_EQ(shownTables(*play.game.hallOfFameWindow()),
              "All time|[Today]|No games of today's challenge yet.");
    play.playKeys("Esc");
    fame.beginGame();
    fame.gameEnded("Daily", 3, Ending::Ravine, "2026-12-02", ui::GameSeed{4294967295U, {}, day});
    play.playKeys("F");
    const HallOfFameWindow& window = *play.game.hallOfFameWindow();
    ScreenReader reader;
    const auto noLines = [](const ui::TextBlock&) { return QStringList(); };
    reader.read(&window, noLines, nullptr);
    const QString allTime = "[All time]|Today|1. Old 50 fell into a hole 2026-01-01|"
                            "2. Other 40 fell into a hole 2026-12-01 5|"
                            ">3. Daily 3 fell into the ravine 2026-12-02 4294967295";
    const QString today = "All time|[Today]|>1. Daily 3 fell into the ravine 2026-12-02 4294967295";
    const QString toldToday = "Today. 1. Daily 3 fell into the ravine 2026-12-02 4294967295.";
    const QString toldAllTime = "All time. 1. Old 50 fell into a hole 2026-01-01. 2. Other 40 fell "
                                "into a hole 2026-12-01 5. 3. Daily 3 fell into the ravine "
                                "2026-12-02 4294967295.";
    struct Row {
        const char* keys;
        QString shown, told;
    };
    for (const Row& row :
         {Row{"Right", today, toldToday}, Row{"Left", allTime, toldAllTime},
          Row{"T", today, toldToday}, Row{"T", today, ""}, Row{"A", allTime, toldAllTime},
          Row{"Up Down N L X Z 1 Right Left", allTime, ""}}) {
        SCOPED_TRACE(row.keys);
        play.playKeys(row.keys);
        ASSERT_EQ(play.game.hallOfFameWindow(), &window);
        EXPECT_EQ(shownTables(window), row.shown);
        Announcement news;
        reader.read(&window, noLines, &news);
        EXPECT_EQ(news.text(), row.told);
    }
}
