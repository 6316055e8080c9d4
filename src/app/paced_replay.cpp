#include "app/paced_replay.h"

#include "replay/player.h"

#include <cstdint>

namespace {

// How often the playback catches up with the time played, in milliseconds.
constexpr int kStepMs = 15;

} // namespace

PacedReplay::PacedReplay(Player& player, double speed, std::function<void()> show)
    : player_(player), speed_(speed), show_(std::move(show)) {
    timer_.setInterval(kStepMs);
    connect(&timer_, &QTimer::timeout, this, &PacedReplay::step);
}

void PacedReplay::start() {
    player_.playUntil(player_.gameStart());
    show_();
    elapsed_.start();
    timer_.start();
}

void PacedReplay::stop() {
    timer_.stop();
}

void PacedReplay::step() {
    const auto played = static_cast<std::int64_t>(static_cast<double>(elapsed_.elapsed()) * speed_);
    player_.playUntil(player_.gameStart() + played);
    show_();
    if (!player_.finished())
        return;
    timer_.stop();
    if (ended)
        ended();
}
