// Vexmoor: the game in a Qt main window, on a clock that runs in real time.
#include "desktop/clock_driver.h"
#include "desktop/desktop_window.h"
#include "desktop/qt_platform.h"
#include "desktop/replay.h"
#include "replay/recorder.h"
#include "replay/recording_platform.h"
#include "shell/game.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    if (wantsReplay(argc, argv))
        return runReplay(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vexmoor"));

    // Every game is recorded into the data folder.
    QtPlatform desktop;
    RecordingPlatform platform(desktop);
    Game game(platform);
    Recorder recorder(game, platform, desktop.dataFolder() + QStringLiteral("/recordings"));
    DesktopWindow window(game);
    ClockDriver driver(game, window);
    desktop.attach(window, driver);

    game.start();
    window.show();
    driver.start();
    return QApplication::exec();
}
