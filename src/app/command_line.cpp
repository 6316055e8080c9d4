#include "app/command_line.h"

#include "ui/game_seed.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <cmath>
#include <cstdio>

namespace {

// Faster than this, a game of an hour would be over before its window is drawn.
constexpr double kFastestReplay = 1000;

const QString kReplayUsage = QStringLiteral("--replay FILE [--speed N] [--headless]");

// The replay the options ask for, or why they cannot be understood.
std::variant<std::optional<ReplayRequest>, QString> replayOf(const QCommandLineParser& parser) {
    const bool replay = parser.isSet(QStringLiteral("replay"));
    if (!replay &&
        (parser.isSet(QStringLiteral("speed")) || parser.isSet(QStringLiteral("headless"))))
        return QStringLiteral("--speed and --headless go with a replay: ") + kReplayUsage;
    if (!replay)
        return std::nullopt;
    ReplayRequest request{parser.value(QStringLiteral("replay")), 1,
                          parser.isSet(QStringLiteral("headless"))};
    if (request.file.isEmpty())
        return QStringLiteral("--replay needs the recording's file: ") + kReplayUsage;
    if (parser.isSet(QStringLiteral("speed"))) {
        bool number = false;
        request.speed = parser.value(QStringLiteral("speed")).toDouble(&number);
        if (!number || !(request.speed > 0 && request.speed <= kFastestReplay))
            return QStringLiteral("--speed takes a number above 0, up to %1.").arg(kFastestReplay);
    }
    return request;
}

// The seed --seed, --daily or --challenge asks for, none, or why it cannot be had.
std::variant<std::optional<ui::GameSeed>, QString> seedOf(const QCommandLineParser& parser,
                                                          bool replay) {
    // A program without --challenge never sees it given.
    const bool challenge = parser.optionNames().contains(QStringLiteral("challenge"));
    const int asked = int(parser.isSet(QStringLiteral("seed"))) +
                      int(parser.isSet(QStringLiteral("daily"))) + int(challenge);
    if (asked > 0 && replay)
        return QStringLiteral("--seed and --daily go with a new game; a replay plays the "
                              "recording's seed.");
    if (asked > 1)
        return challenge ? QStringLiteral("--seed, --daily and --challenge each name the seed: "
                                          "give one.")
                         : QStringLiteral("--seed and --daily each name the seed: give one.");
    const QDate today = QDateTime::currentDateTimeUtc().date();
    if (parser.isSet(QStringLiteral("daily")))
        return ui::dailyChallenge(today);
    if (asked == 0)
        return std::nullopt;
    const QString option = challenge ? QStringLiteral("challenge") : QStringLiteral("seed");
    const auto value = ui::seedFromText(parser.value(option));
    if (!value)
        return QStringLiteral("--%1 takes a whole number from 0 to 4294967295.").arg(option);
    return ui::GameSeed{*value, {}, challenge ? today.toString(Qt::ISODate) : QString()};
}

} // namespace

std::variant<Request, int> readCommandLine(int argc, char* argv[], const CommandLine& program) {
    QCoreApplication::setApplicationName(QStringLiteral("Vexmoor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VEXMOOR_VERSION));
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(program.description);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions(
        {{QStringLiteral("seed"),
          QStringLiteral(
              "Every new game begins from seed N (0 to 4294967295): the same seed and the "
              "same keys give the same dungeon."),
          QStringLiteral("N")},
         {QStringLiteral("daily"),
          QStringLiteral("Plays the daily challenge: the day's seed (UTC), the same for everyone "
                         "on that day.")}});
    if (program.challenge)
        parser.addOption({QStringLiteral("challenge"),
                          QStringLiteral("The first new game plays the server's daily challenge "
                                         "from seed N, which the player is not shown."),
                          QStringLiteral("N")});
    if (program.replays)
        parser.addOptions(
            {{QStringLiteral("replay"), QStringLiteral("Plays a recorded game again."),
              QStringLiteral("file")},
             {QStringLiteral("speed"), QStringLiteral("With --replay: N times faster."),
              QStringLiteral("N")},
             {QStringLiteral("headless"),
              QStringLiteral("With --replay: no window, as fast as it can; says whether the game "
                             "ended as recorded.")}});
    if (program.dataFolder)
        parser.addOption({QStringLiteral("data"),
                          QStringLiteral("The folder of the player's files: the saved game, the "
                                         "recordings."),
                          QStringLiteral("folder")});
    const bool understood = parser.parse(QCoreApplication::arguments());
    if (understood && parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    if (understood && parser.isSet(QStringLiteral("help")))
        parser.showHelp();
    QString error = parser.errorText();
    Request request;
    if (understood && !parser.positionalArguments().isEmpty())
        error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments()[0]);
    else if (understood && program.replays) {
        auto replay = replayOf(parser);
        if (const QString* wrong = std::get_if<QString>(&replay))
            error = *wrong;
        else
            request.replay = std::get<std::optional<ReplayRequest>>(std::move(replay));
    }
    if (error.isEmpty() && understood) {
        auto seed = seedOf(parser, request.replay.has_value());
        if (const QString* wrong = std::get_if<QString>(&seed))
            error = *wrong;
        else
            request.seed = std::get<std::optional<ui::GameSeed>>(seed);
        request.challenge = parser.optionNames().contains(QStringLiteral("challenge"));
    }
    if (error.isEmpty() && understood && program.dataFolder) {
        request.dataFolder = parser.value(QStringLiteral("data"));
        if (request.dataFolder.isEmpty() && !request.replay)
            error = QStringLiteral("--data FOLDER names the player's folder, or --replay FILE a "
                                   "recording to play.");
    }
    if (error.isEmpty())
        return request;
    const QByteArray name =
        QFileInfo(QCoreApplication::arguments().value(0)).fileName().toLocal8Bit();
    std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", name.constData(), qPrintable(error),
                 name.constData());
    return 2;
}
