#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace ui {

class Window;
class Timer;

// The virtual clock that every timer of the game ticks on. advance() fires each tick that falls
// due, in time order (ties in the order the timers were made), one handler at a time.
class Clock {
  public:
    Clock() = default;
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;

    std::int64_t now() const { return now_; }
    void advance(std::int64_t ms);
    // Milliseconds until the next tick, or -1 when no timer runs.
    std::int64_t untilNextTick() const;

    // Runs after every tick handler (the scene frees closed windows there).
    std::function<void()> afterTick;
    // Runs before a timer starts, stops or takes a new interval, so that whoever drives the clock
    // can bring it up to the present first and plan its next wake-up.
    std::function<void()> beforeTimerChange;

  private:
    friend class Timer;
    Timer* nextDue(std::int64_t limit) const;
    void timerChanging() const;

    std::int64_t now_ = 0;
    std::vector<Timer*> timers_;
};

// A timer of a window: stopped when made. Enabling a stopped timer starts a fresh interval,
// enabling a running one changes nothing, and a new interval on a running timer starts afresh.
// A closed window's timers never tick again.
class Timer {
  public:
    Timer(Clock& clock, Window& owner, int intervalMs, std::function<void()> tick);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer();

    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    int interval() const { return interval_; }
    void setInterval(int ms);
    // When the next tick falls due on the clock, while enabled.
    std::int64_t due() const { return due_; }
    // The timer as another game's was: running or not, its interval and its next tick.
    void restore(bool enabled, int interval, std::int64_t due);

  private:
    friend class Clock;
    friend class Window;
    Clock& clock_;
    Window* owner_;
    int interval_;
    bool enabled_ = false;
    std::int64_t due_ = 0;
    std::function<void()> tick_;
};

} // namespace ui
