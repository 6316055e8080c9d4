// Vexmoor: the game in a Qt main window, on a clock that runs in real time.
#include "shell/game.h"
#include "ui/qt/clockdriver.h"
#include "ui/qt/mainwindow.h"
#include "ui/qt/qtplatform.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vexmoor"));

    QtPlatform platform;
    Game game(platform);
    MainWindow window(game);
    ClockDriver driver(game, window);
    platform.attach(window, driver);

    game.start();
    window.show();
    driver.start();
    return QApplication::exec();
}
