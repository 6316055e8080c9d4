// What a screen reader hears of each window, and the news of a turn, as the game describes them
// for every front end.
#include "app/screen_reading.h"
#include "game_fixture.h"
#include "shell/menu_window.h"

namespace {

// A text block's lines as a screen that breaks it only at its own line ends shows them.
QStringList ownLines(const ui::TextBlock& block) {
    return block.text().split("\r\n");
}

// A reading as a row writes it: its name, "=" and its number if it has one, "!" after a message,
// a list's items in brackets.
QString written(const std::vector<Reading>& readings) {
    QStringList each;
    for (const Reading& reading : readings) {
        QString text = reading.name;
        if (reading.value)
            text += "=" + QString::number(*reading.value);
        if (reading.message)
            text += "!";
        if (reading.role == Reading::Role::List)
            text += " [" + written(reading.children) + "]";
        each << text;
    }
    return each.join(" | ");
}

// In a fresh game set up as in a game row, the window named is read.
struct ReadRow {
    const char *setup, *window, *heard;
};

// The board and the panel read once, the change made (a game row's setup clauses, the dice and
// the keys), and both read again: the news of that turn.
struct NewsRow {
    const char *setup, *change, *news, *dice = "", *keys = "";
};

} // namespace

TEST(ScreenReading, EachWindowReadsAsItsTextsTheBoardAsAListThePanelAsFields) {
    for (
        const ReadRow& row : std::initializer_list<ReadRow>{
            {"menu", "menuWindow",
             "Vexmoor | N - New Adventure | L - Load Adventure | H - Help (online) | X - Exit | "
             "F - Hall of Fame | (c) 2026 the Vexmoor team - help/index.html"},
            {"menu", "mainWindow", ""},
            {"rope shown; msg=New level", "mainWindow",
             "Level 1=1 | Armor 10=10 | Hits 20=20 | Gold 10=10 | Continues 5=5 | Time 120=120 | "
             "Serum 20=20 | Food 20=20 | Energy 100=100 | Rope | Anna | New level!"},
            {"gate 3000,1000; demon 600,400; demon=3", "boardWindow",
             "Board [gate, 20 steps right | demon 3, 2 steps left, 4 steps up]"},
            // In steps to touching, which begins past a step's length to the left; off the board
            // is out of sight, and while the player is gone, no places.
            {"gate hidden; demon 745,1000; demon=3; gold 1095,1000; spider 1000,1400; spider=5",
             "boardWindow",
             "Board [gold, touching | demon 3, 1 step left | spider 5, 2 steps down]"},
            {"gate hidden; passage 1000,1000; sand 1192,1000; gold 4100,1000", "boardWindow",
             "Board [secret passage, touching | quicksand, 2 steps right]"},
            {"over=1; player hidden; gate hidden; bat 300,300; bat=9", "boardWindow",
             "Board [bat 9]"},
            // Edges first, within three steps; in the path section none, the holes only near the
            // path player.
            {"gate hidden; player 95,2649", "boardWindow",
             "Board [edge 1 step left | edge 2 steps down]"},
            {"gate hidden; player 3458,96", "boardWindow",
             "Board [edge 3 steps right | edge 2 steps up]"},
            {"path; hole3 696,900; hole4 1100,600; hole5 3000,3000", "boardWindow",
             "Path [time, 25 steps right, 3 steps up | gold, 25 steps right, 3 steps up | "
             "food, 25 steps right, 3 steps up | hole, 1 step right, 1 step down]"},
            {"shop; shopMsg=You do not have enough gold!", "shop",
             "A - Buy Energy (5E = 10 Gold) | B - Buy Armor  (10A = 7 Gold) | C - Buy Serum  (20S "
             "= 5 Gold) | D - Buy Hits   (1H = 1 Gold) | E - Convert Food in Energy | F - Convert "
             "Food in Serum | G - Pray your God | W - Buy Wall expansion (10 GD,10 EN) | T - Buy "
             "Time (10 GD,10 FD) | K - Buy 1 Life (100 GD) | R - Buy Rope (30 GD) | N - New Game | "
             "Z - Try again (Contine) | L - Load | S - Save | H - Help (online) | X - Close Shop | "
             "Q - End | You do not have enough gold!!"},
        }) {
        SCOPED_TRACE(QString("{%1 | %2}").arg(row.setup, row.window).toStdString());
        Play play;
        play.setUp(row.setup);
        ScreenReader reader;
        EXPECT_EQ(
            written(reader.read(std::get<ui::Window*>(play.thing(row.window)), ownLines, nullptr)),
            row.heard);
    }
}

TEST(ScreenReading, NewsIsAFieldsChangedValueAMessagesTextAndWhatComesNear) {
    for (const NewsRow& row : std::initializer_list<NewsRow>{
             {"", "GD=14; HT=19", "Hits 19. Gold 14."},
             {"msg=New level", "msg=You got the gold", "You got the gold."},
             {"msg=New level", "CP=4", "Continues 4."},
             // The time left only as it rises or falls to 30, 10 or 0 seconds.
             {"TM=87", "TM=31", ""},
             {"TM=31", "TM=29", "Time 29."},
             {"TM=11", "TM=40", "Time 40."},
             // The board tells what comes near, the gate and each edge once.
             {"demon 3000,3000; demon=3", "demon 1192,1000", "demon 3, 2 steps right."},
             {"demon 3000,3000", "demon 3000,2000", ""},
             {"gold 1384,1000", "", "gold, 3 steps right.", "", "Right"},
             {"gate hidden", "gate 3000,1000", "gate, 20 steps right."},
             {"gate 3000,1000", "gate 2000,1000", ""},
             {"gate 3000,2500; player 300,1000", "", "edge 3 steps left.", "", "Left"},
             {"gate 3000,2500; player 200,1000", "", "", "", "Down"},
             // A turn of the game: the gate that came with the pick-up, then the panel's news.
             {"gate hidden; gold 1096,1000", "",
              "gate, 9 steps right, 3 steps down. Gold 14. You got the gold.", "4/10", "Right"},
         }) {
        SCOPED_TRACE(QString("{%1 | %2 | %3}").arg(row.setup, row.change, row.keys).toStdString());
        Play play;
        play.setUp(row.setup);
        ScreenReader board, panel;
        board.read(&play.boardWindow(), ownLines, nullptr);
        panel.read(&play.status(), ownLines, nullptr);
        play.apply(row.change, false);
        play.queueDice(row.dice);
        play.playKeys(row.keys);
        Announcement news; // what the board and then the panel tell
        board.read(&play.boardWindow(), ownLines, &news);
        panel.read(&play.status(), ownLines, &news);
        EXPECT_EQ(news.text(), row.news);
    }
}

TEST(ScreenReading, AWindowsLinesAreHeardOnceAndEachReadingStandsForItsControl) {
    Play play;
    ScreenReader reader;
    const std::vector<Reading>& menu = reader.read(play.game.menu(), ownLines, nullptr);
    Announcement opened, again;
    reader.addLines(opened);
    reader.addLines(again);
    EXPECT_EQ(opened.parts().size(), menu.size());
    EXPECT_TRUE(again.isEmpty());
    // A text block's lines stand for the block, counted as the screen breaks it, blank ones too.
    const ui::TextBlock& block = play.game.menu()->menuText;
    for (size_t i = 1; i <= 5; ++i) {
        EXPECT_EQ(menu[i].control, &block);
        EXPECT_EQ(ownLines(block)[menu[i].part - 1], menu[i].name);
    }
    BoardWindow& b = play.start();
    play.apply("player 100,1000; gate hidden; msg=New level", false);
    ScreenReader boardReader, panelReader;
    const Reading list = boardReader.read(&b, ownLines, nullptr).front();
    EXPECT_EQ(list.control, &b.board);
    EXPECT_FALSE(list.wholeWindow);
    EXPECT_EQ(list.children.front().control, &b.player);
    EXPECT_EQ(panelReader.read(&play.status(), ownLines, nullptr)[3].control, &play.status().gold);
    play.apply("path", false);
    EXPECT_TRUE(boardReader.read(&b, ownLines, nullptr).front().wholeWindow);
    // The panel and the board are no windows of lines.
    Announcement none;
    boardReader.addLines(none);
    panelReader.addLines(none);
    EXPECT_TRUE(none.isEmpty());
}
