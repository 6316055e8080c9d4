#pragma once

#include "terminal/palette.h"
#include "terminal/picture.h"
#include "ui/keys.h"

#include <QString>
#include <optional>

// One input from the terminal: a key, a click on a cell, Ctrl+C, which closes the game as the
// window's close button does, or Ctrl+Z, which suspends the program as in any other.
struct TerminalInput {
    enum class Kind { Key, Click, Close, Suspend };
    Kind kind = Kind::Key;
    keys::Stroke stroke;
    char32_t typed = 0; // the printable character a key typed, 0 for none
    int column = 0;
    int row = 0;
};

// The terminal under curses: the alternate screen, keys one at a time with no echo, the mouse's
// clicks reported, no cursor, the colours it can show (or none). Made once; its end gives the
// terminal back as it was found.
class Screen {
  public:
    Screen();
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    int columns() const;
    int rows() const;

    // Readable when the terminal changed its size or the program was told to stop (SIGTSTP);
    // takeNotices() then says which, taking the new size.
    int noticeSource() const;
    struct Notices {
        bool resized = false;
        bool stop = false;
    };
    Notices takeNotices();

    // The next input waiting, nothing when none does.
    std::optional<TerminalInput> read();
    // True once the terminal is gone: it hung up, and no input is left to read.
    bool hungUp() const;

    // Gives the terminal back as it was found and stops the program, as Ctrl+Z does in a shell;
    // once it is continued (fg), takes the terminal again and draws it whole.
    void suspend();

    void show(const Picture& picture);
    // The terminal's title, where it has one: an xterm's, which the end gives back as it was, or
    // the status line of a terminal with one (tmux). Plain ASCII.
    void setTitle(const QString& title);

  private:
    ColourDepth depth_ = ColourDepth::None;
    bool titlePushed_ = false; // an xterm keeps the title it had
    bool stoppable_ = true;    // the shell lets the program stop
};
