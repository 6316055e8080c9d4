// Saving in the shop and loading from the main menu and the shop.
#include "game_fixture.h"
#include "shell/menu_window.h"

#include <csignal>
#include <sys/resource.h>
#include <tuple>

namespace {

// Bea's save with line `index` (0 for line 1) replaced.
QByteArray beaWithLine(int index, const QByteArray& text) {
    QList<QByteArray> lines = kBeaSave.split('\n');
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

class LoadTest : public ShopTest {
  protected:
    // Everything a load restores: the status fields, the rope and the board.
    std::vector<QString> state() {
        std::vector<QString> texts = fields();
        texts.push_back(status().hasRope() ? QStringLiteral("rope") : QStringLiteral("no rope"));
        if (BoardWindow* boardWindow = game.boardWindow())
            for (double side : sides(boardWindow->board.rect()))
                texts.push_back(QString::number(side));
        return texts;
    }

    // Some game other than the saved one, over.
    void scramble() {
        MainWindow& s = status();
        for (ui::Label* field : {&s.level, &s.energy, &s.armor, &s.gold, &s.hits, &s.food, &s.serum,
                                 &s.timeLeft, &s.continues})
            field->setText(QStringLiteral("99"));
        s.playerName.setText(QStringLiteral("Someone"));
        s.setRope(false);
        boardWindow().board.setRect({11, 22, 3333, 4444});
        boardWindow().gameOver.setText(QStringLiteral("1"));
        boardWindow().player.setVisible(false);
        boardWindow().pathPlayer.setVisible(false);
    }
};

} // namespace

TEST_F(LoadTest, SaveWritesTheFifteenLinesAndTheShopLoadsThemBack) {
    BoardWindow& boardWindow = start();
    boardWindow.board.setRect({240, 120, 3615, 1815});
    status().timeLeft.setText(QStringLiteral("97"));
    openShop();
    press('S');
    EXPECT_EQ(platform.messages, std::vector<QString>{QStringLiteral("Saved!")});
    EXPECT_EQ(saved(), QByteArray("1\r\n100\r\n10\r\n10\r\n20\r\n20\r\n20\r\n97\r\n 120 \r\n"
                                  " 240 \r\n 3615 \r\n 1815 \r\nAnna\r\n5\r\nFalse\r\n"));
    ASSERT_NE(game.shop(), nullptr); // saving leaves the shop open
    const std::vector<QString> before = state();

    scramble();
    press('L');
    EXPECT_EQ(state(), before);
    EXPECT_EQ(game.shop(), nullptr);
    EXPECT_EQ(game.boardWindow(), &boardWindow); // the board window stays, and so does its level
    EXPECT_FALSE(boardWindow.gameOver.isSet());
    EXPECT_TRUE(boardWindow.player.visible());
    EXPECT_EQ(boardWindow.player.top(), 907.5);
    EXPECT_EQ(boardWindow.player.left(), 1807.5);
}

TEST_F(LoadTest, NamesWithCommasQuotesAndBlanksComeBack) {
    start();
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
    };
    for (const auto& [name, loaded] : names) {
        openShop();
        status().playerName.setText(name);
        press('S');
        status().playerName.setText(QStringLiteral("Someone"));
        status().continues.setText(QStringLiteral("1"));
        press('L');
        EXPECT_EQ(status().playerName.text(), loaded);
        EXPECT_EQ(status().continues.text(), QStringLiteral("5"));
    }
    // Line breaks and control characters cannot break the file.
    openShop();
    status().playerName.setText(QStringLiteral("Anna\r\nBob\x01") +
                                QString(2000, QLatin1Char('x')));
    press('S');
    press('L');
    EXPECT_TRUE(status().playerName.text().startsWith(QStringLiteral("Anna  Bob xxx")));
    EXPECT_EQ(status().continues.text(), QStringLiteral("5"));
}

TEST_F(LoadTest, TheMenuAndTheShopLoadAFullAndAnEightLineFileAlike) {
    const auto stats = [](std::initializer_list<QString> rest) {
        std::vector<QString> texts{"7", "55", "30", "42", "25", "8", "16", "64"};
        texts.insert(texts.end(), rest);
        return texts;
    };
    const std::vector<QString> bea = stats({"Bea", "3", "rope", "450", "300", "5000", "2600"});
    // The file, and what the menu's and the shop's loads make of it over a game with the rope.
    // Without lines 9 to 15 the board stays where it was: for the menu's new window, at the
    // place it opens at.
    const std::tuple<QByteArray, std::vector<QString>, std::vector<QString>> cases[] = {
        {kBeaSave, bea, bea},
        {"7\r\n55\r\n30\r\n42\r\n25\r\n8\r\n16\r\n64\r\n",
         stats({"", "", "no rope", "3240", "3360", "3615", "1815"}),
         stats({"", "", "no rope", "11", "22", "3333", "4444"})},
    };
    for (const auto& [bytes, fromMenu, fromShop] : cases) {
        if (game.boardWindow())
            backToMenu();
        writeSave(bytes);
        status().setRope(true);
        press('L');
        EXPECT_EQ(game.menu(), nullptr);
        EXPECT_TRUE(status().countdown.enabled());
        game.advance(10);
        EXPECT_EQ(state(), fromMenu);

        scramble();
        status().setRope(true);
        openShop();
        press('L');
        EXPECT_EQ(state(), fromShop);
        EXPECT_EQ(game.shop(), nullptr);
    }
    EXPECT_TRUE(platform.prompts.empty()); // a loaded game needs no name asked
}

TEST_F(LoadTest, DamagedFilesAndAnEmptyFirstLineAreRefusedByBothLoads) {
    // Line 1 empty is no saved game; the others are damaged.
    const QByteArray refused[] = {
        beaWithLine(0, ""),
        beaWithLine(0, "").replace("55", "fifty"), // line 1 decides before any damage
        "\r\n" + QByteArray("\0\1", 2),
        beaWithLine(0, "one"),   // the level
        beaWithLine(1, "fifty"), // a stat
        beaWithLine(2, "1O0"),
        beaWithLine(3, "1e3"),
        beaWithLine(7, "2:00"),  // the time left
        beaWithLine(8, " 3OO "), // a board coordinate
        beaWithLine(10, " 5,000 "),
        beaWithLine(10, " 1" + QByteArray(40, '0')), // beyond a single-precision number
        beaWithLine(13, "three"),                    // the continues
        beaWithLine(12, QByteArray(1001, 'B')),      // an over-long line
        beaWithLine(12, QByteArray("B\0a", 3)),      // binary data
        beaWithLine(12, "B\033a"),
        kBeaSave + QByteArray(70000, '\n'), // no save file is this large
        QByteArray("\177ELF\2\1\1\0\0\0", 10),
    };
    const auto expectRefused = [&](const QByteArray& bytes) {
        EXPECT_EQ(platform.messages,
                  std::vector<QString>{bytes.startsWith('\r')
                                           ? QStringLiteral("No saved game")
                                           : QStringLiteral("The saved game is damaged.")})
            << bytes.left(60).toStdString();
        platform.messages.clear();
    };
    for (const QByteArray& bytes : refused) {
        writeSave(bytes);
        press('L');
        expectRefused(bytes);
        EXPECT_EQ(game.boardWindow(), nullptr);
    }

    start();
    openShop();
    scramble();
    const std::vector<QString> before = state();
    for (const QByteArray& bytes : refused) {
        writeSave(bytes);
        press('L');
        expectRefused(bytes);
        EXPECT_EQ(state(), before);
        EXPECT_NE(game.shop(), nullptr);
    }

    // What the game can use is no damage: any name, any rope text, a long but fitting line.
    writeSave(beaWithLine(14, "Yes").replace("Bea", "\"R2-D2, the droid\""));
    press('L');
    EXPECT_EQ(status().playerName.text(), QStringLiteral("R2-D2, the droid"));
    EXPECT_FALSE(status().hasRope());
    openShop();
    writeSave(beaWithLine(12, QByteArray(1000, 'B')));
    press('L');
    EXPECT_EQ(status().playerName.text(), QString(300, QLatin1Char('B')));
}

TEST_F(LoadTest, ASaveThatCannotBeWrittenSaysSoAndLeavesThePreviousSave) {
    start();
    openShop();
    press('S');
    const QByteArray before = saved();
    const std::vector<QString> game1 = state();
    status().gold.setText(QStringLiteral("1234"));
    {
        FileSizeLimit limit; // the write fails
        press('S');
    }
    EXPECT_EQ(platform.messages,
              (std::vector<QString>{QStringLiteral("Saved!"),
                                    QStringLiteral("Could not save the game.")}));
    EXPECT_EQ(saved(), before);
    EXPECT_EQ(QDir(programDir.path()).entryList(QDir::Files), QStringList{"Save.ini"});
    press('L');
    EXPECT_EQ(state(), game1);
}

TEST_F(LoadTest, WithoutAWritableProgramFolderTheSaveGoesToADataFolderThatCanBeMade) {
    start();
    platform.folder = QDir(programDir.path()).filePath(QStringLiteral("missing"));
    platform.userFolder = QDir(dataDir.path()).filePath(QStringLiteral("Vexmoor/saves"));
    status().gold.setText(QStringLiteral("321"));
    openShop();
    press('L'); // a load makes no folder
    EXPECT_EQ(platform.messages, std::vector<QString>{QStringLiteral("No saved game")});
    EXPECT_FALSE(QDir(platform.userFolder).exists());
    press('S');
    EXPECT_EQ(platform.messages.back(), QStringLiteral("Saved!"));
    EXPECT_TRUE(QFile::exists(QDir(platform.userFolder).filePath(QStringLiteral("Save.ini"))));
    status().gold.setText(QStringLiteral("0"));
    press('L');
    EXPECT_EQ(status().gold.text(), QStringLiteral("321"));

    // A file stands where the data folder would be made.
    QFile plain(QDir(dataDir.path()).filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    platform.userFolder = QDir(plain.fileName()).filePath(QStringLiteral("vexmoor"));
    openShop();
    press('S');
    EXPECT_EQ(platform.messages.back(), QStringLiteral("Could not save the game."));
    EXPECT_NE(game.shop(), nullptr);
}

TEST_F(LoadTest, ABoardTooNarrowForThePlayerIsWidenedWhenTheGameIsLoadedOrContinued) {
    // Saved while the closing wall had narrowed the board to 300 twips.
    writeSave(beaWithLine(10, " 300 "));
    press('L');
    game.advance(10);
    BoardWindow& b = boardWindow();
    EXPECT_FALSE(b.gameOver.isSet());
    EXPECT_TRUE(b.player.visible());
    EXPECT_DOUBLE_EQ(b.board.width(), BoardWindow::kNarrowestBoard);
    EXPECT_DOUBLE_EQ(b.player.left(), BoardWindow::kNarrowestBoard / 2);

    // A game lost to the wall, continued: the player stands on the board and the wall, running
    // again, has room to close in before it reaches him.
    b.closingWallOn.setText(QStringLiteral("1"));
    status().setRope(false);
    put(b.player, 50, 1000);
    press(keys::Left);
    ASSERT_TRUE(b.gameOver.isSet());
    b.board.setWidth(400);
    b.board.setHeight(200);
    game.advance(2000); // the game-over screen closes
    press('Z');
    EXPECT_EQ(game.shop(), nullptr);
    EXPECT_TRUE(b.closingWall.enabled());
    EXPECT_DOUBLE_EQ(b.board.height(), BoardWindow::kLowestBoard);
    game.advance(1000);
    EXPECT_FALSE(b.gameOver.isSet());
    EXPECT_TRUE(b.player.visible());
    EXPECT_DOUBLE_EQ(b.board.width(), BoardWindow::kNarrowestBoard - 80);
}
