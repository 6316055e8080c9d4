#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <utility>
#include <variant>
#include <vector>

class MainWindow;

// A recorded game as a small text file: a header with the format's and the game's versions, the
// seed the generator started with, one line per event with its time on the game clock, and an end
// line with the state the game ended in. Every recording runs from the program's start, so it
// replays on a fresh game; the "game" line marks where the recorded game itself begins.
//
//   Vexmoor recording 1 1.0
//   seed 41234567
//   0 place -1 0 0 11880 9075
//   0 start
//   0 screen-width 11760
//   1520 game
//   1520 key 78 78
//   1520 input =Anna
//   ...
//   98210 end level=5 energy=100 ... message=
//
// Texts follow an "=" with every byte outside "!" to "~" and the backslash written as \xHH.
namespace recording {

constexpr int kFormatVersion = 1;

struct Event {
    std::int64_t time = 0;
    QString kind;
    QStringList args; // texts decoded
    int line = 0;     // where the event stands in its file
};

// The status panel's fields, the rope and the message line, by name, in a fixed order.
using EndState = std::vector<std::pair<QString, QString>>;
EndState endStateOf(const MainWindow& status);

struct Recording {
    QString gameVersion;
    std::uint32_t seed = 0;
    std::vector<Event> events;
    std::int64_t endTime = 0;
    EndState end;
    int endLine = 0;
};

// One event line's text after its time and kind, with texts encoded.
QString eventLine(const Event& event);
QByteArray write(const Recording& recording);

// The recording, or a one-line reason that names the line at fault.
std::variant<Recording, QString> parse(const QByteArray& bytes);
std::variant<Recording, QString> read(const QString& path);

} // namespace recording
