#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace ui {
class Platform;
}

// The one saved game: fifteen lines of "Save.ini".
namespace savefile {

inline constexpr int kFieldCount = 15;
using Fields = std::array<QString, kFieldCount>; // index 0 is line 1 (the level)

struct ReadResult {
    bool damaged = false; // present lines hold what the game cannot use: refuse the load
    Fields fields;        // fields the file does not hold are empty
};

// Where the save file lives: the program's own folder, or the user's data folder when the program's
// folder cannot be written. Load reads where save writes.
QString path(const ui::Platform& platform);

// Reads the fields with the game's reading rules; a missing file gives fifteen empty fields.
ReadResult read(const QString& filePath);
ReadResult parse(const QByteArray& bytes);

// Writes the fifteen lines atomically (a temporary file renamed over the old save). Fields 9 to 12
// hold the board coordinates as decimal text and are written in the number form of those lines.
// False when the file could not be written; the old save is then left as it was.
bool write(const QString& filePath, const Fields& fields);

// A board coordinate (lines 9 to 12): blanks trimmed, read as a single-precision number.
std::optional<double> coordinate(const QString& field);
// Line 15: the rope is carried when it reads "True".
bool rope(const QString& field);

} // namespace savefile
