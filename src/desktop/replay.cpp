#include "desktop/replay.h"

#include "app/paced_replay.h"
#include "desktop/desktop_window.h"
#include "replay/headless.h"
#include "replay/player.h"
#include "replay/replay_platform.h"
#include "shell/game.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextStream>

namespace {

// Keys do not reach a replayed game; Escape stops the playback, and F11 still fills the screen.
class Playback : public QObject {
  public:
    Playback(Player& player, DesktopWindow& window, double speed)
        : player_(player), window_(window), paced_(player, speed, [&window] { window.sync(); }) {
        paced_.ended = [this] { showVerdict(); };
        qApp->installEventFilter(this);
    }
    ~Playback() override { qApp->removeEventFilter(this); }

    void start() { paced_.start(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape && paced_.running()) {
            paced_.stop();
            showVerdict();
        }
        return key != Qt::Key_F11;
    }

  private:
    void showVerdict() {
        const QString verdict =
            player_.finished() ? player_.verdict() : QStringLiteral("replay stopped");
        window_.setWindowTitle(window_.windowTitle() + QStringLiteral(" - ") + verdict);
    }

    Player& player_;
    DesktopWindow& window_;
    PacedReplay paced_;
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
