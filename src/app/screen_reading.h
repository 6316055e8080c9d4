#pragma once

#include "app/announcement.h"

#include <QStringList>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class BoardWindow;
namespace ui {
class Control;
class TextBlock;
class Window;
} // namespace ui

// One thing a window reads as to a screen reader: a line of text, a field of the status panel,
// the board's list or one of its items. A front end hands it to its platform's accessibility as
// it is, placed where the control it stands for is shown.
struct Reading {
    enum class Role { Text, Field, List, ListItem };
    Role role = Role::Text;
    QString name;
    // A field's number: "Gold 14" holds 14.
    std::optional<double> value;
    // The time left: a change is told only when the time rises or falls to 30, 10 or 0 seconds.
    bool countdown = false;
    // A message: each new text of it is told.
    bool message = false;
    // What it stands for, the same for as long as the thing read lasts: a control, and which part
    // of it (a text block's line as the screen breaks it, counted from 1; an edge of the board).
    const ui::Control* control = nullptr;
    int part = 0;
    // Placed over the whole window rather than on its control: the path section's list.
    bool wholeWindow = false;
    std::vector<Reading> children;

    bool sameThing(const Reading& other) const {
        return control == other.control && part == other.part;
    }
};

// How a screen reader hears one window of the game: what it reads as, in reading order, and with
// the reading before, the news. The status panel reads as its fields, the board as a list of what
// is in sight, any other window as its lines of text.
class ScreenReader {
  public:
    // The lines a screen breaks a text block into, blank ones included.
    using LinesOf = std::function<QStringList(const ui::TextBlock&)>;

    // The status panel, which reads as fields.
    static bool isPanel(const ui::Window& window);
    // What the window is called: "Status" for the panel, its caption otherwise.
    static QString nameOf(const ui::Window& window);

    // Reads the window afresh (nothing once it is closed: window null). With news, what changed:
    // the board's news, then each field's value and each message's new text. The first reading
    // has no news.
    const std::vector<Reading>& read(const ui::Window* window, const LinesOf& linesOf,
                                     Announcement* news);
    // The window's lines of text in reading order, the first time only: a window is heard as it
    // opens. The board and the status panel have none.
    void addLines(Announcement& news);

  private:
    // With news, the board tells what came into sight or near: the gate and the holes once as
    // they come, the edges once as they come within reach, any other object near the player as
    // its place changes.
    std::vector<Reading> board(const BoardWindow& boardWindow, Announcement* news);

    std::vector<Reading> last_;
    // What the board showed last, so that its news is news once: each object in sight with its
    // place, the edges.
    std::map<const ui::Control*, QString> seen_;
    QStringList edges_;
    bool primed_ = false; // the board's first reading has no news
    bool heard_ = false;
};
