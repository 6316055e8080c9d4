// The hall of fame: what each game enters, the order of the table, its file and its window.
#include "game_fixture.h"
#include "shell/hall_of_fame_window.h"
#include "shell/menu_window.h"

namespace {

class HallOfFameTest : public GameTest {
  protected:
    QString tablePath() const {
        return QDir(dataDir.path()).filePath(QStringLiteral("halloffame.txt"));
    }

    // A fall off the board's left edge without the rope, then back to the menu.
    void fallAt(const QString& level) {
        status().level.setText(level);
        status().setRope(false);
        put(boardWindow().player, 50, 1000);
        press(keys::Left);
        game.advance(2000); // the game-over screen closes
    }

    // The table as a fresh program reads it from the file.
    std::vector<FameEntry> reread() { return HallOfFame(tablePath()).best(); }
};

} // namespace

TEST_F(HallOfFameTest, EachGameEntersOnceWithItsBestLevelEndingContinuesAndCheats) {
    platform.date = QStringLiteral("2026-12-01");
    start();
    fallAt(QStringLiteral("3"));
    press('Z'); // a continue that then reaches further
    fallAt(QStringLiteral("8"));

    platform.date = QStringLiteral("2026-12-02");
    start(); // a new game from the shop
    status().level.setText(QStringLiteral("4"));
    platform.queueAnswer(QStringLiteral("vumo"));
    platform.queueAnswer(QStringLiteral("2"));
    game.click(status().captions[0]); // a leap down: the table keeps the best level
    game.advance(120000);             // out of time

    const std::vector<FameEntry> table = reread();
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].name, QStringLiteral("Anna"));
    EXPECT_EQ(table[0].level, 8);
    EXPECT_EQ(table[0].ending, Ending::Ravine);
    EXPECT_EQ(table[0].continuesUsed, 1);
    EXPECT_FALSE(table[0].cheated);
    EXPECT_EQ(table[1].level, 4);
    EXPECT_EQ(table[1].ending, Ending::OutOfTime);
    EXPECT_EQ(table[1].date, QStringLiteral("2026-12-02"));
    EXPECT_TRUE(table[1].cheated);
}

TEST_F(HallOfFameTest, TheFinaleAndTheOtherEndingsAreNamed) {
    start();
    status().level.setText(QStringLiteral("99"));
    game.advance(1000);
    ASSERT_NE(game.finale(), nullptr);
    EXPECT_EQ(reread().at(0).ending, Ending::Finished);
    const std::pair<Ending, const char*> names[] = {
        {Ending::Ravine, "fell into the ravine"}, {Ending::Hole, "fell into a hole"},
        {Ending::OutOfTime, "out of time"},       {Ending::TooManyRequests, "too many requests"},
        {Ending::Finished, "finished"},
    };
    for (const auto& [ending, text] : names)
        EXPECT_EQ(endingText(ending), QLatin1String(text));
}

TEST_F(HallOfFameTest, TheTenBestByLevelThenDateThenOrderKeepAnyName) {
    HallOfFame table(tablePath());
    const QString names[] = {"Ann, \"the\" bold", "Tab\there", "Back\\slash\nnew", "  blanks ",
                             "Žofie 李"};
    for (int i = 0; i < 12; ++i) {
        table.beginGame();
        const QString date = i % 2 ? QStringLiteral("2026-01-02") : QStringLiteral("2026-01-01");
        table.gameEnded(names[i % 5], i < 6 ? 5 : i, Ending::Hole, date);
    }
    const std::vector<FameEntry> best = reread();
    ASSERT_EQ(best.size(), 10u);
    EXPECT_EQ(best[0].level, 11);
    // Level 5 six times: the earlier date first, then the earlier game.
    std::vector<int> tied;
    for (const FameEntry& entry : best)
        if (entry.level == 5)
            tied.push_back(entry.serial);
    EXPECT_EQ(tied, (std::vector<int>{0, 2, 4, 1}));
    for (const FameEntry& entry : best)
        EXPECT_EQ(entry.name, names[entry.serial % 5]) << entry.serial;
}

TEST_F(HallOfFameTest, ADamagedFileIsSetAsideAndAnUnwritableFolderOnlySaysSo) {
    for (const QByteArray& bytes :
         {QByteArray("not a table\n"),
          QByteArray("Vexmoor hall of fame 1\n7\tlava\t0\t0\tx\t0\tA\n"),
          QByteArray("Vexmoor hall of fame 1\n7\thole\t0\t0\tx\t0\tA\\q\n")}) {
        QFile::remove(tablePath());
        QFile::remove(tablePath() + QStringLiteral(".damaged"));
        QFile file(tablePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        HallOfFame table(tablePath());
        EXPECT_TRUE(table.best().empty());
        EXPECT_TRUE(table.takeNotice().contains(QStringLiteral("halloffame.txt.damaged")));
        EXPECT_TRUE(table.takeNotice().isEmpty()); // said once
        QFile aside(tablePath() + QStringLiteral(".damaged"));
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
        EXPECT_EQ(aside.readAll(), bytes);
    }

    // The data folder cannot be made: the game plays on and the table says so.
    platform.userFolder = QDir(programDir.path()).filePath(QStringLiteral("Save.ini/Vexmoor"));
    writeSave("1\r\n");
    start();
    fallAt(QStringLiteral("2"));
    EXPECT_NE(game.shop(), nullptr);
    HallOfFame& table = game.hallOfFame();
    EXPECT_EQ(table.best().size(), 1u);
    EXPECT_EQ(table.takeNotice(), QStringLiteral("The hall of fame cannot be saved."));
}

TEST_F(HallOfFameTest, FInTheMenuShowsTheTableWithTheLatestGameHighlighted) {
    EXPECT_TRUE(game.menu()->menuText.text().endsWith(
        QStringLiteral("X - Exit\r\n\r\nF - Hall of Fame\r\n")));
    press('F');
    ASSERT_NE(game.hallOfFameWindow(), nullptr);
    EXPECT_EQ(game.hallOfFameWindow()->rows[0].text(), QStringLiteral("No games yet."));
    press(keys::Escape);
    EXPECT_EQ(game.hallOfFameWindow(), nullptr);
    EXPECT_EQ(game.scene().active(), game.menu());

    game.hallOfFame().gameEnded(QStringLiteral("Old"), 9, Ending::Hole,
                                QStringLiteral("2026-01-01"));
    start();
    fallAt(QStringLiteral("3"));
    backToMenu();
    press('F');
    HallOfFameWindow& window = *game.hallOfFameWindow();
    EXPECT_EQ(window.caption(), QStringLiteral("Hall of Fame"));
    EXPECT_EQ(window.rows[1].text(),
              QStringLiteral(" 2. Anna                 3  fell into the ravine 2026-12-07 "));
    EXPECT_FALSE(window.rows[0].look().opaque);
    EXPECT_TRUE(window.rows[1].look().opaque);
    press('F');
    EXPECT_EQ(game.hallOfFameWindow(), nullptr);
}
