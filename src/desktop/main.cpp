// Vexmoor: the game in a Qt main window, on a clock that runs in real time.
#include "desktop/clock_driver.h"
#include "desktop/desktop_window.h"
#include "desktop/qt_platform.h"
#include "shell/game.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vexmoor"));

    QtPlatform platform;
    Game game(platform);
    DesktopWindow window(game);
    ClockDriver driver(game, window);
    platform.attach(window, driver);

    game.start();
    window.show();
    driver.start();
    return QApplication::exec();
}
