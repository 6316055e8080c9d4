#include "desktop/replay.h"

#include "desktop/desktop_window.h"
#include "replay/headless.h"
#include "replay/player.h"
#include "replay/replay_platform.h"
#include "shell/game.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTextStream>
#include <QTimer>

namespace {

// Keys do not reach a replayed game; Escape stops the playback, and F11 still fills the screen.
class Playback : public QObject {
  public:
    Playback(Player& player, DesktopWindow& window, double speed)
        : player_(player), window_(window), speed_(speed) {
        timer_.setInterval(15);
        connect(&timer_, &QTimer::timeout, this, &Playback::step);
        qApp->installEventFilter(this);
    }
    ~Playback() override { qApp->removeEventFilter(this); }

    void start() {
        // What came before the recorded game is played at once.
        player_.playUntil(player_.gameStart());
        window_.sync();
        elapsed_.start();
        timer_.start();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape)
            stop();
        return key != Qt::Key_F11;
    }

  private:
    void step() {
        const auto played = static_cast<std::int64_t>(elapsed_.elapsed() * speed_);
        player_.playUntil(player_.gameStart() + played);
        window_.sync();
        if (player_.finished())
            stop();
    }

    void stop() {
        if (!timer_.isActive())
            return;
        timer_.stop();
        const QString verdict =
            player_.finished() ? player_.verdict() : QStringLiteral("replay stopped");
        window_.setWindowTitle(window_.windowTitle() + QStringLiteral(" - ") + verdict);
    }

    Player& player_;
    DesktopWindow& window_;
    double speed_;
    QTimer timer_;
    QElapsedTimer elapsed_;
};

int refuse(const QString& message) {
    QTextStream(stderr) << "vexmoor: " << message << '\n';
    return 2;
}

} // namespace

int runReplay(int argc, char* argv[], const ReplayRequest& request) {
    const auto read = recording::read(request.file);
    if (const auto* refusal = std::get_if<QString>(&read))
        return refuse(request.file + QStringLiteral(": ") + *refusal);
    const auto& recorded = std::get<recording::Recording>(read);
    if (request.headless) {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        return replayHeadless(recorded, out);
    }
    QApplication app(argc, argv);
    ReplayPlatform platform(recorded);
    Game game(platform);
    Player player(game, platform, recorded);
    DesktopWindow window(game);
    Playback playback(player, window, request.speed);
    window.show();
    playback.start();
    return QApplication::exec();
}
