#pragma once

#include "ui/game_seed.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

class MainWindow;

// A recorded game as a small text file, the journal of one game: a header with the format's and
// the game's versions, the game clock and the random generator's state where the game begins (its
// seed and the draws since), the windows as the game found them (nothing when it begins with the
// program), one line per event with its time on the game clock, and an end line with the state the
// game ended in. A recording with no end line is a game whose program died: it replays to its last
// event.
//
//   Vexmoor recording 3 1.0
//   clock 81520
//   random 41234567 1024
//   seed 777 0 0 0 0
//   window main 1 0 0 11880 9075 =Vexmoor
//   timer 1 1000 82000
//   control label 1 120 120 495 255 =LV: ...
//   window shop ...
//   81520 key 78 78
//   81520 input =Anna
//   ...
//   98210 end level=5 energy=100 ... message=
//
// Texts follow an "=" with every byte outside "!" to "~" and the backslash written as \xHH.
namespace recording {

// Version 3 added the game's seed line, which a program of version 2 cannot read; its recordings
// still replay.
constexpr int kFormatVersion = 3;
constexpr int kOldestFormatVersion = 2;
// A recording is refused above this size: a game of a million keys takes a fraction of it.
constexpr qint64 kMaxBytes = 64 << 20;
// The most outputs the generator can have given since its last reseed when a game begins: a turn
// draws at most eight numbers of two outputs, the path's one busy turn some seventy, and a game
// whose recording fits in kMaxBytes has fewer turns than a tenth of its bytes, the shortest event
// line. Twice that, for room; more is refused, so a replay never spends long catching up.
constexpr std::uint64_t kMaxDraws = 2 * (16 * (kMaxBytes / 10) + 150);

struct Event {
    std::int64_t time = 0;
    QString kind;
    QStringList args; // texts decoded
    int line = 0;     // where the event stands in its file
};

// The status panel's fields, the rope and the message line, by name, in a fixed order.
using EndState = std::vector<std::pair<QString, QString>>;
EndState endStateOf(const MainWindow& status);

// A line of the windows' state, as written, and where it stands in its file.
struct StateLine {
    QString text;
    int line = 0;
};

struct Recording {
    QString gameVersion;
    std::int64_t startTime = 0;
    std::uint32_t seed = 0;
    std::uint64_t draws = 0;
    std::optional<ui::GameSeed> gameSeed; // a line of its own, only in a seeded game
    std::vector<StateLine> state;
    std::vector<Event> events;
    bool ended = false; // false: the program died before the end line
    std::int64_t endTime = 0;
    EndState end;
    int endLine = 0; // the end line, or the line after the last
};

// Append a text as one token: "=" and its UTF-8 bytes, each one that is not plain as \xNN.
QByteArray& appendEncoded(QByteArray& out, const QString& text);
std::optional<QString> decode(const QString& token);
// Append a number with all 17 digits it may need, so that it reads back the same.
QByteArray& appendNumber(QByteArray& out, double value);
QByteArray& appendWhole(QByteArray& out, qint64 value);

// The header up to the windows' state, one event line, the end line; each ends in a line end.
QByteArray headerLines(std::int64_t startTime, std::uint32_t seed, std::uint64_t draws,
                       const std::optional<ui::GameSeed>& gameSeed);
QByteArray eventLine(const Event& event);
QByteArray endLine(std::int64_t time, const EndState& end);
QByteArray write(const Recording& recording);

// The recording, or a one-line reason that names the line at fault.
std::variant<Recording, QString> parse(const QByteArray& bytes);
std::variant<Recording, QString> read(const QString& path);

} // namespace recording
