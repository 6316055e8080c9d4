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
#include <wchar.h>

namespace {

// The keys that typed Ctrl+C and Ctrl+Z.
constexpr wint_t kInterrupt = 3;
constexpr wint_t kSuspend = 26;
// How long an Escape waits for the rest of an escape sequence, in milliseconds.
constexpr int kEscapeDelayMs = 25;

// A byte is written when the terminal changes its size ('r') and when the program is told to stop
// ('z'), read by takeNotices.
int noticePipe[2] = {-1, -1};
constexpr char kResized = 'r';
constexpr char kStop = 'z';

void notice(char what) {
    const int saved = errno;
    if (write(noticePipe[1], &what, 1) < 0) {
        // The pipe is full: notices already wait.
    }
    errno = saved;
}

void noteResize(int) {
    notice(kResized);
}

void noteStop(int) {
    notice(kStop);
}

void handle(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
}

std::string capability(const char* name) {
    const char* value = tigetstr(name);
    return value && value != reinterpret_cast<const char*>(-1) ? value : "";
}

void writeOut(const std::string& bytes) {
    if (write(STDOUT_FILENO, bytes.data(), bytes.size()) < 0) {
        // The terminal is gone: there is no one to show it to.
    }
}

// The character a cell shows: a control character, which the terminal would act on or curses
// would spell out over several cells, shows as a question mark.
wchar_t shownGlyph(char32_t glyph) {
    return glyph < U' ' || (glyph >= 0x7F && glyph < 0xA0) ? L'?' : static_cast<wchar_t>(glyph);
}

} // namespace

Screen::Screen() {
    std::setlocale(LC_ALL, "");
    if (pipe(noticePipe) == 0)
        for (int end : noticePipe)
            fcntl(end, F_SETFL, fcntl(end, F_GETFL) | O_NONBLOCK);
    // Before curses starts, so that it leaves the change of size and the stop to the game. A shell
    // without job control ignores the stop, and so does the game then.
    handle(SIGWINCH, noteResize);
    struct sigaction stop {};
    sigaction(SIGTSTP, nullptr, &stop);
    stoppable_ = stop.sa_handler != SIG_IGN;
    if (stoppable_)
        handle(SIGTSTP, noteStop);
    terminal_restore::rememberSettings();
    initscr();
    raw();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    nodelay(stdscr, TRUE);
    set_escdelay(kEscapeDelayMs);
    curs_set(0);
    // A terminal without colours (vt100) shows the picture in black and white.
    if (has_colors() && start_color() == OK)
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
    if (titlePushed_)
        writeOut("\033[23;0t");
    terminal_restore::disarm();
}

void Screen::setTitle(const QString& title) {
    const std::string text = title.toLatin1().toStdString();
    if (const std::string line = capability("tsl"); !line.empty()) {
        writeOut(line + text + capability("fsl"));
        return;
    }
    if (tigetflag("XT") <= 0)
        return;
    if (!titlePushed_)
        writeOut("\033[22;0t");
    titlePushed_ = true;
    writeOut("\033]2;" + text + "\007");
}

int Screen::columns() const {
    return COLS;
}

int Screen::rows() const {
    return LINES;
}

int Screen::noticeSource() const {
    return noticePipe[0];
}

Screen::Notices Screen::takeNotices() {
    Notices notices;
    char bytes[64];
    bool resized = false;
    for (ssize_t got; (got = ::read(noticePipe[0], bytes, sizeof bytes)) > 0;)
        for (ssize_t i = 0; i < got; ++i) {
            resized = resized || bytes[i] == kResized;
            notices.stop = notices.stop || bytes[i] == kStop;
        }
    winsize size{};
    if (resized && ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        resize_term(size.ws_row, size.ws_col);
        // What the terminal kept of the old picture is not known (a shrinking terminal keeps some
        // of its cells and clears others): the next picture is drawn whole.
        clearok(curscr, TRUE);
        notices.resized = true;
    }
    return notices;
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
        if (got != KEY_CODE_YES && key == kSuspend)
            return TerminalInput{TerminalInput::Kind::Suspend, {}, 0, 0, 0};
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

void Screen::suspend() {
    if (!stoppable_)
        return;
    endwin();
    // The whole job stops, as on a Ctrl+Z the terminal itself turned into the signal; a job no
    // shell controls is not stopped at all, and goes on at once.
    handle(SIGTSTP, SIG_DFL);
    kill(0, SIGTSTP);
    handle(SIGTSTP, noteStop);
    // Continued: the shell may have drawn anything meanwhile.
    clearok(curscr, TRUE);
    refresh();
}

void Screen::show(const Picture& picture) {
    const int rows = std::min(picture.rows(), LINES), columns = std::min(picture.columns(), COLS);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            const Cell& cell = picture.at(column, row);
            wchar_t glyph[] = {shownGlyph(cell.glyph), L'\0'};
            // A wide character (CJK) takes its cell and the next; the last column has no room
            // for it.
            const bool wide = wcwidth(glyph[0]) > 1;
            if (wide && column + 1 >= columns)
                glyph[0] = L' ';
            attr_t attributes = A_NORMAL;
            int pair = 0;
            if (depth_ == ColourDepth::None)
                attributes = shownReversed(cell.back) ? A_REVERSE : A_NORMAL;
            else
                pair = std::max(0, alloc_pair(paletteEntry(cell.fore, depth_),
                                              paletteEntry(cell.back, depth_)));
            cchar_t shown;
            setcchar(&shown, glyph, attributes, 0, &pair);
            mvadd_wch(row, column, &shown);
            if (wide)
                ++column;
        }
    refresh();
}
