#include "desktop/clock_driver.h"

#include "desktop/desktop_window.h"
#include "shell/game.h"

#include <QApplication>
#include <algorithm>
#include <limits>

namespace {

constexpr std::int64_t kNanosPerMs = 1'000'000;
// How often the driver looks whether a dialog it was not told of has closed.
constexpr int kDialogPollMs = 50;

} // namespace

ClockDriver::ClockDriver(Game& game, DesktopWindow& window, Source source)
    : game_(game), window_(window), source_(std::move(source)) {
    elapsed_.start();
    if (!source_)
        source_ = [this] { return elapsed_.nsecsElapsed(); };
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &ClockDriver::wake);
    // Ticks that fell due run before a key or click, and a key may start a timer.
    connect(&window_, &DesktopWindow::inputArriving, this, &ClockDriver::wake);
    connect(&window_, &DesktopWindow::inputDelivered, this, &ClockDriver::schedule);
    window_.installEventFilter(this);
    game_.clock().beforeTimerChange = [this] { timerChanging(); };
}

ClockDriver::~ClockDriver() {
    game_.clock().beforeTimerChange = nullptr;
}

void ClockDriver::start() {
    last_ = source_();
    carry_ = 0;
    schedule();
}

void ClockDriver::wake() {
    if (catchUp())
        schedule();
    else if (suspended_ == 0 && !window_.stopped())
        // Nothing tells when a dialog the driver was not told of closes.
        timer_.start(kDialogPollMs);
}

bool ClockDriver::catchUp() {
    if (window_.stopped())
        return false;
    const std::int64_t now = source_();
    if (suspended_ > 0 || window_.busy() || QApplication::activeModalWidget()) {
        // A dialog is open: its time does not count.
        last_ = now;
        return false;
    }
    carry_ += now - last_;
    last_ = now;
    const std::int64_t ms = carry_ / kNanosPerMs;
    carry_ -= ms * kNanosPerMs;
    if (ms > 0)
        window_.advance(ms);
    return true;
}

void ClockDriver::timerChanging() {
    // Keys, clicks and ticks plan the next wake-up once they are handled.
    if (window_.busy())
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

bool ClockDriver::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::WindowStateChange &&
        window_.isMinimized() != minimized_) {
        minimized_ = window_.isMinimized();
        if (minimized_)
            suspend();
        else
            resume();
    }
    return QObject::eventFilter(watched, event);
}

void ClockDriver::schedule() {
    const std::int64_t next = game_.clock().untilNextTick();
    if (window_.stopped() || suspended_ > 0 || next < 0) {
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
