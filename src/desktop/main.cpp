// Vexmoor: the game in a Qt main window, on a clock that runs in real time.
#include "app/signal_catcher.h"
#include "desktop/clock_driver.h"
#include "desktop/desktop_window.h"
#include "desktop/qt_platform.h"
#include "desktop/replay.h"
#include "desktop/window_place.h"
#include "replay/recorder.h"
#include "replay/recording_platform.h"
#include "shell/game.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSettings>
#include <cstdio>
#include <optional>

namespace {

const char* const kNoHome =
    "vexmoor: HOME names no home folder, so this game keeps nothing: no hall of fame, no "
    "recordings, no window place, and no saved game outside the program's own folder.\n";

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// Answers --help and --version, refuses what the game does not know, and says so when there is no
// display to play on: the exit code when the program ends here. Runs before any window exists.
std::optional<int> answerCommandLine(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A keyboard dungeon game drawn with letters. Started with no arguments, it "
                       "opens its window and shows the main menu."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption headless(QStringLiteral("headless"),
                                      QStringLiteral("With --replay: no window, as fast as it can; "
                                                     "says whether the game ended as recorded."));
    parser.addOptions({{QStringLiteral("replay"), QStringLiteral("Plays a recorded game again."),
                        QStringLiteral("file")},
                       {QStringLiteral("speed"), QStringLiteral("With --replay: N times faster."),
                        QStringLiteral("N")},
                       headless});
    const bool understood = parser.parse(QCoreApplication::arguments());
    if (understood && parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    if (understood && parser.isSet(QStringLiteral("help")))
        parser.showHelp();
    QString error = parser.errorText();
    if (understood && !parser.positionalArguments().isEmpty())
        error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments()[0]);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "vexmoor: %s\nTry 'vexmoor --help'.\n", qPrintable(error));
        return 2;
    }
    if (!hasDisplay() && !parser.isSet(headless)) {
        std::fprintf(stderr,
                     "vexmoor: no display (DISPLAY and WAYLAND_DISPLAY are unset).\n"
                     "The game is %s; it needs a graphical session: start it from your desktop.\n",
                     qPrintable(QCoreApplication::applicationFilePath()));
        return 1;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("Vexmoor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VEXMOOR_VERSION));
    if (const std::optional<int> code = answerCommandLine(argc, argv))
        return *code;
    if (wantsReplay(argc, argv))
        return runReplay(argc, argv);

    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vexmoor.Vexmoor"));
    // Only the settings have an organization: the data folder stays ~/.local/share/Vexmoor. With
    // no home, neither is made where it would land, at the filesystem's root.
    std::optional<QSettings> settings;
    if (QtPlatform::hasHome())
        settings.emplace(QStringLiteral("Vexmoor"), QStringLiteral("Vexmoor"));
    else
        std::fputs(kNoHome, stderr);

    // Every game is recorded into the data folder.
    QtPlatform desktop;
    RecordingPlatform platform(desktop);
    Game game(platform);
    const QString data = desktop.dataFolder();
    Recorder recorder(game, platform,
                      data.isEmpty() ? QString() : data + QStringLiteral("/recordings"));
    DesktopWindow window(game);
    ClockDriver driver(game, window);
    desktop.attach(window, driver);
    window.askYesNo = [&desktop](const QString& question) { return desktop.askYesNo(question); };
    // A logout, a closed terminal or Ctrl+C ends the program as X in the menu does, asking
    // nothing: the recording gets its end line as the program closes.
    const SignalCatcher endOnSignal([&desktop](int) { desktop.exitNow(); });

    // The game starts in the area as it is once the window is placed on the screen.
    if (settings)
        placeOnScreen(window, *settings);
    else
        fitOnScreen(window);
    window.show();
    game.start();
    window.sync();
    driver.start();
    const int code = QApplication::exec();
    if (settings)
        rememberPlace(window, *settings);
    return code;
}
