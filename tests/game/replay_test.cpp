// Recorded games: a game recorded live plays again to the same end, every time; a damaged
// recording is refused with the line at fault; each game is kept as its own file.
#include "board/board_window.h"
#include "recorded_game.h"
#include "replay/headless.h"
#include "replay/player.h"
#include "replay/replay_platform.h"
#include "shell/finale_window.h"
#include "shell/menu_window.h"
#include "ui/number.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace {

// Keys, clicks and stretches of time at random, in whatever state the game is in.
void walk(RecordedGame& live, unsigned seed, int steps) {
    std::mt19937 dice(seed);
    const int keyCodes[] = {keys::Left,  keys::Up,   keys::Right,  keys::Down, keys::Left, keys::Up,
                            keys::Right, keys::Down, keys::Escape, 'C',        'E',        'F',
                            'G',         'K',        'L',          'N',        'R',        'S',
                            'T',         'W',        'Z',          13};
    const QString answers[] = {QStringLiteral("Anna"), QStringLiteral("qyx"), QString()};
    for (int step = 0; step < steps; ++step) {
        if (dice() % 9 == 0)
            live.inner.queueAnswer(answers[dice() % 3]);
        const unsigned action = dice() % 10;
        if (action < 7) {
            live.press(keyCodes[dice() % std::size(keyCodes)]);
        } else if (action < 9) {
            live.game.advance(dice() % 2500);
        } else if (BoardWindow* board = live.game.boardWindow()) {
            const auto& objects = board->board.children();
            if (auto* label = dynamic_cast<ui::Label*>(objects[dice() % objects.size()]))
                live.game.click(*label);
        }
    }
}

// The recording through its file, played into a fresh game: the end it reached, and the fault.
std::pair<recording::EndState, std::optional<QString>> replay(const recording::Recording& made) {
    const auto read = recording::parse(recording::write(made));
    EXPECT_TRUE(std::holds_alternative<recording::Recording>(read));
    const auto& recorded = std::get<recording::Recording>(read);
    ReplayPlatform platform(recorded);
    Game game(platform);
    Player player(game, platform, recorded);
    player.playToEnd();
    EXPECT_TRUE(player.finished());
    return {recording::endStateOf(game.mainWindow()), player.fault()};
}

} // namespace

TEST(ReplayTest, RandomGamesReplayedEndWhereTheyEndedLiveEveryTime) {
    for (const unsigned seed : {7u, 2026u, 90210u}) {
        RecordedGame live;
        walk(live, seed, 3000);
        const recording::Recording made = live.recorder.current();
        const auto [first, fault] = replay(made);
        EXPECT_EQ(fault, std::nullopt) << "seed " << seed;
        EXPECT_EQ(first, recording::endStateOf(live.game.mainWindow())) << "seed " << seed;
        EXPECT_EQ(replay(made).first, first) << "seed " << seed;
    }
}

TEST(ReplayTest, EachGameIsKeptAsAFileThatReplaysAndOnlyTheNewestTwentyStay) {
    QTemporaryDir folder;
    {
        RecordedGame live(folder.path());
        live.press('N', QStringLiteral("Bea"));
        for (int game = 0; game < 22; ++game) {
            live.game.advance(3000);
            live.press(keys::Right);
            live.press(keys::Escape);
            live.press('N'); // a new game from the shop
        }
    }
    const QStringList kept = QDir(folder.path()).entryList({QStringLiteral("game-*.txt")});
    ASSERT_EQ(kept.size(), Recorder::kKept);
    for (const QString& name : {kept.first(), kept.last()}) {
        const auto read = recording::read(QDir(folder.path()).filePath(name));
        ASSERT_TRUE(std::holds_alternative<recording::Recording>(read)) << name.toStdString();
        QString text;
        QTextStream out(&text);
        EXPECT_EQ(replayHeadless(std::get<recording::Recording>(read), out), 0)
            << text.toStdString();
        EXPECT_TRUE(text.endsWith(QStringLiteral("replay matches\n")));
    }
}

TEST(ReplayTest, ALoadIsReplayedFromTheRecordingNotFromTheSaveFile) {
    RecordedGame live;
    QFile save(QDir(live.dir.path()).filePath(QStringLiteral("Save.ini")));
    ASSERT_TRUE(save.open(QIODevice::WriteOnly));
    save.write("7\r\n55\r\n30\r\n42\r\n25\r\n8\r\n16\r\n64\r\n 300 \r\n 450 \r\n 5000 \r\n"
               " 2600 \r\nBea\r\n3\r\nTrue\r\n");
    save.close();
    live.press('L');
    walk(live, 11, 300);
    save.remove();
    const auto [end, fault] = replay(live.recorder.current());
    EXPECT_EQ(fault, std::nullopt);
    EXPECT_EQ(end, recording::endStateOf(live.game.mainWindow()));
}

TEST(ReplayTest, DamagedRecordingsAreRefusedNamingTheLine) {
    RecordedGame live;
    live.press('N', QStringLiteral("Anna"));
    live.game.advance(500);
    const QByteArray good = recording::write(live.recorder.current());
    const QList<QByteArray> lines = good.split('\n');
    const int endLine = static_cast<int>(lines.size()) - 1;
    QByteArray edited = good;
    edited.replace(" key ", " kee ");
    const struct {
        const char* what;
        QByteArray bytes;
        QString message;
    } cases[] = {
        {"unknown version", QByteArray(good).replace("recording 1", "recording 9"),
         QStringLiteral("line 1: unknown recording version 9")},
        {"truncated", good.left(good.lastIndexOf('\n', good.size() - 2) + 1),
         QStringLiteral("line %1: the recording stops before its end line").arg(endLine)},
        {"hand-edited", edited, QStringLiteral("unknown event \"kee\"")},
        {"time going back", QByteArray(good).replace("\n0 start", "\n0 start\n-5 start"),
         QStringLiteral("the time is wrong")},
        {"binary junk",
         QByteArray("\x7f"
                    "ELF\x02\x01\x00\x00",
                    8),
         QStringLiteral("line 1: not text")},
        {"empty", QByteArray(), QStringLiteral("line 1: the recording stops before its end line")},
        {"after the end", good + "12 key 1 1\n",
         QStringLiteral("line %1: more after the end line").arg(endLine + 1)},
    };
    for (const auto& c : cases) {
        const auto read = recording::parse(c.bytes);
        ASSERT_TRUE(std::holds_alternative<QString>(read)) << c.what;
        EXPECT_TRUE(std::get<QString>(read).contains(c.message))
            << c.what << ": " << std::get<QString>(read).toStdString();
    }
    // An end that was edited plays through and names the field that differs.
    const auto read = recording::parse(QByteArray(good).replace("level=1", "level=4"));
    QString text;
    QTextStream out(&text);
    EXPECT_EQ(replayHeadless(std::get<recording::Recording>(read), out), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("line %1: level is \"1\"").arg(endLine)))
        << text.toStdString();
}

namespace {

double valueOf(const QString& text) {
    return ui::readNumber(text).value_or(0);
}

// The arrow that brings a player at `from` a step nearer to left, top, the farther way first; a
// letter, a turn without a step, when it is there.
int towards(const ui::Label& from, double left, double top) {
    const double across = left - from.left(), down = top - from.top();
    if (std::abs(across) < BoardWindow::kStep && std::abs(down) < BoardWindow::kStep)
        return 'A';
    if (std::abs(across) >= std::abs(down))
        return across < 0 ? keys::Left : keys::Right;
    return down < 0 ? keys::Up : keys::Down;
}

// A plain player's turn and a quarter of a second: on the board to `goal`, or else to the gate,
// or else to the monster that guards it; in the path section to the hidden next board.
void playTurn(RecordedGame& live, const ui::Label* goal = nullptr) {
    const BoardWindow& b = *live.game.boardWindow();
    int key = 'A';
    if (b.onPath.isSet()) {
        key = towards(b.pathPlayer, b.board.left() + b.board.width() / 2,
                      b.board.top() + b.board.height() / 2);
    } else {
        for (const ui::Label* object : {goal, &b.gate, &b.demon, &b.spider}) {
            if (object && object->visible()) {
                key = towards(b.player, object->left(), object->top());
                break;
            }
        }
    }
    live.press(key);
    live.game.advance(250);
}

// Plays from one time of day after another until `play` gets where it wants: the first game that
// does, played as a player could have played it.
std::unique_ptr<RecordedGame> firstThat(const std::function<bool(RecordedGame&)>& play) {
    for (int attempt = 0; attempt < 300; ++attempt) {
        auto live = std::make_unique<RecordedGame>(QString(), 36000 + 61.0 * attempt);
        live->press('N', QStringLiteral("Cid"));
        live->game.advance(500);
        if (play(*live))
            return live;
    }
    ADD_FAILURE() << "no game got there";
    return nullptr;
}

// Plays turns while `going` holds and the game is not lost; false when lost or out of turns.
bool playWhile(RecordedGame& live, const std::function<bool()>& going,
               ui::Label BoardWindow::*goal = nullptr) {
    for (int turn = 0; turn < 1000; ++turn) {
        if (!going())
            return true;
        BoardWindow* b = live.game.boardWindow();
        if (!b || b->gameOver.isSet())
            return false;
        playTurn(live, goal ? &(b->*goal) : nullptr);
    }
    return false;
}

} // namespace

// The committed recordings under tests/replays, made again when a rule changes on purpose:
// VEXMOOR_REMAKE_REPLAYS=<folder> game_tests --gtest_filter=ReplayFiles.*
TEST(ReplayFiles, Remake) {
    const QString folder = qEnvironmentVariable("VEXMOOR_REMAKE_REPLAYS");
    if (folder.isEmpty())
        GTEST_SKIP() << "VEXMOOR_REMAKE_REPLAYS names no folder";
    const auto keep = [&](const RecordedGame* live, const char* name) {
        ASSERT_NE(live, nullptr) << name;
        EXPECT_TRUE(live->recorder.write(QDir(folder).filePath(QLatin1String(name))));
    };
    // To level 5 through two path sections.
    keep(firstThat([](RecordedGame& live) {
             BoardWindow& b = *live.game.boardWindow();
             return playWhile(live, [&] {
                 return b.onPath.isSet() || valueOf(b.pathSections.text()) < 2 ||
                        valueOf(live.game.mainWindow().level.text()) < 5;
             });
         }).get(),
         "level_five_two_paths.txt");
    // Time runs out in the quicksand; a continue from the shop, and on to the next level.
    keep(firstThat([](RecordedGame& live) {
             MainWindow& status = live.game.mainWindow();
             BoardWindow& b = *live.game.boardWindow();
             // The player waits while the quicksand is more turns away than seconds are left.
             const auto waitForTheEnd = [&] {
                 const double turns = (std::abs(b.quicksand.left() - b.player.left()) +
                                       std::abs(b.quicksand.top() - b.player.top())) /
                                      BoardWindow::kStep;
                 for (int second = 0; second < 120 && !b.gameOver.isSet() &&
                                      valueOf(status.timeLeft.text()) > turns / 4 + 3;
                      ++second)
                     live.game.advance(1000);
                 return b.quicksand.visible() && !b.stuckInQuicksand.isSet();
             };
             if (!b.quicksand.visible() || !playWhile(live, waitForTheEnd, &BoardWindow::quicksand))
                 return false;
             for (int tick = 0; tick < 12 && !b.gameOver.isSet(); ++tick)
                 live.game.advance(500);
             if (!b.gameOver.isSet() || !b.stuckInQuicksand.isSet())
                 return false;
             live.press(keys::Escape);
             live.game.advance(500);
             live.press('Z');
             return playWhile(live, [&] { return valueOf(status.level.text()) < 2; });
         }).get(),
         "quicksand_lost_continued.txt");
    {
        RecordedGame live;
        live.press('N', QStringLiteral("Cid"));
        live.game.advance(500);
        for (const int key : {keys::Escape, int('E'), int('F'), int('G'), int('W'), int('T'),
                              int('K'), int('R'), int('S'), int('Z'), keys::Escape, int('L'),
                              keys::Escape, int('H'), int('Q'), int('N')})
            live.press(key);
        walk(live, 5, 200);
        keep(&live, "shop_every_command.txt");
    }
    {
        RecordedGame live;
        QFile save(QDir(live.dir.path()).filePath(QStringLiteral("Save.ini")));
        EXPECT_TRUE(save.open(QIODevice::WriteOnly));
        save.write("7\r\n55\r\n30\r\n42\r\n25\r\n8\r\n16\r\n64\r\n 300 \r\n 450 \r\n 5000 \r\n"
                   " 2600 \r\nBea\r\n3\r\nTrue\r\n");
        save.close();
        live.press('L');
        walk(live, 12, 500);
        keep(&live, "load_saved_game.txt");
    }
    // A leap to level 98 and one path section to the finale, then back in the menu.
    keep(firstThat([](RecordedGame& live) {
             live.inner.queueAnswer(QStringLiteral("vumo"));
             live.inner.queueAnswer(QStringLiteral("98"));
             live.game.click(live.game.mainWindow().captions[0]);
             if (!playWhile(live, [&] { return !live.game.finale(); }))
                 return false;
             for (int second = 0; second < 60 && live.game.finale(); ++second)
                 live.game.advance(1000);
             return live.game.menu() != nullptr;
         }).get(),
         "finale.txt");
}
