// The terminal game on a pseudo-terminal of 100 x 40: how often it wakes up at rest in the main
// menu, and how long a key on the board takes to reach the screen (one frame is 16.7 ms).
#include "child_process.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr double kSeconds = 4;
constexpr int kKeys = 20;
constexpr double kFrameMs = 1000.0 / 60;

// The terminal game on the master side of a pseudo-terminal, with a home of its own, so that
// its recordings and hall of fame go nowhere that matters.
class Terminal {
  public:
    explicit Terminal(const std::string& program) {
        char home[] = "/tmp/vexmoor-bench-XXXXXX";
        home_ = mkdtemp(home) ? home : "";
        winsize size{40, 100, 0, 0};
        pid_ = forkpty(&master_, nullptr, nullptr, &size);
        if (pid_ == 0) {
            if (!home_.empty())
                setenv("HOME", home_.c_str(), 1);
            setenv("TERM", "xterm-256color", 1);
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
            execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~Terminal() {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        close(master_);
        if (!home_.empty())
            std::filesystem::remove_all(home_);
    }

    pid_t pid() const { return pid_; }
    void type(const std::string& keys) const {
        if (write(master_, keys.data(), keys.size()) < 0)
            std::perror("write");
    }
    // Nanoseconds until the screen shows something, or nothing within the limit.
    long long untilOutput(int limitMs) const {
        const long long started = monotonicNs();
        pollfd output{master_, POLLIN, 0};
        if (poll(&output, 1, limitMs) <= 0)
            return -1;
        return monotonicNs() - started;
    }
    // Reads what the game draws until it has been quiet for a while.
    void settle(int quietMs) const {
        char drawn[4096];
        while (untilOutput(quietMs) >= 0)
            if (read(master_, drawn, sizeof drawn) <= 0)
                return;
    }

  private:
    std::string home_;
    pid_t pid_ = -1;
    int master_ = -1;
};

} // namespace

int main() {
    Terminal game(programFolder() + "/../vexmoor-terminal");
    game.settle(1000);
    const Usage before = usageOf(game.pid());
    std::this_thread::sleep_for(std::chrono::duration<double>(kSeconds));
    const Usage after = usageOf(game.pid());
    std::printf("terminal: idle in the main menu: %.1f wake-ups/s, %.2f %% CPU\n",
                (after.wakeUps - before.wakeUps) / kSeconds,
                (after.cpuNs - before.cpuNs) / (kSeconds * 1e9) * 100);

    game.type("N");
    game.settle(300);
    game.type("Bench\r");
    game.settle(500);
    std::vector<double> latencies;
    for (int i = 0; i < kKeys; ++i) {
        game.settle(150);
        game.type(i % 2 ? "\033OD" : "\033OC"); // right and left, so the player stays on the board
        if (const long long ns = game.untilOutput(200); ns >= 0)
            latencies.push_back(ns / 1e6);
    }
    if (latencies.empty()) {
        std::puts("terminal: no key on the board reached the screen");
        return 1;
    }
    const double slowest = *std::max_element(latencies.begin(), latencies.end());
    std::printf("terminal: a key on the board to the screen: median %.1f ms, slowest %.1f ms "
                "(%zu of %d keys drew; one frame is %.1f ms)\n",
                median(latencies), slowest, latencies.size(), kKeys, kFrameMs);
    return 0;
}
