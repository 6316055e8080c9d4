// The saved game "Save.ini": fifteen fields, one a line, read with the game's field rules, and a
// seeded game's seed on a sixteenth.
#include "save/save_file.h"

#include "ui/number.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTextBoundaryFinder>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace savefile {

namespace {

// A line longer than this is no line of a saved game.
constexpr qsizetype kMaxLine = 1000;
// A name is kept to this many UTF-16 units, so that its line (at most 3 bytes a unit in UTF-8, and
// two quotes) stays within a line's length.
constexpr qsizetype kMaxName = 300;

// How a line is read and written.
enum class Kind { Number, Coordinate, Name };

// The lines of the file in their order; the rope comes last, as "True" or "False".
struct Line {
    QString SavedGame::*field;
    Kind kind;
};
constexpr Line kLines[] = {
    {&SavedGame::level, Kind::Number},          {&SavedGame::energy, Kind::Number},
    {&SavedGame::armor, Kind::Number},          {&SavedGame::gold, Kind::Number},
    {&SavedGame::hits, Kind::Number},           {&SavedGame::food, Kind::Number},
    {&SavedGame::serum, Kind::Number},          {&SavedGame::timeLeft, Kind::Number},
    {&SavedGame::boardTop, Kind::Coordinate},   {&SavedGame::boardLeft, Kind::Coordinate},
    {&SavedGame::boardWidth, Kind::Coordinate}, {&SavedGame::boardHeight, Kind::Coordinate},
    {&SavedGame::playerName, Kind::Name},       {&SavedGame::continues, Kind::Number},
};
const QString kRopeCarried = QStringLiteral("True");
const QString kNoRope = QStringLiteral("False");

bool isControl(uchar c) {
    return (c < 0x20 && c != '\t') || c == 0x7F;
}

bool isLineEnd(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// The file's text: UTF-8, or, for a file that is not valid UTF-8 (a save typed in an old
// editor), the classic Windows-1252 code page: Latin-1 with letters and signs at 0x80 to 0x9F.
QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    static constexpr char16_t kWindows1252[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    text.resize(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<uchar>(bytes[i]);
        text[i] = c >= 0x80 && c < 0xA0 ? QChar(kWindows1252[c - 0x80]) : QChar(c);
    }
    return text;
}

// A name as the game keeps it: at most kMaxName units, cut before a whole character, never
// inside a surrogate pair or a combining sequence.
QString keptName(const QString& name) {
    if (name.size() <= kMaxName)
        return name;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, name);
    characters.setPosition(kMaxName);
    if (!characters.isAtBoundary())
        characters.toPreviousBoundary();
    return name.left(characters.position());
}

// A board coordinate's text in single precision: at most 7 significant digits.
QString coordinateText(double value) {
    return ui::numberText(QString::number(value, 'g', 7).toDouble());
}

// The first fifteen lines: what follows them is the seed's line, which older games never read.
QByteArray savedLines(const QByteArray& bytes) {
    constexpr int kSavedLines = 15;
    int ends = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        if (++ends == kSavedLines)
            return bytes.left(i + 1);
    }
    return bytes;
}

// Binary data or an over-long line: the bytes are no saved game at all.
bool damagedBytes(const QByteArray& bytes) {
    qsizetype lineLength = 0;
    for (const char ch : bytes) {
        const auto c = static_cast<uchar>(ch);
        if (c == '\r' || c == '\n') {
            lineLength = 0;
            continue;
        }
        if (isControl(c) || ++lineLength > kMaxLine)
            return true;
    }
    return false;
}

// Reads one field after another with the game's rules: blanks and tabs before a field are
// skipped; a field in double quotes runs to the closing quote and the rest of its line up to a
// comma is dropped; any other field runs to the next comma or line end without trailing blanks
// and, when it reads as a number, is passed on in the number's own text ("007" gives "7").
class FieldReader {
  public:
    explicit FieldReader(const QString& text) : text_(text) {}

    QString next() {
        while (pos_ < text_.size() &&
               (text_[pos_] == QLatin1Char(' ') || text_[pos_] == QLatin1Char('\t')))
            ++pos_;
        if (pos_ >= text_.size())
            return {};
        if (text_[pos_] == QLatin1Char('"')) {
            const qsizetype start = ++pos_;
            while (pos_ < text_.size() && text_[pos_] != QLatin1Char('"') &&
                   !isLineEnd(text_[pos_]))
                ++pos_;
            const QString field = text_.mid(start, pos_ - start);
            skipSeparator();
            return field;
        }
        const qsizetype start = pos_;
        skipSeparator();
        QString field = text_.mid(start, fieldEnd_ - start);
        while (field.endsWith(QLatin1Char(' ')))
            field.chop(1);
        if (const auto value = ui::readNumber(field))
            return ui::numberText(*value);
        return field;
    }

  private:
    // Moves to just after the next comma or line end (a carriage return, a line feed or the
    // pair), remembering where the field's text ended.
    void skipSeparator() {
        while (pos_ < text_.size() && text_[pos_] != QLatin1Char(',') && !isLineEnd(text_[pos_]))
            ++pos_;
        fieldEnd_ = pos_;
        if (pos_ >= text_.size())
            return;
        const QChar separator = text_[pos_++];
        if (separator == QLatin1Char('\r') && pos_ < text_.size() &&
            text_[pos_] == QLatin1Char('\n'))
            ++pos_;
    }

    const QString text_;
    qsizetype pos_ = 0;
    qsizetype fieldEnd_ = 0;
};

// A level, stat, time, board coordinate or continue count the game cannot use.
bool unusable(const SavedGame& game) {
    for (const Line& line : kLines) {
        const QString& field = game.*line.field;
        if (field.isEmpty() || line.kind == Kind::Name)
            continue;
        if (line.kind == Kind::Coordinate ? !coordinate(field) : !ui::readNumber(field))
            return true;
    }
    return false;
}

// A text field as shown, or in double quotes when the reading rules would not give it back
// as it is (a comma, a leading quote, leading or trailing blanks, a number not in its own
// text). A quoted field cannot hold a double quote, so one inside becomes a single quote.
QString textForm(const QString& field) {
    QString text = field;
    for (QChar& c : text)
        if (c.unicode() < 0x80 && isControl(static_cast<uchar>(c.unicode())))
            c = QLatin1Char(' ');
    if (FieldReader(text).next() == text)
        return text;
    text.replace(QLatin1Char('"'), QLatin1Char('\''));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// A board coordinate as a single-precision number: a blank or a minus sign, the digits (at
// most 7 significant ones) and one blank. A field that holds no coordinate is left empty.
QString numberForm(const QString& field) {
    const auto value = coordinate(field);
    if (!value)
        return {};
    const QString digits = coordinateText(*value);
    if (digits.startsWith(QLatin1Char('-')))
        return digits + QLatin1Char(' ');
    return QLatin1Char(' ') + digits + QLatin1Char(' ');
}

// Flushes the folder's list of files to disk, so that a power cut cannot bring back the older
// save once the new one was renamed over it.
bool syncFolder(const QString& folder) {
    const int handle =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return false;
    const bool synced = ::fsync(handle) == 0;
    ::close(handle);
    return synced;
}

// Removes the complete copies a crash between writing and renaming left under the save's
// temporary names ("Save.ini.AbCdEf"): nothing else would ever remove them.
void removeLeftovers(const QDir& folder, const QString& fileName) {
    const QRegularExpression temporary(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(fileName) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const auto entries = folder.entryInfoList({fileName + QStringLiteral(".*")},
                                              QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries)
        if (temporary.match(entry.fileName()).hasMatch())
            QFile::remove(entry.absoluteFilePath());
}

} // namespace

FileBytes readRegularFile(const QString& filePath, qint64 limit) {
    // Opened without waiting, so that a pipe in the file's place cannot hold the game.
    const int handle =
        ::open(QFile::encodeName(filePath).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0)
        return {errno == ENOENT || errno == ENOTDIR ? FileBytes::State::Missing
                                                    : FileBytes::State::Unreadable,
                {}};
    struct stat info {};
    QFile file;
    if (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode) ||
        !file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return {FileBytes::State::Unreadable, {}};
    }
    QByteArray bytes = file.read(limit);
    if (file.error() != QFileDevice::NoError)
        return {FileBytes::State::Unreadable, {}};
    return {FileBytes::State::Read, std::move(bytes)};
}

ReadResult read(const QString& filePath) {
    // Only a regular file can hold a saved game.
    const FileBytes file = readRegularFile(filePath, kMaxFileSize + 1);
    if (file.state != FileBytes::State::Read)
        return {};
    ReadResult result = parse(file.bytes);
    result.damaged = result.damaged || file.bytes.size() > kMaxFileSize;
    return result;
}

ReadResult parse(const QByteArray& bytes) {
    // The fields are read even from damaged bytes: an empty first line means no saved game,
    // whatever follows it. A name is kept as the game keeps names, and a board coordinate in the
    // single precision its line is written in.
    ReadResult result;
    FieldReader reader(decode(bytes));
    for (const Line& line : kLines) {
        QString field = reader.next();
        if (line.kind == Kind::Name)
            field = keptName(field);
        if (line.kind == Kind::Coordinate)
            if (const auto value = coordinate(field))
                field = coordinateText(*value);
        result.game.*line.field = field;
    }
    result.game.rope = reader.next() == kRopeCarried;
    result.game.seed = ui::GameSeed::fromText(reader.next());
    result.damaged = damagedBytes(savedLines(bytes)) || unusable(result.game);
    return result;
}

QByteArray serialize(const SavedGame& game) {
    QString text;
    for (const Line& line : kLines) {
        const QString& field = game.*line.field;
        if (line.kind == Kind::Coordinate)
            text += numberForm(field);
        else
            text += textForm(line.kind == Kind::Name ? keptName(field) : field);
        text += QStringLiteral("\r\n");
    }
    text += (game.rope ? kRopeCarried : kNoRope) + QStringLiteral("\r\n");
    if (game.seed)
        text += game.seed->text() + QStringLiteral("\r\n");
    return text.toUtf8();
}

bool write(const QString& filePath, const SavedGame& game) {
    // A pipe, a device or a folder in the save's place is not replaced; no place is none.
    const QFileInfo target(filePath);
    if (filePath.isEmpty() || (target.exists() && !target.isFile()))
        return false;
    // The user's data folder may not exist before the first save.
    QDir().mkpath(target.absolutePath());
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Every byte must be written before the new file replaces the old save: a cut save (a full
    // disk) is never committed. The flush is checked here because commit() does not report a
    // failure of its own final flush.
    const QByteArray bytes = serialize(game);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    // Through a link the save was renamed in the folder of the file the link names.
    const QFileInfo saved(QFileInfo(filePath).canonicalFilePath());
    removeLeftovers(saved.absoluteDir(), saved.fileName());
    return syncFolder(saved.absolutePath());
}

std::optional<double> coordinate(const QString& field) {
    const auto value = ui::readNumber(field);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<double>(static_cast<float>(*value));
}

} // namespace savefile
