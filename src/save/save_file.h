#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace ui {
class Platform;
}

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

    bool operator==(const SavedGame&) const = default;
};

// The file "Save.ini": the saved game's fifteen lines.
namespace savefile {

struct ReadResult {
    bool damaged = false; // present lines hold what the game cannot use: refuse the load
    SavedGame game;
};

// Where the save file lives: the program's own folder, or the user's data folder when the program's
// folder cannot be written. Load reads where save writes.
QString path(const ui::Platform& platform);

// Reads the fields with the game's reading rules; a missing file gives fifteen empty fields.
ReadResult read(const QString& filePath);
ReadResult parse(const QByteArray& bytes);

// Writes the fifteen lines atomically (a temporary file renamed over the old save); the board's
// place and size in the single-precision number form of their lines. False when the file could not
// be written; the old save is then left as it was.
bool write(const QString& filePath, const SavedGame& game);

// A board coordinate: blanks trimmed, read as a single-precision number.
std::optional<double> coordinate(const QString& field);

} // namespace savefile
