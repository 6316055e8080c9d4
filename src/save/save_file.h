#pragma once

#include "ui/game_seed.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The one saved game, by what its lines hold. Texts are kept as the file gives them: a line the
// file does not hold is empty.
struct SavedGame {
    // The status fields: level, stats and time left.
    QString level{}, energy{}, armor{}, gold{}, hits{}, food{}, serum{}, timeLeft{};
    // The board's place and size, as decimal text.
    QString boardTop{}, boardLeft{}, boardWidth{}, boardHeight{};
    QString playerName{};
    QString continues{};
    bool rope = false;
    // A seeded game's seed and reseeds so far, on a sixteenth line that older games do not read.
    std::optional<ui::GameSeed> seed{};

    bool operator==(const SavedGame&) const = default;
};

// The file "Save.ini": the saved game's fifteen lines, and a seeded game's seed after them.
namespace savefile {

// A file larger than this is no saved game.
inline constexpr qint64 kMaxFileSize = 64 * 1024;

struct ReadResult {
    bool damaged = false; // present lines hold what the game cannot use: refuse the load
    SavedGame game;
};

// Reads the fields with the game's reading rules, from UTF-8 or, failing that, Windows-1252. A
// missing file gives fifteen empty fields at once, and so does anything in its place that cannot
// be read as a regular file: either is no saved game. Names are kept to the length the game
// keeps them, board lines in single precision, so that what was read is written back the same. A
// seed that cannot be read, or no seed, loads as a game without one; nothing after the fifteenth
// line makes the file damaged.
ReadResult read(const QString& filePath);

// What a file in one of the game's places gave.
struct FileBytes {
    enum class State { Read, Missing, Unreadable } state = State::Missing;
    QByteArray bytes; // when read
};
// The first bytes of a regular file, at most limit of them. Missing when nothing stands at the
// path; unreadable when what stands there is no regular file (a pipe is never waited on), or one
// the user may not read, or the disk fails while reading.
FileBytes readRegularFile(const QString& filePath, qint64 limit);
ReadResult parse(const QByteArray& bytes);

// The fifteen lines in UTF-8, and the seed's line in a seeded game; the board's place and size in
// the single-precision number form of their lines, and a name cut to at most 300 UTF-16 units at a
// whole character.
QByteArray serialize(const SavedGame& game);

// Writes the lines atomically (a temporary file renamed over the old save, then the
// folder flushed to disk) and removes what crashed saves left behind. False when the file could
// not be written, or when something other than a regular file stands in its place; the old save
// is then left as it was.
bool write(const QString& filePath, const SavedGame& game);

// A board coordinate: blanks trimmed, read as a single-precision number.
std::optional<double> coordinate(const QString& field);

} // namespace savefile
