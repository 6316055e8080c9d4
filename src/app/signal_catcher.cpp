#include "app/signal_catcher.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
int pipeEnds[2] = {-1, -1};

extern "C" void noteSignal(int signal) {
    const int saved = errno;
    const char number = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &number, 1);
    errno = saved;
}

void handleWith(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        sigaction(signal, &action, nullptr);
}

} // namespace

SignalCatcher::SignalCatcher(std::function<void(int)> ending) : ending_(std::move(ending)) {
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { arrived(); });
    handleWith(noteSignal);
}

SignalCatcher::~SignalCatcher() {
    if (!notifier_)
        return;
    handleWith(SIG_DFL);
    notifier_.reset();
    for (int& end : pipeEnds)
        ::close(std::exchange(end, -1));
}

void SignalCatcher::arrived() {
    char number = 0;
    while (::read(pipeEnds[0], &number, 1) == 1)
        if (ending_)
            ending_(number);
}
