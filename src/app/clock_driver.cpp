#include "app/clock_driver.h"

#include "app/game_host.h"
#include "shell/game.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::int64_t kNanosPerMs = 1'000'000;
// How often the driver looks whether a dialog it was not told of has closed.
constexpr int kDialogPollMs = 50;

} // namespace

ClockDriver::ClockDriver(Game& game, GameHost& host, Source source)
    : game_(game), host_(host), source_(std::move(source)) {
    elapsed_.start();
    if (!source_)
        source_ = [this] { return elapsed_.nsecsElapsed(); };
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &ClockDriver::wake);
    // Ticks that fell due run before a key or click, and a key may start a timer.
    host_.inputArriving = [this] { wake(); };
    host_.inputDelivered = [this] { schedule(); };
    host_.hiddenChanged = [this](bool hidden) { hidden ? suspend() : resume(); };
    game_.clock().beforeTimerChange = [this] { timerChanging(); };
}

ClockDriver::~ClockDriver() {
    game_.clock().beforeTimerChange = nullptr;
    host_.inputArriving = nullptr;
    host_.inputDelivered = nullptr;
    host_.hiddenChanged = nullptr;
}

void ClockDriver::start() {
    last_ = source_();
    carry_ = 0;
    schedule();
}

void ClockDriver::wake() {
    if (catchUp())
        schedule();
    else if (suspended_ == 0 && !host_.stopped())
        // Nothing tells when a dialog the driver was not told of closes.
        timer_.start(kDialogPollMs);
}

bool ClockDriver::catchUp() {
    if (host_.stopped())
        return false;
    const std::int64_t now = source_();
    if (suspended_ > 0 || host_.busy() || host_.dialogOpen()) {
        // A dialog is open: its time does not count.
        last_ = now;
        return false;
    }
    carry_ += now - last_;
    last_ = now;
    const std::int64_t ms = carry_ / kNanosPerMs;
    carry_ -= ms * kNanosPerMs;
    if (ms > 0)
        host_.advance(ms);
    return true;
}

void ClockDriver::timerChanging() {
    // Keys, clicks and ticks plan the next wake-up once they are handled.
    if (host_.busy())
        return;
    // A timer started from elsewhere counts its interval from the present; the wake-up is planned
    // once it has changed.
    catchUp();
    timer_.start(0);
}

void ClockDriver::suspend() {
    if (suspended_++ > 0)
        return;
    // The time played up to the dialog still counts.
    const std::int64_t now = source_();
    carry_ += now - last_;
    last_ = now;
    timer_.stop();
}

void ClockDriver::resume() {
    if (--suspended_ > 0)
        return;
    last_ = source_();
    schedule();
}

std::optional<int> ClockDriver::plannedSleep() const {
    if (!timer_.isActive())
        return std::nullopt;
    return timer_.interval();
}

void ClockDriver::schedule() {
    const std::int64_t next = game_.clock().untilNextTick();
    if (host_.stopped() || suspended_ > 0 || next < 0) {
        timer_.stop();
        return;
    }
    // Wake no earlier than the tick falls due, counting the time already carried and the time
    // since the last catch-up (a key's handling).
    const std::int64_t dueNs = next * kNanosPerMs - carry_ - (source_() - last_);
    const std::int64_t delay = std::clamp<std::int64_t>((dueNs + kNanosPerMs - 1) / kNanosPerMs, 0,
                                                        std::numeric_limits<int>::max());
    timer_.start(static_cast<int>(delay));
}
