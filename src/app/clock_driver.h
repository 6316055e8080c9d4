#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>

class Game;
class GameHost;

// Runs the game clock in real time: each wake-up advances it by exactly the real time that
// passed since the one before (the part below a millisecond is carried over, so no time is lost),
// and sleeps until the next tick falls due, however far away; with no timer running it sleeps
// until a key, a click or a timer that starts. While a dialog is open or the game is hidden
// (a minimized window) the clock stands still, and that time does not count; a window merely
// covered keeps playing. Every front end drives its game with one.
class ClockDriver : public QObject {
    Q_OBJECT

  public:
    // Real time in nanoseconds from any fixed origin.
    using Source = std::function<std::int64_t()>;

    ClockDriver(Game& game, GameHost& host, Source source = {});
    ~ClockDriver() override;

    // Starts counting real time from now.
    void start();
    // Catches the game clock up with real time now and plans the next wake-up.
    void wake();
    // Around a modal dialog; calls may nest.
    void suspend();
    void resume();

    // How long the driver sleeps from its last wake-up, in milliseconds; nothing while it waits
    // for a key, a click or a timer to start.
    std::optional<int> plannedSleep() const;

  private:
    bool catchUp();
    void schedule();
    void timerChanging();

    Game& game_;
    GameHost& host_;
    QElapsedTimer elapsed_;
    Source source_;
    QTimer timer_;
    std::int64_t last_ = 0;  // real time of the last catch-up
    std::int64_t carry_ = 0; // real time not yet handed to the game clock
    int suspended_ = 0;
};
