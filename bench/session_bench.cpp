// One long session as a player has it: a million keys in one process, a quarter of a second
// apart, from game to game, with the recorder writing every game to a temporary folder. Prints
// one line: the memory after 10^4 and 10^6 keys and the slowest key, against the goals (memory
// within 5 MB, no key over 5 ms).
#include "seeded_platform.h"

#include "board/board_window.h"
#include "replay/recorder.h"
#include "replay/recording_platform.h"
#include "shell/game.h"
#include "shell/menu_window.h"
#include "shop/shop_window.h"
#include "ui/keys.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <unistd.h>

namespace {

// The resident set in megabytes.
double residentMegabytes() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

// An arrow on the board; once the game is lost, or another window is in front, the shop and a
// new game from it (or from the menu).
int nextKey(Game& game, std::mt19937& dice) {
    const BoardWindow* board = game.boardWindow();
    const ui::Window* front = game.scene().active();
    if (front && (front == game.menu() || front == game.shop()))
        return 'N';
    if (!board || board->gameOver.isSet() || game.scene().active() != board)
        return keys::Escape;
    return keys::Left + static_cast<int>(dice() % 4);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    constexpr int kKeys = 1'000'000, kEarly = 10'000;
    QTemporaryDir folder;
    SeededPlatform seeded(kQuietSeed);
    RecordingPlatform platform(seeded);
    Game game(platform);
    Recorder recorder(game, platform, folder.path());
    std::mt19937 dice(kQuietSeed);
    game.start();
    double early = 0, slowest = 0;
    for (int key = 1; key <= kKeys; ++key) {
        const int code = nextKey(game, dice);
        const auto before = std::chrono::steady_clock::now();
        game.keyDown(code, code == keys::Escape || code == 'N' ? code : 0);
        game.advance(250);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - before;
        slowest = std::max(slowest, took.count());
        if (key == kEarly)
            early = residentMegabytes();
    }
    const double late = residentMegabytes();
    const bool met = late - early <= 5 && slowest <= 5;
    std::printf("session of %d keys, recorded: RSS %.1f MB after 10^4 keys, %.1f MB after 10^6 "
                "(%+.1f MB), slowest key %.2f ms: %s\n",
                kKeys, early, late, late - early, slowest,
                met ? "goals met" : "goals missed (5 MB, 5 ms)");
    return 0;
}
