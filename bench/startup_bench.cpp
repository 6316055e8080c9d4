// How long the game takes from the start of its process to the first painted main menu, against a
// reference program that shows one line of text in a main window: runs in pairs, medians, under the
// offscreen platform and, when a display is set, under X11.
#include "child_process.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kPairs = 15;

// Milliseconds from spawning a program to its first paint; nothing when it never painted.
double startUp(const std::string& program, const std::string& platform) {
    const long long started = monotonicNs();
    ChildProcess child(programFolder() + "/" + program, {}, "QT_QPA_PLATFORM=" + platform);
    const std::string painted = child.readLine();
    return painted.empty() ? -1 : (std::stoll(painted) - started) / 1e6;
}

void measure(const std::string& platform) {
    // Once each first, so that both find the libraries and fonts in the page cache.
    if (startUp("startup_game", platform) < 0 || startUp("reference_window", platform) < 0) {
        std::printf("start-up (%s): the programs did not paint\n", platform.c_str());
        return;
    }
    std::vector<double> game, reference, ratios;
    for (int i = 0; i < kPairs; ++i) {
        // Each goes first in every other pair.
        const bool gameFirst = i % 2 == 0;
        const double first = startUp(gameFirst ? "startup_game" : "reference_window", platform);
        const double second = startUp(gameFirst ? "reference_window" : "startup_game", platform);
        game.push_back(gameFirst ? first : second);
        reference.push_back(gameFirst ? second : first);
        ratios.push_back(game.back() / reference.back());
    }
    std::printf("start-up to the first painted menu (%s): %.1f ms, reference %.1f ms, ratio %.2f "
                "(medians of %d pairs)\n",
                platform.c_str(), median(game), median(reference), median(ratios), kPairs);
}

} // namespace

int main() {
    return measureOnEachPlatform("start-up", measure);
}
