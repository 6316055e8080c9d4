#include "terminal/screen.h"

#include "terminal/key_map.h"
#include "terminal/terminal_restore.h"

#include <cerrno>
#include <clocale>
#include <csignal>
#include <curses.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// A key that typed Ctrl+C.
constexpr wint_t kInterrupt = 3;
// How long an Escape waits for the rest of an escape sequence, in milliseconds.
constexpr int kEscapeDelayMs = 25;

// A byte is written when the terminal changes its size, read by takeResize.
int resizePipe[2] = {-1, -1};

void noteResize(int) {
    const int saved = errno;
    if (write(resizePipe[1], "r", 1) < 0) {
        // The pipe is full: a notice already waits.
    }
    errno = saved;
}

std::string capability(const char* name) {
    const char* value = tigetstr(name);
    return value && value != reinterpret_cast<const char*>(-1) ? value : "";
}

} // namespace

Screen::Screen() {
    std::setlocale(LC_ALL, "");
    if (pipe(resizePipe) == 0)
        for (int end : resizePipe)
            fcntl(end, F_SETFL, fcntl(end, F_GETFL) | O_NONBLOCK);
    // Before curses starts, so that it leaves the change of size to the game.
    std::signal(SIGWINCH, noteResize);
    terminal_restore::rememberSettings();
    initscr();
    raw();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    nodelay(stdscr, TRUE);
    set_escdelay(kEscapeDelayMs);
    curs_set(0);
    start_color();
    depth_ = depthFor(COLORS);
    mousemask(BUTTON1_PRESSED, nullptr);
    mouseinterval(0);
    // The mouse reports off, the colours reset, the cursor shown and the alternate screen left.
    terminal_restore::arm("\033[?1000l\033[?1002l\033[?1006l" + capability("sgr0") +
                          capability("cnorm") + capability("rmcup"));
}

Screen::~Screen() {
    mousemask(0, nullptr);
    endwin();
    terminal_restore::disarm();
}

int Screen::columns() const {
    return COLS;
}

int Screen::rows() const {
    return LINES;
}

int Screen::resizeNotice() const {
    return resizePipe[0];
}

bool Screen::takeResize() {
    char notices[64];
    bool noticed = false;
    while (::read(resizePipe[0], notices, sizeof notices) > 0)
        noticed = true;
    winsize size{};
    if (!noticed || ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0)
        return false;
    resize_term(size.ws_row, size.ws_col);
    return true;
}

std::optional<TerminalInput> Screen::read() {
    for (;;) {
        wint_t key = 0;
        const int got = get_wch(&key);
        if (got == ERR)
            return std::nullopt;
        if (got == KEY_CODE_YES && key == KEY_MOUSE) {
            MEVENT event{};
            if (getmouse(&event) == OK && (event.bstate & BUTTON1_PRESSED))
                return TerminalInput{TerminalInput::Kind::Click, {}, 0, event.x, event.y};
            continue;
        }
        if (got != KEY_CODE_YES && key == kInterrupt)
            return TerminalInput{TerminalInput::Kind::Close, {}, 0, 0, 0};
        const auto stroke = strokeOf(static_cast<int>(key), got == KEY_CODE_YES);
        if (!stroke)
            continue;
        const bool printable = got != KEY_CODE_YES && key >= U' ' && key != 127;
        return TerminalInput{TerminalInput::Kind::Key, *stroke, printable ? char32_t(key) : 0, 0,
                             0};
    }
}

bool Screen::hungUp() const {
    pollfd terminal{STDIN_FILENO, POLLIN, 0};
    return poll(&terminal, 1, 0) == 1 && (terminal.revents & (POLLHUP | POLLERR | POLLNVAL));
}

void Screen::show(const Picture& picture) {
    const int rows = std::min(picture.rows(), LINES), columns = std::min(picture.columns(), COLS);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            const Cell& cell = picture.at(column, row);
            int pair = alloc_pair(paletteEntry(cell.fore, depth_), paletteEntry(cell.back, depth_));
            const wchar_t glyph[] = {static_cast<wchar_t>(cell.glyph), L'\0'};
            cchar_t shown;
            setcchar(&shown, glyph, A_NORMAL, 0, &pair);
            mvadd_wch(row, column, &shown);
        }
    refresh();
}
