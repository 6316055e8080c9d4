// What a turn, a stretch of time and a repaint cost: the game on a platform with fixed draws, and
// the views under the offscreen platform, at the designed size and filling a 3840 x 2160 screen.
#include "offscreen_notes.h"
#include "seeded_platform.h"

#include "board/board_window.h"
#include "desktop/desktop_window.h"
#include "desktop/window_view.h"
#include "shell/game.h"
#include "ui/keys.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <ctime>

namespace {

// Any key that is not an arrow: a turn where the player waits.
constexpr int kWait = ' ';
// The countdown is set back to this every so often, so that a long run never times out.
const QString kPlentyOfTime = QStringLiteral("120");

// A game started with N in the menu, its level built, on a platform with fixed draws.
struct StartedGame {
    explicit StartedGame(unsigned seed) : platform(seed) {
        game.start();
        game.keyDown('N', 'N');
        game.advance(10);
    }
    BoardWindow& boardWindow() { return *game.boardWindow(); }
    // True when the level is the one the seed was chosen for.
    bool drifts() { return boardWindow().driftOn.isSet() && !boardWindow().closingWallOn.isSet(); }
    bool quiet() {
        BoardWindow& b = boardWindow();
        return !b.driftOn.isSet() && !b.closingWallOn.isSet() && !b.demon.visible() &&
               !b.spider.visible() && !b.bat.visible();
    }

    SeededPlatform platform;
    Game game{platform};
};

// The player waits away from the board's centre, where the gate comes after each turn, so that
// every turn finds the board as the one before left it.
void turnOnAQuietBoard(benchmark::State& state) {
    StartedGame started(kQuietSeed);
    if (!started.quiet())
        state.SkipWithError("the seed gives no quiet level");
    started.boardWindow().player.setLeft(0);
    started.boardWindow().player.setTop(0);
    for (auto _ : state)
        started.game.keyDown(kWait, kWait);
}
BENCHMARK(turnOnAQuietBoard);

// Arrow keys in a random order, from level to level, through fights, falls and path sections; a
// lost game, the shop or quicksand start a new game, which is not counted.
void turnInAPlayedGame(benchmark::State& state) {
    StartedGame started(kQuietSeed);
    Game& game = started.game;
    std::mt19937 keys(kQuietSeed);
    std::uniform_int_distribution<int> arrow(keys::Left, keys::Down);
    for (auto _ : state) {
        BoardWindow* board = game.boardWindow();
        if (!board || board->gameOver.isSet() || game.scene().active() != board ||
            board->stuckInQuicksand.isSet()) {
            state.PauseTiming();
            for (ui::Window* window : game.scene().windows())
                game.close(*window);
            game.scene().collect();
            game.startNewGame();
            game.advance(10);
            state.ResumeTiming();
        }
        game.keyDown(arrow(keys), 0);
    }
}
BENCHMARK(turnInAPlayedGame);

void advanceBy100MsOnADriftingBoard(benchmark::State& state) {
    StartedGame started(kDriftSeed);
    if (!started.drifts())
        state.SkipWithError("the seed gives no drifting level");
    int ticks = 0;
    for (auto _ : state) {
        started.game.advance(100);
        if (++ticks % 1000 == 0)
            started.game.mainWindow().timeLeft.setText(kPlentyOfTime);
    }
}
BENCHMARK(advanceBy100MsOnADriftingBoard);

// A shown main window with the board of a level and the status panel.
struct ShownGame : StartedGame {
    explicit ShownGame(unsigned seed = kQuietSeed) : StartedGame(seed) {
        window.show();
        window.sync();
        while (!window.windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
    }
    DesktopWindow window{game};
};

void repaintTheBoardView(benchmark::State& state) {
    ShownGame shown;
    WindowView* view = shown.window.viewOf(shown.boardWindow());
    for (auto _ : state)
        view->repaint();
}
BENCHMARK(repaintTheBoardView);

void repaintTheStatusPanel(benchmark::State& state) {
    ShownGame shown;
    for (auto _ : state)
        shown.window.panel().repaint();
}
BENCHMARK(repaintTheStatusPanel);

// The whole board view or the whole status panel repainted with the game filling a 3840 x 2160
// screen: each stays under 4 ms of processor time (other programs on a busy machine do not count),
// or the figure is marked as an error.
void repaintFillingA4kScreen(benchmark::State& state, bool panel) {
    ShownGame shown;
    shown.window.showFullScreen();
    while (shown.window.size() != QSize(3840, 2160))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    QWidget& widget = panel ? static_cast<QWidget&>(shown.window.panel())
                            : *shown.window.viewOf(shown.boardWindow());
    const std::clock_t start = std::clock();
    for (auto _ : state)
        widget.repaint();
    const double ms = 1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC / state.iterations();
    state.counters["zoom"] = shown.window.stage().zoom.factor();
    if (ms >= 4)
        state.SkipWithError(qPrintable(QStringLiteral("%1 ms, not under 4 ms").arg(ms)));
}
BENCHMARK_CAPTURE(repaintFillingA4kScreen, boardView, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(repaintFillingA4kScreen, statusPanel, true)->Unit(benchmark::kMillisecond);

// A drift step as the player sees it: the tick, and the repaint it asks for.
void driftOnTheScreen(benchmark::State& state) {
    ShownGame shown(kDriftSeed);
    int ticks = 0;
    for (auto _ : state) {
        shown.window.advance(100);
        QCoreApplication::sendPostedEvents(); // the repaint
        if (++ticks % 1000 == 0)
            shown.game.mainWindow().timeLeft.setText(kPlentyOfTime);
    }
}
BENCHMARK(driftOnTheScreen);

// The offscreen platform with one 3840 x 2160 screen.
QByteArray offscreenWithA4kScreen() {
    const QString config = QDir::temp().filePath(QStringLiteral("vexmoor-bench-screen.json"));
    QFile file(config);
    if (file.open(QIODevice::WriteOnly))
        file.write(R"({"screens": [{"name": "4k", "x": 0, "y": 0, "width": 3840, "height": 2160,
                       "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    return "offscreen:configfile=" + config.toLocal8Bit();
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", offscreenWithA4kScreen());
    hideOffscreenSizeNotes();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
