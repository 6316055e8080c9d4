// A long random game: every key, click and stretch of time in whatever state the game is in,
// with the game's own generator rolling the dice. Nothing may crash (the tests also run under the
// sanitizers) and no window may open twice. SOAK_SEED and SOAK_STEPS in the environment choose
// another walk, as long as wanted: SOAK_SEED=7 SOAK_STEPS=1000000. A failing walk leaves its
// game's recording in the temporary folder, to replay with vexmoor --replay.
#include "board/board_window.h"
#include "recorded_game.h"
#include "replay/headless.h"
#include "shell/finale_window.h"
#include "shell/menu_window.h"
#include "shop/shop_window.h"

#include <QDir>
#include <QTextStream>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

constexpr int kDefaultSeed = 20261206;
constexpr int kDefaultSteps = 20000;

int fromEnvironment(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// Where the walk is, for a failure and for AddressSanitizer when it stops the program (an
// UndefinedBehaviorSanitizer report names the place in the code; the walk's seed is printed first).
int walkSeed = 0;
int walkStep = 0;
const RecordedGame* walked = nullptr;

// Writes the walk's recording so far and says where it is.
std::string keepRecording() {
    const QString path = QDir::temp().filePath(QStringLiteral("vexmoor-soak-%1.txt").arg(walkSeed));
    const bool written = walked && walked->recorder.write(path);
    return "SOAK_SEED=" + std::to_string(walkSeed) + ", step " + std::to_string(walkStep) +
           (written ? ", recorded in " + path.toStdString() : ", not recorded");
}

void reportWalk() {
    std::fprintf(stderr, "The walk stopped at %s\n", keepRecording().c_str());
}

// The walk's game for the reports while it lasts.
struct Watching {
    explicit Watching(const RecordedGame& live) {
        walked = &live;
#ifdef __SANITIZE_ADDRESS__
        __sanitizer_set_death_callback(reportWalk);
#endif
    }
    ~Watching() {
        walked = nullptr;
#ifdef __SANITIZE_ADDRESS__
        __sanitizer_set_death_callback(nullptr);
#endif
    }
    Watching(const Watching&) = delete;
    Watching& operator=(const Watching&) = delete;
};

// Every label a player could click: the status panel and the board's objects.
std::vector<ui::Label*> clickable(Game& game) {
    std::vector<ui::Label*> labels;
    for (ui::Label& caption : game.mainWindow().captions)
        labels.push_back(&caption);
    if (BoardWindow* b = game.boardWindow())
        for (ui::Label* object :
             {&b->player, &b->gate, &b->secretPassage, &b->goldPickup, &b->hitsPickup,
              &b->foodPickup, &b->serumPickup, &b->quicksand, &b->demon, &b->spider, &b->bat,
              &b->pathPlayer, &b->pathTime, &b->pathGold, &b->pathFood, &b->holes[0]})
            labels.push_back(object);
    return labels;
}

template <class T> int openCount(Game& game) {
    int n = 0;
    for (ui::Window* w : game.scene().windows())
        n += dynamic_cast<T*>(w) != nullptr;
    return n;
}

} // namespace

TEST(SoakTest, ThousandsOfRandomKeysClicksAndTicksNeverBreakTheGame) {
    walkSeed = fromEnvironment("SOAK_SEED", kDefaultSeed);
    const int steps = fromEnvironment("SOAK_STEPS", kDefaultSteps);
    std::fprintf(stderr, "A walk of %d steps from SOAK_SEED=%d\n", steps, walkSeed);
    RecordedGame live;
    const Watching watching(live);
    Game& game = live.game;
    std::mt19937 dice(static_cast<std::mt19937::result_type>(walkSeed));
    const int keyCodes[] = {keys::Left,  keys::Up,   keys::Right,  keys::Down, keys::Left, keys::Up,
                            keys::Right, keys::Down, keys::Escape, 'A',        'B',        'C',
                            'D',         'E',        'F',          'G',        'H',        'K',
                            'L',         'N',        'Q',          'R',        'S',        'T',
                            'W',         'X',        'Z',          '5',        13};
    int boardSteps = 0, shopSteps = 0, pathSteps = 0, finaleSteps = 0, overSteps = 0;
    for (walkStep = 0; walkStep < steps; ++walkStep) {
        // Now and then a name, the restore code, or a leap to the last level for the finale;
        // answers no box asked for are not heaped up.
        if (dice() % 7 == 0) {
            const QString answers[] = {QStringLiteral("Anna"), QStringLiteral("qyx"),
                                       QStringLiteral("vumo")};
            const QString answer = answers[dice() % 3];
            if (live.inner.answers.size() < 4) {
                live.inner.queueAnswer(answer);
                if (answer == QLatin1String("vumo"))
                    live.inner.queueAnswer(QStringLiteral("98"));
            }
        }
        const unsigned action = dice() % 10;
        if (action < 7) {
            live.press(keyCodes[dice() % std::size(keyCodes)]);
        } else if (action < 9) {
            game.advance(static_cast<std::int64_t>(dice() % 3000));
        } else {
            const auto labels = clickable(game);
            game.click(*labels[dice() % labels.size()]);
        }
        const std::pair<const char*, int> windows[] = {{"menus", openCount<MenuWindow>(game)},
                                                       {"boards", openCount<BoardWindow>(game)},
                                                       {"shops", openCount<ShopWindow>(game)},
                                                       {"finales", openCount<FinaleWindow>(game)}};
        for (const auto& [kind, count] : windows)
            if (count > 1)
                FAIL() << count << " " << kind << " at " << keepRecording();
        const BoardWindow* boardWindow = game.boardWindow();
        boardSteps += boardWindow != nullptr;
        shopSteps += game.shop() != nullptr;
        pathSteps += boardWindow && boardWindow->onPath.isSet();
        finaleSteps += game.finale() != nullptr;
        overSteps += boardWindow && boardWindow->gameOver.isSet();
        live.inner.messages.clear();
        live.inner.prompts.clear();
        live.inner.addresses.clear();
    }
    // Replayed, the walk ends where it ended live.
    QString replayed;
    QTextStream out(&replayed);
    EXPECT_EQ(replayHeadless(live.recorder.current(), out), 0)
        << replayed.toStdString() << keepRecording();
    // The usual walk went through every part of the game.
    if (walkSeed != kDefaultSeed || steps != kDefaultSteps)
        return;
    EXPECT_GT(boardSteps, 0);
    EXPECT_GT(shopSteps, 0);
    EXPECT_GT(pathSteps, 0);
    EXPECT_GT(finaleSteps, 0);
    EXPECT_GT(overSteps, 0);
}
