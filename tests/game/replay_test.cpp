// Recorded games: a game recorded live plays again to the same end, every time; a damaged
// recording is refused with the line at fault; each game is kept as its own file.
#include "board/board_window.h"
#include "replay/headless.h"
#include "replay/player.h"
#include "replay/recorder.h"
#include "replay/recording_platform.h"
#include "replay/replay_platform.h"
#include "scripted_platform.h"
#include "shell/game.h"
#include "ui/keys.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>
#include <random>

namespace {

// A game on the virtual clock, recorded as the real one is; the scripted platform answers the
// boxes, the game's own generator rolls the dice.
struct RecordedGame {
    explicit RecordedGame(const QString& folder = {}) : recorder(game, platform, folder) {
        inner.folder = inner.userFolder = dir.path();
        game.start();
    }
    void press(int keyCode, QString answer = {}) {
        if (!answer.isEmpty())
            inner.queueAnswer(answer);
        game.keyDown(keyCode, keyCode == keys::Escape || keyCode > '/' ? keyCode : 0);
    }

    QTemporaryDir dir;
    ScriptedPlatform inner;
    RecordingPlatform platform{inner};
    Game game{platform};
    Recorder recorder;
};

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

// The committed recordings under tests/replays, made again when a rule changes on purpose:
// VEXMOOR_REMAKE_REPLAYS=<folder> game_tests --gtest_filter=ReplayFiles.*
TEST(ReplayFiles, Remake) {
    const QString folder = qEnvironmentVariable("VEXMOOR_REMAKE_REPLAYS");
    if (folder.isEmpty())
        GTEST_SKIP() << "VEXMOOR_REMAKE_REPLAYS names no folder";
    const auto keep = [&](RecordedGame& live, const char* name) {
        EXPECT_TRUE(live.recorder.write(QDir(folder).filePath(QLatin1String(name))));
    };
    {
        RecordedGame live;
        walk(live, 4242, 2000);
        keep(live, "random_game.txt");
    }
    {
        RecordedGame live;
        live.press('N', QStringLiteral("Cid"));
        live.game.advance(500);
        for (const int key : {keys::Escape, int('E'), int('F'), int('G'), int('W'), int('T'),
                              int('K'), int('R'), int('S'), int('Z'), keys::Escape, int('L'),
                              keys::Escape, int('H'), int('Q'), int('N')})
            live.press(key);
        walk(live, 5, 200);
        keep(live, "shop_every_command.txt");
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
        keep(live, "load_saved_game.txt");
    }
    {
        RecordedGame live;
        live.press('N', QStringLiteral("Dee"));
        live.game.advance(500);
        live.inner.queueAnswer(QStringLiteral("vumo"));
        live.inner.queueAnswer(QStringLiteral("98"));
        live.game.click(live.game.mainWindow().captions[0]);
        walk(live, 3, 800);
        keep(live, "cheat_codes.txt");
    }
}
