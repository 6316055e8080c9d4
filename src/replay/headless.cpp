#include "replay/headless.h"

#include "replay/player.h"
#include "replay/replay_platform.h"
#include "shell/game.h"

#include <QTextStream>

int replayHeadless(const recording::Recording& recording, QTextStream& out) {
    ReplayPlatform platform(recording);
    Game game(platform);
    Player player(game, platform, recording);
    player.playToEnd();
    for (const auto& [name, value] : recording::endStateOf(game.mainWindow()))
        out << name << ": " << value << '\n';
    out << player.verdict() << '\n';
    return player.exitCode();
}
