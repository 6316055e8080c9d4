#include "web/web_replay.h"

#include "app/paced_replay.h"
#include "replay/headless.h"
#include "replay/player.h"
#include "replay/replay_platform.h"
#include "shell/game.h"
#include "web/input_reader.h"
#include "web/web_view.h"

#include <QCoreApplication>
#include <QTextStream>
#include <unistd.h>

int playRecording(const ReplayRequest& request, Outbox& out) {
    const auto read = recording::read(request.file);
    if (const auto* refusal = std::get_if<QString>(&read)) {
        QTextStream(stderr) << "vexmoor-web: " << request.file << ": " << *refusal << '\n';
        return 2;
    }
    const auto& recorded = std::get<recording::Recording>(read);
    if (request.headless) {
        QTextStream verdict(stdout);
        return replayHeadless(recorded, verdict);
    }
    ReplayPlatform platform(recorded);
    Game game(platform);
    Player player(game, platform, recorded);
    WebView view(game, out);
    PacedReplay paced(player, request.speed, [&view] { view.sync(); });
    paced.ended = [&view] {
        view.snapshot();
        view.end();
    };
    // Only a page that comes and the end are heard: the recording plays what was played.
    const InputReader input(STDIN_FILENO, {{},
                                           [&view](const QJsonObject& message) {
                                               const QString type =
                                                   message.value(QLatin1String("t")).toString();
                                               if (type == QLatin1String("snapshot"))
                                                   view.snapshot();
                                               else if (type == QLatin1String("end"))
                                                   view.end();
                                           },
                                           {},
                                           [&view] { view.end(); }});
    paced.start();
    return QCoreApplication::exec();
}
