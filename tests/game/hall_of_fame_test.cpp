// The hall of fame: what each game enters, the order of the table, its file and its window.
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
    QStringList rows;
    for (const FameEntry& entry : HallOfFame(folder.filePath("halloffame.txt")).best())
        rows << QString("%1 %2 %3 %4")
                    .arg(entry.name)
                    .arg(entry.level)
                    .arg(entry.continuesUsed)
                    .arg(entry.serial);
    EXPECT_EQ(rows.join(", "), "Cid 3 2 0, Dan 1 0 1, Eve 1 0 2");
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
    std::vector<int> order;
    for (const FameEntry& entry : HallOfFame(folder.filePath("halloffame.txt")).best()) {
        order.push_back(entry.serial);
        EXPECT_EQ(entry.name, names[entry.serial % 5]) << entry.serial;
    }
    EXPECT_EQ(order, (std::vector<int>{11, 10, 9, 8, 7, 6, 0, 2, 4, 1}));
}

TEST(HallOfFame, ADamagedFileIsSetAside) {
    for (const QByteArray bytes :
         {"not a table\n", "Vexmoor hall of fame 1\n7\tlava\t0\t0\tx\t0\tA\n",
          "Vexmoor hall of fame 1\n7\thole\t0\t0\tx\t0\tA\\q\n"}) {
        Play play;
        QFile file(QDir(play.platform.folder).filePath("halloffame.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) && file.flush());
        HallOfFame table(file.fileName());
        EXPECT_TRUE(table.best().empty());
        EXPECT_EQ(
            table.takeNotice(),
            "The hall of fame could not be read; it was set aside as halloffame.txt.damaged.");
        EXPECT_EQ(bytesOf(file.fileName() + ".damaged"), bytes);
    }
}

// What stands in the table's place, and what the player is told: the game that ends says at once
// that it could not be entered when the place tells before writing, or at the next tick once the
// write failed; F says when the table cannot be read (not that there are no games) and shows the
// game this run kept; a table that cannot be read is not written over.
namespace {

struct Blocked {
    const char* place;
    enum { Never, AtOnce, Later } told;
    bool unreadable;
};

void playWith(const Blocked& blocked) {
    SCOPED_TRACE(blocked.place);
    Play play;
    const QString home = play.platform.home.path();
    ScriptedPlatform& platform = play.platform;
    const QString place = blocked.place;
    if (place == "a file above")
        platform.userFolder = QDir(home).filePath("file/Vexmoor");
    const QString path = QDir(platform.userFolder).filePath("halloffame.txt");
    const QByteArray old = "Vexmoor hall of fame 1\n7\thole\t0\t0\t2026-01-01\t0\tOld\n";
    QDir().mkpath(place == "a file above" ? home : platform.userFolder);
    if (place == "a folder")
        QDir().mkpath(path);
    if (place == "a pipe")
        mkfifo(QFile::encodeName(path).constData(), 0600);
    if (place == "a link to /dev/zero")
        QFile::link("/dev/zero", path);
    if (place == "a file above" || place == "a table of mode 000") {
        QFile file(place == "a file above" ? QDir(home).filePath("file") : path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(old) && file.flush());
    }
    if (place == "a table of mode 000")
        chmod(QFile::encodeName(path).constData(), 0);
    if (place == "a closed folder")
        chmod(QFile::encodeName(platform.userFolder).constData(), 0555);
    const QString cannotRead = blocked.unreadable ? "The hall of fame cannot be read." : "";
    play.playKeys("F");
    EXPECT_EQ(play.game.hallOfFameWindow()->rows[0].text(),
              blocked.unreadable ? "" : "No games yet.");
    EXPECT_EQ(play.game.hallOfFameWindow()->notice.text(), cannotRead);
    play.playKeys("Esc");
    play.start();
    play.apply("LV=99", false);
    play.playKeys("+990"); // the finale: the game ends
    const std::vector<QString> told{"This game could not be entered in the hall of fame: " + path +
                                    " cannot be written."};
    if (blocked.told == Blocked::AtOnce) {
        EXPECT_EQ(platform.messages, told);
    }
    play.game.hallOfFame().latest(); // the disk is done with the write
    play.playKeys("+120000 F");      // the finale's ticks, then the menu
    EXPECT_EQ(platform.messages, blocked.told == Blocked::Never ? std::vector<QString>{} : told);
    EXPECT_TRUE(play.game.hallOfFameWindow()->rows[0].text().startsWith(" 1. Anna"))
        << play.game.hallOfFameWindow()->rows[0].text().toStdString();
    EXPECT_EQ(play.game.hallOfFameWindow()->notice.text(), cannotRead);
    chmod(QFile::encodeName(platform.userFolder).constData(), 0755);
    if (place == "a table of mode 000") {
        chmod(QFile::encodeName(path).constData(), 0600);
        EXPECT_EQ(bytesOf(path), old);
    }
}

} // namespace

TEST(HallOfFame, AGameTheFileCannotTakeIsToldAndFSaysWhenTheTableCannotBeRead) {
    for (const Blocked& blocked :
         {Blocked{"nothing", Blocked::Never, false}, Blocked{"a folder", Blocked::AtOnce, true},
          Blocked{"a pipe", Blocked::AtOnce, true},
          Blocked{"a link to /dev/zero", Blocked::AtOnce, true},
          Blocked{"a file above", Blocked::Later, false}})
        playWith(blocked);
}

TEST(HallOfFame, AClosedFolderAndATableOfMode000AreToldToAPlayerWhoIsNotRoot) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads and writes them all the same";
    for (const Blocked& blocked : {Blocked{"a closed folder", Blocked::AtOnce, false},
                                   Blocked{"a table of mode 000", Blocked::AtOnce, true}})
        playWith(blocked);
}

// The box is no input: the recording holds nothing of it, and the game replays as it was played.
TEST(HallOfFame, TheGameThatCouldNotBeEnteredReplaysAsPlayed) {
    RecordedGame live;
    const QString path = QDir(live.inner.userFolder).filePath("halloffame.txt");
    QDir().mkpath(path);
    live.press('N', "Anna");
    live.game.advance(200000); // the clock runs out
    EXPECT_EQ(live.inner.messages,
              std::vector<QString>{"This game could not be entered in the hall of fame: " + path +
                                   " cannot be written."});
    const recording::Recording made = live.recorder.current();
    EXPECT_FALSE(recording::write(made).contains("hall of fame"));
    EXPECT_TRUE(replayed(made).endsWith("replay matches\n")) << replayed(made).toStdString();
}

TEST(HallOfFame, FInTheMenuShowsTheTableWithTheLatestGameHighlighted) {
    Play play;
    play.playKeys("F");
    EXPECT_EQ(play.game.hallOfFameWindow()->rows[0].text(), "No games yet.");
    play.playKeys("Esc");
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
    EXPECT_EQ(rows, "Hall of Fame| 1. Anna                99  finished             2026-12-07 |"
                    " 2. Old                  4  too many requests    2026-01-01 |"
                    " 3. Old                  3  out of time          2026-01-01 |"
                    " 4. Old                  2  fell into a hole     2026-01-01 |"
                    " 5. Old                  1  fell into the ravine 2026-01-01 |||||");
    EXPECT_TRUE(window.rows[0].look().opaque && !window.rows[1].look().opaque);
    play.playKeys("F");
    EXPECT_EQ(play.game.hallOfFameWindow(), nullptr);
}

TEST(HallOfFame, CopiesPlayedAtOnceEachKeepTheirGames) {
    QTemporaryDir folder;
    const QString path = folder.filePath("halloffame.txt");
    const auto kept = [&] {
        QStringList games;
        for (const FameEntry& entry : HallOfFame(path).best())
            games << entry.name + ' ' + QString::number(entry.serial);
        games.sort();
        return games.join(", ");
    };
    // The second copy read the table before the first entered a game.
    HallOfFame first(path), second(path);
    EXPECT_TRUE(second.best().empty());
    first.gameEnded("First", 3, Ending::Hole, "2026-12-07");
    first.best(); // the table is on disk once it is read
    second.gameEnded("Second", 2, Ending::Hole, "2026-12-07");
    second.best();
    EXPECT_EQ(kept(), "First 0, Second 1");
    // Two copies ending five games each at the same time.
    QFile::remove(path);
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
    EXPECT_EQ(kept().count('A'), 5);
    EXPECT_EQ(kept().count('B'), 5);
}

TEST(HallOfFame, ASerialThatLeavesNoRoomIsRefused) {
    // The highest serial an int holds leaves none for the next game: the file is set aside; just
    // below it, the games are numbered anew.
    for (const auto& [serial, next] : {std::pair{"2147483646", 1}, {"2147483647", 0}}) {
        QTemporaryDir folder;
        QFile file(folder.filePath("halloffame.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) &&
                    file.write("Vexmoor hall of fame 1\n7\thole\t0\t0\t2026-01-01\t" +
                               QByteArray(serial) + "\tA\n") &&
                    file.flush());
        HallOfFame table(file.fileName());
        table.gameEnded("B", 1, Ending::Hole, "2026-12-07");
        EXPECT_EQ(table.latest(), next);
        EXPECT_EQ(table.takeNotice().contains("damaged"), next == 0);
    }
}
