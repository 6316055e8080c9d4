// vexmoor-terminal: the game in a terminal (over SSH, on the Linux console, in tmux), on a clock
// that runs in real time, with the same saved game, hall of fame and recordings as the window.
#include "app/clock_driver.h"
#include "app/command_line.h"
#include "app/recorded_session.h"
#include "app/signal_catcher.h"
#include "terminal/screen.h"
#include "terminal/terminal_platform.h"
#include "terminal/terminal_type.h"
#include "terminal/terminal_view.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

int main(int argc, char* argv[]) {
    const auto read = readCommandLine(
        argc, argv,
        {QStringLiteral("A keyboard dungeon game drawn with letters, in the terminal. Started with "
                        "no arguments, it shows the main menu; Ctrl+C closes it, Ctrl+Z suspends "
                        "it.")});
    if (const int* code = std::get_if<int>(&read))
        return *code;
    if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
        std::fprintf(stderr, "vexmoor-terminal: plays in a terminal; its input and output are not "
                             "one.\n");
        return 1;
    }
    if (const std::string problem = unusableTerminal(); !problem.empty()) {
        std::fprintf(stderr, "vexmoor-terminal: %s\n", problem.c_str());
        return 1;
    }

    QCoreApplication app(argc, argv);
    // Every game is recorded into the data folder, as in the window.
    TerminalPlatform terminal;
    RecordedSession session(terminal, std::get<Request>(read).seed);
    Screen screen;
    TerminalView view(session.game, screen);
    ClockDriver driver(session.game, view);
    terminal.attach(view, driver);
    view.askYesNo = [&terminal](const QString& question) { return terminal.askYesNo(question); };
    // A logout, a dropped connection or SIGINT ends the program as X in the menu does, asking
    // nothing; the terminal is given back as the screen closes. Armed after the screen, whose own
    // handlers stay for the crash signals.
    const SignalCatcher endOnSignal([&terminal](int) { terminal.exitNow(); });
    view.start();
    driver.start();
    return QCoreApplication::exec();
}
