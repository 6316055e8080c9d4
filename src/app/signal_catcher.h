#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

// A logout, a closed terminal or Ctrl+C (SIGTERM, SIGHUP, SIGINT) ends the program the way the
// front end ends it when asked from the menu: the handler only writes the signal's number to a
// pipe, and the event loop, once the handler that runs has finished, calls `ending` with it. One
// catcher at a time; the signals take their default action again when it goes.
class SignalCatcher {
  public:
    explicit SignalCatcher(std::function<void(int signal)> ending);
    ~SignalCatcher();
    SignalCatcher(const SignalCatcher&) = delete;
    SignalCatcher& operator=(const SignalCatcher&) = delete;

  private:
    void arrived();

    std::function<void(int)> ending_;
    std::unique_ptr<QSocketNotifier> notifier_;
};
