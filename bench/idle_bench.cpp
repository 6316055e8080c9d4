// How often the game wakes up and how much processor it takes while the player does nothing: in
// the main menu, on a quiet level, on a level where only the countdown runs and on a drifting
// level, under the offscreen platform and, when a display is set, under X11.
#include "child_process.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

constexpr double kSeconds = 4;

void measure(const std::string& platform, const std::string& state, const char* where) {
    ChildProcess child(programFolder() + "/bench_game", {state}, "QT_QPA_PLATFORM=" + platform);
    if (child.readLine() != "ready") {
        std::printf("idle (%s) %s: the game did not get there\n", platform.c_str(), where);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const Usage before = usageOf(child.pid());
    std::this_thread::sleep_for(std::chrono::duration<double>(kSeconds));
    const Usage after = usageOf(child.pid());
    std::printf("idle (%s) %s: %.1f wake-ups/s, %.2f %% CPU\n", platform.c_str(), where,
                (after.wakeUps - before.wakeUps) / kSeconds,
                (after.cpuNs - before.cpuNs) / (kSeconds * 1e9) * 100);
}

void measure(const std::string& platform) {
    measure(platform, "menu", "in the main menu");
    measure(platform, "quiet", "on a quiet level");
    measure(platform, "countdown", "on a level with only the countdown");
    measure(platform, "drift", "on a drifting level");
}

} // namespace

int main() {
    return measureOnEachPlatform("idle", measure);
}
