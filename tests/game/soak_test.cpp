// A long random game: every key, click and stretch of time in whatever state the game is in,
// with the game's own generator rolling the dice. Nothing may crash (the tests also run under the
// sanitizers) and no window may open twice. SOAK_SEED and SOAK_STEPS in the environment choose
// another walk, as long as wanted: SOAK_SEED=7 SOAK_STEPS=1000000. A failing walk leaves its
// game's recording in the temporary folder, to replay with vexmoor --replay.
#include "recorded_game.h"

#include <cstdio>
#include <map>
#include <typeinfo>

namespace {

// Where the walk is, for a failure (a sanitizer's report follows the walk's seed, printed first).
int walkSeed = 0, walkStep = 0;
const RecordedGame* walked = nullptr;

// Writes the walk's recording so far and says where it is.
std::string keepRecording() {
    const QString path = QDir::temp().filePath(QString("vexmoor-soak-%1.txt").arg(walkSeed));
    const bool written = walked && walked->recorder.write(path);
    return "SOAK_SEED=" + std::to_string(walkSeed) + ", step " + std::to_string(walkStep) +
           (written ? ", recorded in " + path.toStdString() : ", not recorded");
}

} // namespace

TEST(SoakTest, ThousandsOfRandomKeysClicksAndTicksNeverBreakTheGame) {
    constexpr int kDefaultSeed = 20261206, kDefaultSteps = 20000;
    walkSeed = qEnvironmentVariableIsSet("SOAK_SEED") ? qEnvironmentVariableIntValue("SOAK_SEED")
                                                      : kDefaultSeed;
    const int steps = qEnvironmentVariableIsSet("SOAK_STEPS")
                          ? qEnvironmentVariableIntValue("SOAK_STEPS")
                          : kDefaultSteps;
    std::fprintf(stderr, "A walk of %d steps from SOAK_SEED=%d\n", steps, walkSeed);
    RecordedGame live;
    walked = &live;
    live.load();
    Game& game = live.game;
    std::mt19937 dice(static_cast<std::mt19937::result_type>(walkSeed));
    int seen[5] = {}; // steps on the board, in the shop, on the path, in the finale, lost
    for (walkStep = 0; walkStep < steps && !HasFailure(); ++walkStep) {
        live.randomStep(dice);
        std::map<std::string, int> open;
        for (ui::Window* window : game.scene().windows())
            ++open[typeid(*window).name()];
        for (const auto& [kind, count] : open)
            EXPECT_EQ(count, 1) << kind << " at " << keepRecording();
        const BoardWindow* b = game.boardWindow();
        const bool in[] = {b != nullptr, game.shop() != nullptr, b && b->onPath.isSet(),
                           game.finale() != nullptr, b && b->gameOver.isSet()};
        for (int part = 0; part < 5; ++part)
            seen[part] += in[part];
        live.inner.messages.clear(), live.inner.prompts.clear(), live.inner.addresses.clear();
    }
    // Replayed, with the saved game gone, each game of the walk ends where it ended live: the
    // ended ones kept in the folder, each from the windows it found, and the one under way.
    QFile::remove(live.savePath());
    const QDir folder(live.own.path());
    int gamesEnded = 0;
    for (const QString& name : folder.entryList({"game-*.txt"})) {
        if (folder.filePath(name) == live.recorder.path())
            continue;
        ++gamesEnded;
        const auto read = recording::read(folder.filePath(name));
        const QString replay = std::holds_alternative<QString>(read)
                                   ? std::get<QString>(read)
                                   : replayed(std::get<recording::Recording>(read));
        EXPECT_TRUE(replay.endsWith("replay matches\n"))
            << name.toStdString() << replay.toStdString();
    }
    const QString replay = replayed(live.recorder.current());
    EXPECT_TRUE(replay.endsWith("replay matches\n")) << replay.toStdString() << keepRecording();
    EXPECT_EQ(live.recorder.current().end, recording::endStateOf(game.mainWindow()));
    walked = nullptr;
    // The usual walk went through every part of the game.
    for (int part = 0; part < 5 && walkSeed == kDefaultSeed && steps == kDefaultSteps; ++part)
        EXPECT_GT(seen[part], 0) << "part " << part;
    EXPECT_TRUE(gamesEnded > 1 || walkSeed != kDefaultSeed) << gamesEnded;
}
