// What a key costs in a path section whose trail has grown long, with the window shown and
// repainted, and what wiping such a trail costs: the seventh section's wipe and a new game's. Ends
// with one summary line.
#include "offscreen_notes.h"
#include "seeded_platform.h"

#include "board/board_window.h"
#include "desktop/desktop_window.h"
#include "shell/game.h"
#include "ui/keys.h"

#include <QApplication>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>
#include <map>
#include <random>

namespace {

// The processor time of this thread: other programs running beside it do not count.
double processorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// A shown game in a path section with no holes to fall into and its exit out of reach, walked by
// arrow keys in a random order; every key lays a trail mark.
struct Walk {
    Walk() {
        game.start();
        game.keyDown('N', 'N');
        game.advance(10);
        BoardWindow& b = *game.boardWindow();
        for (ui::Label* monster : {&b.demon, &b.spider, &b.bat})
            monster->setVisible(false);
        b.buildPath();
        b.boardFromPath.setText(QStringLiteral("1"));
        b.board.setRect({1e7, 1e7, 3500, 2500});
        for (int i = 0; i < b.holes.count(); ++i)
            if (b.holes.isLoaded(i))
                b.holes[i].setVisible(false);
        window.show();
        window.sync();
        while (!window.windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
    }
    int arrow() { return std::uniform_int_distribution<int>(keys::Left, keys::Down)(keys_); }
    // Keys in the game alone, then one repaint of what they changed.
    void layMarks(int marks) {
        for (int i = 0; i < marks; ++i)
            game.keyDown(arrow(), 0);
        window.sync();
        QCoreApplication::sendPostedEvents();
    }
    // A key as the player sees it: the turn, and the repaint it asks for.
    void key() {
        window.keyDown(arrow(), 0);
        QCoreApplication::sendPostedEvents();
    }

    SeededPlatform platform{kQuietSeed};
    Game game{platform};
    DesktopWindow window{game};
    std::mt19937 keys_{kQuietSeed};
};

void keyAfterTrailMarks(benchmark::State& state) {
    Walk walk;
    walk.layMarks(static_cast<int>(state.range(0)));
    double slowest = 0;
    for (auto _ : state) {
        const double start = processorSeconds();
        walk.key();
        slowest = std::max(slowest, processorSeconds() - start);
    }
    state.counters["slowest_ms"] = slowest * 1e3;
}
BENCHMARK(keyAfterTrailMarks)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The seventh path section wipes the trail of the six before.
void seventhSectionWipes(benchmark::State& state) {
    Walk walk;
    BoardWindow& b = *walk.game.boardWindow();
    for (auto _ : state) {
        state.PauseTiming();
        walk.layMarks(static_cast<int>(state.range(0)));
        b.pathSections.setText(QStringLiteral("6"));
        state.ResumeTiming();
        b.buildPath();
    }
}
BENCHMARK(seventhSectionWipes)->Arg(100000)->Iterations(3)->Unit(benchmark::kMillisecond);

// A new game closes the board window and its trail with it.
void newGameWipes(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Walk walk;
        walk.layMarks(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        walk.game.startNewGame();
        walk.window.sync();
        QCoreApplication::sendPostedEvents();
    }
}
BENCHMARK(newGameWipes)->Arg(100000)->Iterations(3)->Unit(benchmark::kMillisecond);

// The console's table, and the figures kept for the summary line: processor times in
// milliseconds, as the machine may be busy with other work.
class Summary : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const double ms =
                run.GetAdjustedCPUTime() * (run.time_unit == benchmark::kMillisecond ? 1.0 : 1e-6);
            times[run.benchmark_name()] = ms;
            if (const auto slowest = run.counters.find("slowest_ms"); slowest != run.counters.end())
                worst = std::max(worst, static_cast<double>(slowest->second));
        }
    }
    std::map<std::string, double> times;
    double worst = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    hideOffscreenSizeNotes();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Summary summary;
    benchmark::RunSpecifiedBenchmarks(&summary);
    benchmark::Shutdown();
    auto& t = summary.times;
    const double few = t["keyAfterTrailMarks/1000"], many = t["keyAfterTrailMarks/100000"];
    std::printf("trail (processor time): a shown key at 10^3 / 10^4 / 10^5 marks %.3f / %.3f / "
                "%.3f ms (10^5 is %.2fx 10^3), slowest key %.2f ms; wiping 10^5 marks %.1f ms "
                "(seventh section), %.1f ms (new game)\n",
                few, t["keyAfterTrailMarks/10000"], many, few > 0 ? many / few : 0.0, summary.worst,
                t["seventhSectionWipes/100000/iterations:3"],
                t["newGameWipes/100000/iterations:3"]);
    return 0;
}
