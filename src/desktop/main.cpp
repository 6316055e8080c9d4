// Vexmoor: the game in a Qt main window, on a clock that runs in real time.
#include "app/clock_driver.h"
#include "app/command_line.h"
#include "app/recorded_session.h"
#include "app/signal_catcher.h"
#include "desktop/desktop_window.h"
#include "desktop/qt_platform.h"
#include "desktop/replay.h"
#include "desktop/window_place.h"

#include <QApplication>
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

// Where to play when there is no display to play on.
int noDisplay() {
    std::fprintf(stderr,
                 "vexmoor: no display (DISPLAY and WAYLAND_DISPLAY are unset).\n"
                 "The game is %s; it needs a graphical session: start it from your desktop.\n"
                 "To play in this terminal (over SSH too), run %s/vexmoor-terminal.\n",
                 qPrintable(QCoreApplication::applicationFilePath()),
                 qPrintable(QCoreApplication::applicationDirPath()));
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    const auto read = readCommandLine(
        argc, argv,
        {QStringLiteral("A keyboard dungeon game drawn with letters. Started with no arguments, it "
                        "opens its window and shows the main menu."),
         true});
    if (const int* code = std::get_if<int>(&read))
        return *code;
    const Request& request = std::get<Request>(read);
    const std::optional<ReplayRequest>& replay = request.replay;
    if (!hasDisplay() && !(replay && replay->headless)) {
        QCoreApplication app(argc, argv);
        return noDisplay();
    }
    if (replay)
        return runReplay(argc, argv, *replay);

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
    RecordedSession session(desktop, request.seed);
    Game& game = session.game;
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
