// The game as shipped, brought into a state to be measured at rest: "menu", "quiet" (a level with
// neither moving wall), "countdown" (that level with its wall timers stopped, so only the
// countdown runs) or "drift" (a drifting level). Its draws follow a fixed seed; it prints "ready"
// once there.
#include "seeded_platform.h"

#include "app/clock_driver.h"
#include "board/board_window.h"
#include "desktop/desktop_window.h"
#include "desktop/qt_platform.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace {

// The desktop platform, but with draws from a fixed seed: its own draws and reseeds from the time
// of day still run, as in the game, only to no effect on the draws the game gets.
class SeededDesktop : public QtPlatform {
  public:
    explicit SeededDesktop(unsigned seed) : draws_(seed) {}
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& proposed) override {
        return draws_.inputBox(prompt, title, proposed);
    }
    double random() override {
        QtPlatform::random();
        return draws_.random();
    }

  private:
    SeededPlatform draws_;
};

// True when the game is in the state asked for.
bool reached(Game& game, const QString& state) {
    if (state == QLatin1String("menu"))
        return game.menu() != nullptr;
    const BoardWindow* board = game.boardWindow();
    if (!board)
        return false;
    const bool drifts = board->driftOn.isSet(), closes = board->closingWallOn.isSet();
    return !closes && drifts == (state == QLatin1String("drift"));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString state = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("menu");

    SeededDesktop platform(state == QLatin1String("drift") ? kDriftSeed : kQuietSeed);
    Game game(platform);
    DesktopWindow window(game);
    ClockDriver driver(game, window);
    platform.attach(window, driver);
    game.start();
    window.show();
    driver.start();

    QTimer::singleShot(100, [&] {
        if (state != QLatin1String("menu"))
            window.keyDown('N', 'N');
    });
    QTimer::singleShot(600, [&] {
        if (!reached(game, state)) {
            std::puts("not there");
            QCoreApplication::exit(1);
            return;
        }
        if (state == QLatin1String("countdown")) {
            game.boardWindow()->closingWall.setEnabled(false);
            game.boardWindow()->drift.setEnabled(false);
        }
        std::puts("ready");
        std::fflush(stdout);
    });
    return QApplication::exec();
}
