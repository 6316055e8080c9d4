// Recorded games: a game recorded live plays again to the same end, every time; a damaged
// recording is refused naming the line at fault; each game is kept as a file of its own.
#include "recorded_game.h"
#include "replay/scene_state.h"
#include "ui/number.h"

#include <QRegularExpression>
#include <cmath>
#include <functional>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A recording's bytes played headless, or why they are refused.
QString replayed(const QByteArray& bytes) {
    const auto read = recording::parse(bytes);
    const QString* refused = std::get_if<QString>(&read);
    return refused ? *refused : ::replayed(std::get<recording::Recording>(read));
}

} // namespace

// A game whose program is killed mid-game: its file holds it to the last input, and the next
// start names it as one that ended unexpectedly, which the 20-newest rule leaves alone.
TEST(ReplayTest, AKilledGameIsKeptToItsLastInputAndReplaysToThere) {
    QTemporaryDir folder;
    const QString stateFile = QDir(folder.path()).filePath("state.txt");
    const pid_t child = fork();
    if (child == 0) {
        RecordedGame live(folder.path());
        live.press('N', "Anna");
        live.game.advance(700);
        for (const int key : {keys::Right, keys::Down, keys::Escape, int('B')})
            live.press(key);
        QFile state(stateFile);
        if (state.open(QIODevice::WriteOnly))
            for (const auto& [name, value] : recording::endStateOf(live.game.mainWindow()))
                state.write((name + ": " + value + '\n').toUtf8());
        state.close();
        kill(getpid(), SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    {
        RecordedGame next(folder.path()); // the next start, and 22 games after it
        next.press('N', "Bea");
        for (int game = 0; game < 22; ++game)
            for (const int key : {keys::Right, keys::Escape, int('N')})
                next.press(key);
    }
    const QDir dir(folder.path());
    const QStringList left = dir.entryList({"game-*-ended-unexpectedly.txt"});
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(dir.entryList({"game-*.txt"}).size(), Recorder::kKept + 1);
    const auto read = recording::read(dir.filePath(left[0]));
    ASSERT_TRUE(std::holds_alternative<recording::Recording>(read));
    QString sink;
    QTextStream quiet(&sink);
    EXPECT_EQ(replayHeadless(std::get<recording::Recording>(read), quiet), 3);
    const QString replay = replayed(std::get<recording::Recording>(read));
    QFile state(stateFile);
    ASSERT_TRUE(state.open(QIODevice::ReadOnly));
    EXPECT_TRUE(replay.startsWith(QString::fromUtf8(state.readAll()))) << replay.toStdString();
    EXPECT_TRUE(replay.contains("the recording ended unexpectedly here")) << replay.toStdString();
}

// Two copies of the game ending games in the same millisecond keep both.
TEST(ReplayTest, EveryGameGetsAFileOfItsOwn) {
    QTemporaryDir folder;
    {
        RecordedGame one(folder.path()), two(folder.path());
        for (RecordedGame* live : {&one, &two})
            live->press('N', "Cid");
    }
    EXPECT_EQ(QDir(folder.path()).entryList({"game-*.txt"}).size(), 2);
}

TEST(ReplayTest, DamagedRecordingsAreRefusedNamingTheLine) {
    RecordedGame live;
    live.press('N', "Žofie 李"); // a name that is written escaped
    live.game.advance(500);
    const QByteArray good = recording::write(live.recorder.current());
    const auto parsed = std::get<recording::Recording>(recording::parse(good));
    EXPECT_EQ(parsed.end[8].second, "Žofie 李");
    const auto endLine = good.count('\n');
    const QByteArray cut = good.left(good.lastIndexOf('\n', good.size() - 2) + 1);
    const QByteArray askingName = good.left(good.lastIndexOf('\n', good.indexOf(" input =")) + 1);
    const auto drawn = [&good](const char* draws) {
        return QString::fromLatin1(good)
            .replace(QRegularExpression("\nrandom (\\d+) \\d+\n"),
                     QString("\nrandom \\1 %1\n").arg(draws))
            .toLatin1();
    };
    // A second game begins from the windows the first left; damaged, they are refused.
    for (const int key : {keys::Escape, int('N')})
        live.press(key);
    const QByteArray second = recording::write(live.recorder.current());
    const auto edited = [](QByteArray bytes, const char* from, const char* to) {
        return bytes.replace(from, to);
    };
    const std::pair<QByteArray, QString> cases[] = {
        {edited(good, "recording 3", "recording 9"), "line 1: unknown recording version 9"},
        {edited(good, "recording 3", "recording 1"),
         "line 1: a recording of an older game (version 1); this one replays versions 2 to 3"},
        {edited(good, "recording 3", "recording 2"), "replay matches"},
        {cut, QString("line %1: the recording ended unexpectedly here").arg(endLine)},
        {cut + "500 key 1", QString("line %1: the recording ended unexpectedly").arg(endLine)},
        // Killed with the name question open: played to the key that opened it.
        {askingName, "the recording ended unexpectedly here"},
        {drawn("18446744073709551615"), "line 3: more random draws than any game makes"},
        {drawn("4000000000"), "line 3: more random draws than any game makes"},
        {drawn("1000"), "replay matches"},
        {edited(good, " key ", " kee "), "unknown event \"kee\""},
        {edited(good, "\nseed ", "\nseed x"), "line 4: the game's seed is damaged"},
        {edited(good, "\n0 start", "\n0 start\n-5 start"), "the time is wrong"},
        {cut + "500 front 7\n500 front 7\n", "there is no such window"},
        {QByteArray::fromHex("7f454c4602010000"), "line 1: not text"},
        {QByteArray(), "line 1: the recording stops in its header"},
        {good + "12 key 1 1\n", QString("line %1: more after the end line").arg(endLine + 1)},
        // An edited end plays through and names the field that differs.
        {edited(good, "level=1", "level=4"), QString("line %1: level is \"1\"").arg(endLine)},
        {second, "replay matches"},
        {edited(second, "\nwindow shop", "\nwindow shed"),
         QString("line %1: the window is damaged")
             .arg(second.left(second.indexOf("\nwindow shop")).count('\n') + 2)},
        {edited(second, "\ntimer 0 10 ", "\ntimer 1 10 -"), "the timer is damaged"},
        {edited(second, "\ncontrol label", "\ncontrol field"), "the control is damaged"},
        {edited(second, "\narray holes", "\ncontrol other 1 0 0 1 1\narray holes"),
         "the control is damaged"},
        {edited(second, "\ncontrol board 1 0 0 ", "\ncontrol board 1 0 0x "),
         "the control is damaged"},
        {edited(second, " 11760 735 ", " 11760 7x5 "), "the control is damaged"},
    };
    for (const auto& [bytes, message] : cases)
        EXPECT_TRUE(replayed(bytes).contains(message)) << replayed(bytes).toStdString();
    // Brought back into a fresh game, the windows write out as they were read, also a label whose
    // every field differs from the game's own.
    auto later = std::get<recording::Recording>(recording::parse(second));
    const auto label = std::ranges::find_if(later.state, [](const recording::StateLine& l) {
        return l.text.startsWith("control label");
    });
    ASSERT_NE(label, later.state.end());
    QStringList tokens = label->text.split(' ');
    const std::pair<int, QString> edits[] = {
        {2, "0"},    {7, "=a\\x20b"}, {8, "1234"}, {9, "1"},  {10, "5678"}, {11, "=Serif"},
        {12, "9.5"}, {13, "400"},     {14, "1"},   {15, "1"}, {16, "=tip"}, {17, "1"}};
    for (const auto& [index, token] : edits)
        tokens[index] = token;
    label->text = tokens.join(' ');
    ScriptedPlatform quiet;
    Game fresh(quiet);
    fresh.advance(later.startTime);
    ASSERT_FALSE(scenestate::restore(fresh, later.state));
    QByteArray recorded, again;
    for (const recording::StateLine& line : later.state)
        recorded += line.text.toLatin1() + '\n';
    scenestate::append(again, fresh);
    EXPECT_EQ(again, recorded);
    QTemporaryDir folder;
    QFile huge(QDir(folder.path()).filePath("huge.txt"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(recording::kMaxBytes + 1));
    EXPECT_EQ(std::get<QString>(recording::read(huge.fileName())),
              "is larger than 64 MB, more than any recording of a game");
    EXPECT_EQ(std::get<QString>(recording::read(folder.path())), "cannot be read");
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

// Plays turns of a quarter of a second while `going` holds: on the board to `goal`, or else to
// the gate, or else to the monster that guards it; in the path section to the hidden next board.
// False when the game is lost or out of turns.
bool playWhile(RecordedGame& live, const std::function<bool()>& going,
               ui::Label BoardWindow::*goal = nullptr) {
    for (int turn = 0; turn < 1000; ++turn) {
        if (!going())
            return true;
        const BoardWindow* b = live.game.boardWindow();
        if (!b || b->gameOver.isSet())
            return false;
        int key = 'A';
        for (const ui::Label* aim : {goal ? &(b->*goal) : nullptr, &b->gate, &b->demon, &b->spider})
            if (aim && aim->visible()) {
                key = towards(b->player, aim->left(), aim->top());
                break;
            }
        live.press(b->onPath.isSet()
                       ? towards(b->pathPlayer, b->board.left() + b->board.width() / 2,
                                 b->board.top() + b->board.height() / 2)
                       : key);
        live.game.advance(250);
    }
    return false;
}

} // namespace

// The committed recordings under tests/replays, made again when a rule changes on purpose:
// VEXMOOR_REMAKE_REPLAYS=<folder> game_tests --gtest_filter=ReplayFiles.*
TEST(ReplayFiles, Remake) {
    const QDir folder(qEnvironmentVariable("VEXMOOR_REMAKE_REPLAYS"));
    if (qEnvironmentVariableIsEmpty("VEXMOOR_REMAKE_REPLAYS"))
        GTEST_SKIP() << "VEXMOOR_REMAKE_REPLAYS names no folder";
    // Writes the first game, from one time of day after another, that `play` takes where it wants.
    const auto keepFirst = [&](const char* name, const std::function<bool(RecordedGame&)>& play) {
        for (int attempt = 0; attempt < 300; ++attempt) {
            RecordedGame live({}, 36000 + 61.0 * attempt);
            live.press('N', "Cid");
            live.game.advance(500);
            if (play(live))
                return live.recorder.write(folder.filePath(name));
        }
        return false;
    };
    // To level 5 through two path sections.
    EXPECT_TRUE(keepFirst("level_five_two_paths.txt", [](RecordedGame& live) {
        const BoardWindow& b = *live.game.boardWindow();
        return playWhile(live, [&] {
            return b.onPath.isSet() || valueOf(b.pathSections.text()) < 2 ||
                   valueOf(live.game.mainWindow().level.text()) < 5;
        });
    }));
    // Time runs out in the quicksand; a continue from the shop, and on to the next level.
    EXPECT_TRUE(keepFirst("quicksand_lost_continued.txt", [](RecordedGame& live) {
        const MainWindow& status = live.game.mainWindow();
        const BoardWindow& b = *live.game.boardWindow();
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
        for (const int key : {keys::Escape, 0, int('Z')})
            key ? live.press(key) : live.game.advance(500);
        return playWhile(live, [&] { return valueOf(status.level.text()) < 2; });
    }));
    // Every shop command, then a walk; a saved game loaded, then a walk.
    for (const unsigned seed : {5u, 12u}) {
        RecordedGame live;
        if (seed == 5) {
            live.press('N', "Cid");
            live.game.advance(500);
            for (const char key : QByteArray("\x1b"
                                             "EFGWTKRSZ\x1bL\x1bHQN"))
                live.press(key);
        } else {
            live.load();
        }
        std::mt19937 dice(seed);
        for (int step = 0; step < (seed == 5 ? 200 : 500); ++step)
            live.randomStep(dice);
        EXPECT_TRUE(live.recorder.write(
            folder.filePath(seed == 5 ? "shop_every_command.txt" : "load_saved_game.txt")));
    }
    // A leap to level 98 and one path section to the finale, then back in the menu.
    EXPECT_TRUE(keepFirst("finale.txt", [](RecordedGame& live) {
        for (const QString answer : {"vumo", "98"})
            live.inner.queueAnswer(answer);
        live.game.click(live.game.mainWindow().captions[0]);
        if (!playWhile(live, [&] { return !live.game.finale(); }))
            return false;
        for (int second = 0; second < 60 && live.game.finale(); ++second)
            live.game.advance(1000);
        return live.game.menu() != nullptr;
    }));
}
