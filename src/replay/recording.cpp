#include "replay/recording.h"

#include "shell/main_window.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace recording {

namespace {

// Each event's arguments: i a whole number, u a seed, n a number, t a text.
struct Kind {
    const char* name;
    const char* args;
};
constexpr Kind kKinds[] = {
    {"start", ""},         {"exit", ""},           {"key", "ii"},   {"click", "iii"},
    {"front", "i"},        {"place", "innnn"},     {"input", "t"},  {"load", "t"},
    {"screen-width", "n"}, {"screen-height", "n"}, {"reseed", "u"},
};

bool isPlain(char c) {
    return c > ' ' && c <= '~' && c != '\\';
}

const Kind* kindNamed(const QString& name) {
    for (const Kind& kind : kKinds)
        if (name == QLatin1String(kind.name))
            return &kind;
    return nullptr;
}

bool fits(QChar type, const QString& token) {
    bool ok = false;
    switch (type.toLatin1()) {
    case 'i':
        token.toInt(&ok);
        return ok;
    case 'u':
        token.toUInt(&ok);
        return ok;
    case 'n':
        return std::isfinite(token.toDouble(&ok)) && ok;
    default:
        return decode(token).has_value();
    }
}

// The status fields of the end line; the rope and the message line follow them.
struct Field {
    const char* name;
    ui::Label MainWindow::*label;
};
constexpr Field kFields[] = {
    {"level", &MainWindow::level},     {"energy", &MainWindow::energy},
    {"armor", &MainWindow::armor},     {"gold", &MainWindow::gold},
    {"hits", &MainWindow::hits},       {"food", &MainWindow::food},
    {"serum", &MainWindow::serum},     {"time", &MainWindow::timeLeft},
    {"name", &MainWindow::playerName}, {"continues", &MainWindow::continues},
};

QStringList endNames() {
    QStringList names;
    for (const Field& field : kFields)
        names += QLatin1String(field.name);
    return names << QStringLiteral("rope") << QStringLiteral("message");
}

QString lineError(int line, const QString& what) {
    return QStringLiteral("line %1: %2").arg(line).arg(what);
}

std::optional<EndState> endFields(const QStringList& tokens) {
    const QStringList names = endNames();
    if (tokens.size() != names.size())
        return std::nullopt;
    EndState end;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QString& name = names[i];
        const auto value = decode(tokens[i].mid(name.size()));
        if (!tokens[i].startsWith(name) || !value)
            return std::nullopt;
        end.emplace_back(name, *value);
    }
    return end;
}

} // namespace

QByteArray& appendEncoded(QByteArray& out, const QString& text) {
    static constexpr char kHex[] = "0123456789abcdef";
    // Sized once and filled in place: the windows' state is thousands of such tokens.
    const QByteArray bytes = text.toUtf8();
    const qsizetype plain = std::ranges::count_if(bytes, isPlain);
    const qsizetype at = out.size();
    out.resize(at + 1 + plain + 4 * (bytes.size() - plain));
    char* to = out.data() + at;
    *to++ = '=';
    for (const char c : bytes) {
        if (isPlain(c)) {
            *to++ = c;
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        *to++ = '\\';
        *to++ = 'x';
        *to++ = kHex[byte >> 4];
        *to++ = kHex[byte & 15];
    }
    return out;
}

std::optional<QString> decode(const QString& token) {
    if (!token.startsWith(QLatin1Char('=')))
        return std::nullopt;
    QByteArray bytes;
    for (qsizetype i = 1; i < token.size(); ++i) {
        if (token[i] != QLatin1Char('\\')) {
            bytes += token[i].toLatin1();
            continue;
        }
        bool ok = false;
        const int byte = token.mid(i + 2, 2).toInt(&ok, 16);
        if (token.mid(i + 1, 1) != QLatin1String("x") || token.mid(i + 2, 2).size() != 2 || !ok)
            return std::nullopt;
        bytes += static_cast<char>(byte);
        i += 3;
    }
    return QString::fromUtf8(bytes);
}

QByteArray& appendNumber(QByteArray& out, double value) {
    // Whole numbers, the places and sizes of nearly every control, and short binary fractions, a
    // font's 9.75 points, have an exact short decimal form: written the same way as by the general
    // routine, without its cost.
    if (value == std::trunc(value) && std::fabs(value) < 1e15 &&
        !(value == 0 && std::signbit(value)))
        return appendWhole(out, static_cast<qint64>(value));
    if (std::fabs(value) < 1e6 && value * 1024 == std::trunc(value * 1024)) {
        char digits[32];
        const auto made =
            std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 17);
        return out.append(digits, made.ptr - digits);
    }
    return out += QByteArray::number(value, 'g', 17);
}

QByteArray& appendWhole(QByteArray& out, qint64 value) {
    char digits[24];
    const auto made = std::to_chars(digits, digits + sizeof digits, value);
    return out.append(digits, made.ptr - digits);
}

EndState endStateOf(const MainWindow& status) {
    EndState end;
    for (const Field& field : kFields)
        end.emplace_back(QLatin1String(field.name), (status.*field.label).text());
    end.emplace_back(QStringLiteral("rope"),
                     status.hasRope() ? QStringLiteral("1") : QStringLiteral("0"));
    end.emplace_back(QStringLiteral("message"), status.message());
    return end;
}

QByteArray headerLines(std::int64_t startTime, std::uint32_t seed, std::uint64_t draws,
                       const std::optional<ui::GameSeed>& gameSeed) {
    QString header = QStringLiteral("Vexmoor recording %1 %2\nclock %3\nrandom %4 %5\n")
                         .arg(kFormatVersion)
                         .arg(QStringLiteral(VEXMOOR_VERSION))
                         .arg(startTime)
                         .arg(seed)
                         .arg(draws);
    if (gameSeed)
        header += QStringLiteral("seed ") + gameSeed->text() + QLatin1Char('\n');
    return header.toLatin1();
}

QByteArray eventLine(const Event& event) {
    QByteArray line = QByteArray::number(event.time) + ' ' + event.kind.toLatin1();
    const Kind* kind = kindNamed(event.kind);
    for (qsizetype i = 0; i < event.args.size(); ++i) {
        const bool text = kind && kind->args[i] == 't';
        line += ' ';
        if (text)
            appendEncoded(line, event.args[i]);
        else
            line += event.args[i].toLatin1();
    }
    return line + '\n';
}

QByteArray endLine(std::int64_t time, const EndState& end) {
    QByteArray line = QByteArray::number(time) + " end";
    for (const auto& [name, value] : end)
        appendEncoded(line += ' ' + name.toLatin1(), value);
    return line + '\n';
}

QByteArray write(const Recording& recording) {
    QByteArray text =
        headerLines(recording.startTime, recording.seed, recording.draws, recording.gameSeed);
    for (const StateLine& state : recording.state)
        text += state.text.toLatin1() + '\n';
    for (const Event& event : recording.events)
        text += eventLine(event);
    return recording.ended ? text + endLine(recording.endTime, recording.end) : text;
}

namespace {

// The first three lines: the format, the clock and the generator where the game begins.
std::optional<QString> parseHeader(const QStringList& tokens, int number, Recording& recording) {
    bool ok = false, more = true;
    switch (number) {
    case 1:
        if (tokens.size() != 4 || tokens[0] != QLatin1String("Vexmoor") ||
            tokens[1] != QLatin1String("recording"))
            return QStringLiteral("not a Vexmoor recording");
        if (tokens[2] == QLatin1String("1"))
            return QStringLiteral("a recording of an older game (version 1); this one replays "
                                  "versions %1 to %2")
                .arg(kOldestFormatVersion)
                .arg(kFormatVersion);
        if (const int version = tokens[2].toInt(); QString::number(version) != tokens[2] ||
                                                   version < kOldestFormatVersion ||
                                                   version > kFormatVersion)
            return QStringLiteral("unknown recording version ") + tokens[2];
        recording.gameVersion = tokens[3];
        return std::nullopt;
    case 2:
        recording.startTime = tokens.value(1).toLongLong(&ok);
        if (tokens.size() != 2 || tokens[0] != QLatin1String("clock") || !ok ||
            recording.startTime < 0)
            return QStringLiteral("the clock is missing");
        return std::nullopt;
    default:
        recording.seed = tokens.value(1).toUInt(&ok);
        recording.draws = tokens.value(2).toULongLong(&more);
        if (tokens.size() != 3 || tokens[0] != QLatin1String("random") || !ok || !more)
            return QStringLiteral("the random generator is missing");
        if (recording.draws > kMaxDraws)
            return QStringLiteral("more random draws than any game makes");
        return std::nullopt;
    }
}

// The line after the header of a seeded game: "seed" and the game's seed as GameSeed writes it.
std::optional<QString> parseSeed(const QString& line, Recording& recording) {
    recording.gameSeed = ui::GameSeed::fromText(line.mid(QStringLiteral("seed ").size()));
    if (!recording.gameSeed)
        return QStringLiteral("the game's seed is damaged");
    return std::nullopt;
}

bool isStateLine(const QString& keyword) {
    for (const char* state : {"window", "timer", "control", "array"})
        if (keyword == QLatin1String(state))
            return true;
    return false;
}

// An event line after the header and the windows' state.
std::optional<QString> parseEvent(const QStringList& tokens, int number, Recording& recording) {
    bool ok = false;
    const std::int64_t time = tokens[0].toLongLong(&ok);
    const std::int64_t before =
        recording.events.empty() ? recording.startTime : recording.events.back().time;
    if (!ok || time < before)
        return QStringLiteral("the time is wrong");
    const QString name = tokens.value(1);
    if (name == QLatin1String("end")) {
        const auto end = endFields(tokens.mid(2));
        if (!end)
            return QStringLiteral("the end line is damaged");
        recording.end = *end;
        recording.endTime = time;
        recording.endLine = number;
        recording.ended = true;
        return std::nullopt;
    }
    const Kind* kind = kindNamed(name);
    if (!kind)
        return QStringLiteral("unknown event \"%1\"").arg(name);
    const QString types = QLatin1String(kind->args);
    const QStringList args = tokens.mid(2);
    bool fit = args.size() == types.size();
    for (qsizetype a = 0; fit && a < args.size(); ++a)
        fit = fits(types[a], args[a]);
    if (!fit)
        return QStringLiteral("the \"%1\" event is damaged").arg(name);
    Event event{time, name, {}, number};
    for (qsizetype a = 0; a < args.size(); ++a)
        event.args += types[a] == QLatin1Char('t') ? *decode(args[a]) : args[a];
    recording.events.push_back(event);
    return std::nullopt;
}

} // namespace

std::variant<Recording, QString> parse(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    Recording recording;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        QByteArray bytesOfLine = lines[i];
        if (bytesOfLine.endsWith('\r'))
            bytesOfLine.chop(1);
        for (const char c : bytesOfLine)
            if (c < ' ' || c > '~')
                return lineError(number, QStringLiteral("not text"));
        // The last line is whole only with its line end: a program that died may have left half.
        if (i + 1 == lines.size())
            break;
        const QString text = QString::fromLatin1(bytesOfLine);
        const QStringList tokens = text.split(QLatin1Char(' '));
        if (recording.ended)
            return lineError(number, QStringLiteral("more after the end line"));
        std::optional<QString> fault;
        if (number <= 3)
            fault = parseHeader(tokens, number, recording);
        else if (number == 4 && tokens[0] == QLatin1String("seed"))
            fault = parseSeed(text, recording);
        else if (isStateLine(tokens[0]) && recording.events.empty())
            recording.state.push_back({text, number});
        else
            fault = parseEvent(tokens, number, recording);
        if (fault)
            return lineError(number, *fault);
    }
    const int whole = static_cast<int>(lines.size()) - 1;
    if (whole < 3)
        return lineError(whole + 1, QStringLiteral("the recording stops in its header"));
    if (!recording.ended)
        recording.endLine = whole + 1;
    return recording;
}

std::variant<Recording, QString> read(const QString& path) {
    // Only a regular file: opening a pipe would wait for a writer.
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot be read");
    if (info.size() > kMaxBytes)
        return QStringLiteral("is larger than %1 MB, more than any recording of a game")
            .arg(kMaxBytes >> 20);
    return parse(file.read(kMaxBytes));
}

} // namespace recording
