// Seeded games: the same seed and the same keys give the same game whatever the clock says, a
// recording names its seed and replays it, and the day's seed is the UTC date's.
#include "recorded_game.h"
#include "replay/replay_platform.h"
#include "replay/scene_state.h"

#include <QDateTime>

namespace {

struct Scenes {
    QByteArray firstBoard, end;
};

// A game begun at a time of day, with the program's seed or none: N and a name, then 200 inputs
// at random. The scene on the first board and at the end.
Scenes played(std::optional<std::uint32_t> seed, double startSeconds) {
    RecordedGame live({}, startSeconds);
    if (seed)
        live.platform.setProgramSeed(ui::GameSeed{*seed, {}, {}});
    live.press('N', "Anna");
    live.game.advance(500);
    Scenes scenes;
    scenestate::append(scenes.firstBoard, live.game);
    std::mt19937 dice(11);
    for (int step = 0; step < 200; ++step)
        live.randomStep(dice);
    scenestate::append(scenes.end, live.game);
    return scenes;
}

} // namespace

TEST(Seed, TheSameSeedAndKeysGiveTheSameGameWhateverTheClock) {
    const Scenes seeded = played(777, 36000), later = played(777, 50000.5);
    EXPECT_EQ(seeded.firstBoard, later.firstBoard);
    EXPECT_EQ(seeded.end, later.end);
    EXPECT_NE(played(778, 36000).firstBoard, seeded.firstBoard);
    // Without a seed the clock decides.
    EXPECT_NE(played(std::nullopt, 36000).firstBoard, played(std::nullopt, 50000.5).firstBoard);
}

// A board that drifted longer changes no later board; the draws are the same in every version.
TEST(Seed, EachKindOfReseedCountsApartAndDrawsTheSameForGood) {
    ui::GameSeed drifted{777, {}, {}}, still{777, {}, {}};
    for (int tick = 0; tick < 50; ++tick)
        drifted.next(ui::Reseed::Drift);
    EXPECT_EQ(drifted.next(ui::Reseed::Level), still.next(ui::Reseed::Level));
    EXPECT_EQ(drifted.text(), "777 1 0 50 0");
    EXPECT_EQ((ui::GameSeed{777, {}, {}}.next(ui::Reseed::Level)), 1649108385u);
    for (const char* kept : {"4294967295 0 1 2 3", "7 0 0 0 0 2026-12-08"})
        EXPECT_EQ(ui::GameSeed::fromText(kept)->text(), kept);
    for (const char* wrong : {"", "777", "777 1 2 3", "777 1 2 3 4 5", "777 1 2 3 x", "-1 0 0 0 0",
                              "+7 0 0 0 0", "4294967296 0 0 0 0", "777  1 2 3 4",
                              "7 0 0 0 0 2026-13-01", "7 0 0 0 0 2026-12-8", "7 0 0 0 0 x 1"})
        EXPECT_FALSE(ui::GameSeed::fromText(wrong)) << wrong;
}

TEST(Seed, TheDailySeedIsTheUtcDatesAndTheSameForGood) {
    const auto seedAt = [](const char* time) {
        return ui::dailySeed(QDateTime::fromString(time, Qt::ISODate).toUTC().date());
    };
    EXPECT_EQ(seedAt("2026-12-08T00:00:00Z"), seedAt("2026-12-08T23:59:59Z"));
    EXPECT_EQ(seedAt("2026-12-08T00:30:00+02:00"), seedAt("2026-12-07T12:00:00Z"));
    EXPECT_NE(seedAt("2026-12-08T23:59:59Z"), seedAt("2026-12-09T00:00:00Z"));
    EXPECT_EQ(ui::dailySeed(QDate(2026, 12, 8)), 3290358932u);
}

// A new game in a seeded program: its file names the seed, and its replay plays it.
TEST(Seed, ARecordingNamesItsSeedAndReplaysIt) {
    RecordedGame live;
    live.platform.setProgramSeed(ui::GameSeed{777, {}, {}});
    live.press('N', "Anna");
    for (const int key : {keys::Escape, int('N')})
        live.press(key);
    std::mt19937 dice(5);
    for (int step = 0; step < 100; ++step)
        live.randomStep(dice);
    const recording::Recording made = live.recorder.current();
    EXPECT_TRUE(recording::write(made).contains("\nseed 777 ")) << recording::write(made).data();
    EXPECT_TRUE(replayed(made).contains("replay matches")) << replayed(made).toStdString();
    EXPECT_EQ(ReplayPlatform(made).gameSeed(), made.gameSeed);
}

// Without a seed given, each game draws its own, which its file names from the program's first
// game on; the server's challenge is played once, and the next new game has a seed of its own.
TEST(Seed, EveryGameHasASeedAndAChallengeIsPlayedOnce) {
    RecordedGame live;
    live.press('N', "Anna");
    const std::optional<ui::GameSeed> first = live.platform.gameSeed();
    ASSERT_TRUE(first);
    EXPECT_TRUE(recording::write(live.recorder.current())
                    .contains("\nseed " + QByteArray::number(first->seed) + " 0 0 0 0\n"));
    live.platform.setProgramSeed(ui::GameSeed{9, {}, "2026-12-08"}, true);
    const auto newGame = [&live] {
        for (const int key : {keys::Escape, int('N')})
            live.press(key);
        return *live.platform.gameSeed();
    };
    const ui::GameSeed challenge = newGame(), after = newGame();
    EXPECT_EQ(std::pair(challenge.seed, challenge.day), std::pair(9u, QString("2026-12-08")));
    EXPECT_NE(after.seed, 9u);
    EXPECT_EQ(after.day, "");
}
