// The saved game "Save.ini": fifteen fields, one a line, read with the game's field rules.
#include "save/save_file.h"

#include "ui/number.h"
#include "ui/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cmath>
#include <limits>

namespace savefile {

namespace {

// A line longer than this is no line of a saved game.
constexpr qsizetype kMaxLine = 1000;
// A name is cut to this many characters so that its line stays readable in any encoding.
constexpr qsizetype kMaxName = 300;
// A file larger than this is no saved game.
constexpr qint64 kMaxFile = 64 * 1024;

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
    const QString digits = ui::numberText(QString::number(*value, 'g', 7).toDouble());
    if (digits.startsWith(QLatin1Char('-')))
        return digits + QLatin1Char(' ');
    return QLatin1Char(' ') + digits + QLatin1Char(' ');
}

} // namespace

QString path(const ui::Platform& platform) {
    const QFileInfo program(platform.programFolder());
    QString folder = program.absoluteFilePath();
    if (!program.isDir() || !program.isWritable())
        folder = platform.dataFolder();
    return QDir(folder).filePath(QStringLiteral("Save.ini"));
}

ReadResult read(const QString& filePath) {
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.read(kMaxFile + 1);
    ReadResult result = parse(bytes);
    result.damaged = result.damaged || bytes.size() > kMaxFile;
    return result;
}

ReadResult parse(const QByteArray& bytes) {
    // The fields are read even from damaged bytes: an empty first line means no saved game,
    // whatever follows it.
    ReadResult result;
    FieldReader reader(QString::fromLocal8Bit(bytes));
    for (const Line& line : kLines)
        result.game.*line.field = reader.next();
    result.game.rope = reader.next() == kRopeCarried;
    result.damaged = damagedBytes(bytes) || unusable(result.game);
    return result;
}

bool write(const QString& filePath, const SavedGame& game) {
    QString text;
    for (const Line& line : kLines) {
        const QString& field = game.*line.field;
        if (line.kind == Kind::Coordinate)
            text += numberForm(field);
        else
            text += textForm(line.kind == Kind::Name ? field.left(kMaxName) : field);
        text += QStringLiteral("\r\n");
    }
    text += (game.rope ? kRopeCarried : kNoRope) + QStringLiteral("\r\n");
    // The user's data folder may not exist before the first save.
    QDir().mkpath(QFileInfo(filePath).absolutePath());
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Every byte must be written before the new file replaces the old save: a cut save (a full
    // disk) is never committed. The flush is checked here because commit() does not report a
    // failure of its own final flush.
    const QByteArray bytes = text.toLocal8Bit();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<double> coordinate(const QString& field) {
    const auto value = ui::readNumber(field);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<double>(static_cast<float>(*value));
}

} // namespace savefile
