#include "desktop/clock_driver.h"

#include "desktop/desktop_window.h"
#include "shell/game.h"

#include <QApplication>
#include <algorithm>

namespace {

constexpr std::int64_t kNanosPerMs = 1'000'000;
// The longest sleep while a timer runs, and the polling period while none does.
constexpr std::int64_t kLongestSleepMs = 50;
constexpr std::int64_t kIdlePollMs = 100;

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
}

void ClockDriver::start() {
    last_ = source_();
    carry_ = 0;
    schedule();
}

void ClockDriver::wake() {
    if (window_.stopped()) {
        timer_.stop();
        return;
    }
    const std::int64_t now = source_();
    if (suspended_ > 0 || window_.busy() || QApplication::activeModalWidget()) {
        // A dialog is open: its time does not count.
        last_ = now;
        timer_.start(static_cast<int>(kLongestSleepMs));
        return;
    }
    carry_ += now - last_;
    last_ = now;
    const std::int64_t ms = carry_ / kNanosPerMs;
    carry_ -= ms * kNanosPerMs;
    if (ms > 0)
        window_.advance(ms);
    schedule();
}

void ClockDriver::suspend() {
    if (suspended_++ > 0)
        return;
    // The time played up to the dialog still counts.
    const std::int64_t now = source_();
    carry_ += now - last_;
    last_ = now;
}

void ClockDriver::resume() {
    if (--suspended_ == 0)
        last_ = source_();
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
    if (window_.stopped())
        return;
    const std::int64_t next = game_.clock().untilNextTick();
    std::int64_t delay = kIdlePollMs;
    if (next >= 0) {
        // Wake no earlier than the tick falls due, counting the time already carried.
        const std::int64_t dueNs = next * kNanosPerMs - carry_;
        delay =
            std::clamp<std::int64_t>((dueNs + kNanosPerMs - 1) / kNanosPerMs, 0, kLongestSleepMs);
    }
    timer_.start(static_cast<int>(delay));
}
