#include "terminal/terminal_restore.h"

#include <algorithm>
#include <array>
#include <csignal>
#include <cstring>
#include <termios.h>
#include <unistd.h>

namespace terminal_restore {
namespace {

constexpr std::array kSignals = {SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGSEGV,
                                 SIGBUS,  SIGFPE, SIGILL, SIGABRT};

// Read in the handler, so set once before it is armed and never freed.
termios settings;
bool remembered = false;
char sequence[256];
std::size_t sequenceLength = 0;

void giveBack(int signal) {
    // Only calls a signal handler may make.
    if (sequenceLength > 0 && write(STDOUT_FILENO, sequence, sequenceLength) < 0)
        sequenceLength = 0;
    if (remembered)
        tcsetattr(STDIN_FILENO, TCSADRAIN, &settings);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

void rememberSettings() {
    remembered = tcgetattr(STDIN_FILENO, &settings) == 0;
}

void arm(const std::string& undo) {
    sequenceLength = std::min(undo.size(), sizeof sequence);
    std::memcpy(sequence, undo.data(), sequenceLength);
    struct sigaction action {};
    action.sa_handler = giveBack;
    action.sa_flags = SA_RESETHAND | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    for (int signal : kSignals)
        sigaction(signal, &action, nullptr);
}

void disarm() {
    for (int signal : kSignals)
        std::signal(signal, SIG_DFL);
}

} // namespace terminal_restore
