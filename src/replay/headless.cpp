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
    const auto fault = player.fault();
    out << (fault ? *fault : QStringLiteral("replay matches")) << '\n';
    return fault ? 1 : 0;
}
