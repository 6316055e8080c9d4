#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

class Player;

// A recording played again at its own pace, or N times faster, for a front end to show: what came
// before the recorded game at once, then each input as its time comes, the front end shown after
// every step. No input of the player's reaches the game meanwhile.
class PacedReplay : public QObject {
  public:
    PacedReplay(Player& player, double speed, std::function<void()> show);

    void start();
    // Stops where the game stands.
    void stop();
    bool running() const { return timer_.isActive(); }

    // Once the recording has played to its end (not after stop).
    std::function<void()> ended;

  private:
    void step();

    Player& player_;
    double speed_;
    std::function<void()> show_;
    QTimer timer_;
    QElapsedTimer elapsed_;
};
