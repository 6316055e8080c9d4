// vexmoor-web: the game process of the browser's game. The server starts one for each game and
// speaks with it in lines of JSON on its standard input and output: the game on a clock that runs
// in real time, its scene as data, the keys, clicks and answers of the page. Or a recording played
// back as a stream of scenes.
#include "app/clock_driver.h"
#include "app/command_line.h"
#include "app/recorded_session.h"
#include "app/signal_catcher.h"
#include "web/input_reader.h"
#include "web/outbox.h"
#include "web/relayed_fame.h"
#include "web/web_platform.h"
#include "web/web_replay.h"
#include "web/web_view.h"

#include <QCoreApplication>
#include <QDir>
#include <csignal>
#include <unistd.h>

namespace {

// How long a game that ends waits for the server to enter it in the hall of fame.
constexpr std::chrono::seconds kFamePatience{5};

int play(const Request& request, Outbox& out) {
    QDir().mkpath(request.dataFolder);
    WebPlatform web(QDir(request.dataFolder).absolutePath());
    RecordedSession session(web, request.seed, request.challenge);
    auto fame = std::make_unique<RelayedFame>(out, kFamePatience);
    RelayedFame& relayed = *fame;
    session.game.setFameTable(std::move(fame));
    WebView view(session.game, out);
    ClockDriver driver(session.game, view);
    web.attach(view, driver);
    view.askYesNo = [&web](const QString& question) { return web.askYesNo(question); };
    // SIGTERM, SIGHUP and SIGINT end the game as "end" does: the recording gets its end line.
    const SignalCatcher endOnSignal([&view](int) { view.end(); });
    // The hall of fame's replies are taken on the reading thread, as the game's thread may be
    // waiting for one; the end of the input ends the game as "end" does, after what came before.
    const InputReader input(
        STDIN_FILENO, {[&relayed](const QJsonObject& message) { return relayed.take(message); },
                       [&view](const QJsonObject& message) { view.take(message); },
                       [&relayed] { relayed.serverGone(); },
                       [&view] {
                           view.take({{QLatin1String("t"), QStringLiteral("end")}});
                       }});
    view.start();
    driver.start();
    const int code = QCoreApplication::exec();
    // A game that has just ended is entered before the program goes, while replies are read.
    session.game.hallOfFame().latest();
    return code;
}

} // namespace

int main(int argc, char* argv[]) {
    const auto read = readCommandLine(
        argc, argv,
        {QStringLiteral("The game process of Vexmoor in a browser: started by vexmoor-server, it "
                        "plays one game in the player's folder, speaking JSON lines on its "
                        "standard input and output."),
         true, true, true});
    if (const int* code = std::get_if<int>(&read))
        return *code;
    const Request& request = std::get<Request>(read);
    QCoreApplication app(argc, argv);
    // A server that is gone ends the game through the input's end, not a signal.
    std::signal(SIGPIPE, SIG_IGN);
    Outbox out(Outbox::standardOutput());
    if (request.replay)
        return playRecording(*request.replay, out);
    return play(request, out);
}
