#include "ui/clock.h"

#include "ui/window.h"

#include <algorithm>

namespace ui {

Timer* Clock::nextDue(std::int64_t limit) const {
    Timer* next = nullptr;
    for (Timer* t : timers_)
        if (t->enabled_ && t->due_ <= limit && (!next || t->due_ < next->due_))
            next = t;
    return next;
}

void Clock::advance(std::int64_t ms) {
    const std::int64_t target = now_ + ms;
    while (Timer* t = nextDue(target)) {
        now_ = t->due_;
        t->due_ += t->interval_;
        if (t->tick_)
            t->tick_();
        if (afterTick)
            afterTick();
    }
    now_ = target;
}

void Clock::timerChanging() const {
    if (beforeTimerChange)
        beforeTimerChange();
}

std::int64_t Clock::untilNextTick() const {
    std::int64_t best = -1;
    for (Timer* t : timers_)
        if (t->enabled_ && (best < 0 || t->due_ - now_ < best))
            best = std::max<std::int64_t>(0, t->due_ - now_);
    return best;
}

Timer::Timer(Clock& clock, Window& owner, int intervalMs, std::function<void()> tick)
    : clock_(clock), owner_(&owner), interval_(intervalMs), tick_(std::move(tick)) {
    clock_.timers_.push_back(this);
    owner.timers_.push_back(this);
}

Timer::~Timer() {
    std::erase(clock_.timers_, this);
    if (owner_)
        std::erase(owner_->timers_, this);
}

void Timer::setEnabled(bool on) {
    if (on == enabled_)
        return;
    clock_.timerChanging();
    if (on && (interval_ <= 0 || (owner_ && owner_->closed())))
        return;
    if (on && !enabled_)
        due_ = clock_.now() + interval_;
    enabled_ = on;
}

void Timer::restore(bool enabled, int interval, std::int64_t due) {
    clock_.timerChanging();
    interval_ = interval;
    enabled_ = enabled && interval > 0 && !(owner_ && owner_->closed());
    due_ = due;
}

void Timer::setInterval(int ms) {
    if (enabled_)
        clock_.timerChanging();
    interval_ = ms;
    if (interval_ <= 0)
        enabled_ = false;
    else if (enabled_)
        due_ = clock_.now() + interval_;
}

} // namespace ui
