// The hall of fame's table and its file "halloffame.txt": a header line, then one game a line,
// its fields separated by tabs and the name last, with backslash, tab and line ends escaped so any
// name comes back as typed. Older versions of the game read that file too, so the games' seeds and
// challenge days are kept beside it in "halloffame-seeds.txt": a header line, then a line for each
// game that has either, its seed and day before the game's own line as the table has it.
#include "shell/hall_of_fame.h"

#include "save/save_file.h"
#include "ui/background.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>

namespace {

const QByteArray kHeader = "Vexmoor hall of fame 1";
const QByteArray kSeedsHeader = "Vexmoor hall of fame seeds 1";
constexpr int kFieldCount = 7;
// Ten lines of the longest names fit many times over.
constexpr qint64 kMaxTableSize = 256 * 1024;
// How long a game that ends waits for another copy of the game to finish writing the table; past
// that it writes anyway, as that copy may hang.
constexpr int kLockWaitMs = 5000;

QString escaped(const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else
            out += c;
    }
    return out;
}

std::optional<QString> unescaped(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\\')) {
            out += text[i];
            continue;
        }
        if (++i >= text.size())
            return std::nullopt;
        switch (text[i].unicode()) {
        case '\\':
            out += QLatin1Char('\\');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

std::optional<int> wholeNumber(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= 0 ? std::optional<int>(value) : std::nullopt;
}

std::optional<FameEntry> parseEntry(const QString& line) {
    const QStringList fields = line.split(QLatin1Char('\t'));
    if (fields.size() != kFieldCount)
        return std::nullopt;
    const auto level = wholeNumber(fields[0]);
    const auto ending = endingOfKey(fields[1]);
    const auto continues = wholeNumber(fields[2]);
    // A serial leaves room for the next game's.
    const auto serial = wholeNumber(fields[5]);
    const bool roomAfter = serial && *serial < INT_MAX;
    const auto name = unescaped(fields[6]);
    const bool cheatKnown = fields[3] == QLatin1String("0") || fields[3] == QLatin1String("1");
    if (!level || !ending || !continues || !cheatKnown || !roomAfter || !name)
        return std::nullopt;
    return FameEntry{*name,      *level,       *ending,
                     *continues, fields[4],    fields[3] == QLatin1String("1"),
                     *serial,    std::nullopt, QString()};
}

QString lineOf(const FameEntry& entry) {
    return QStringList{QString::number(entry.level),
                       endingKey(entry.ending),
                       QString::number(entry.continuesUsed),
                       entry.cheated ? QStringLiteral("1") : QStringLiteral("0"),
                       entry.date,
                       QString::number(entry.serial),
                       escaped(entry.name)}
        .join(QLatin1Char('\t'));
}

// A game's seed and challenge day, and its line of the table they belong to.
struct KeptSeed {
    QString line;
    std::optional<std::uint32_t> seed;
    QString day;
};

std::optional<KeptSeed> parseSeed(const QString& line) {
    const QStringList fields = line.split(QLatin1Char('\t'));
    if (fields.size() != 2 + kFieldCount)
        return std::nullopt;
    const auto seed = ui::seedFromText(fields[0]);
    const QString& day = fields[1];
    const bool dayKnown = day.isEmpty() || ui::isChallengeDay(day);
    const auto entry = parseEntry(fields.mid(2).join(QLatin1Char('\t')));
    if ((!seed && !fields[0].isEmpty()) || !dayKnown || !entry)
        return std::nullopt;
    return KeptSeed{lineOf(*entry), seed, day};
}

QByteArray seedLineOf(const FameEntry& entry) {
    const QString seed = entry.seed ? QString::number(*entry.seed) : QString();
    return (seed + QLatin1Char('\t') + entry.day + QLatin1Char('\t') + lineOf(entry)).toUtf8();
}

// The lines of a file after its header, each as parse reads it; nothing when the file is damaged:
// another header, too long, or a line parse refuses.
template <class T>
std::optional<std::vector<T>> linesOf(const QByteArray& bytes, const QByteArray& header,
                                      std::optional<T> (*parse)(const QString&)) {
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.value(0).trimmed() != header || bytes.size() > kMaxTableSize)
        return std::nullopt;
    std::vector<T> read;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].endsWith('\r') ? lines[i].chopped(1) : lines[i];
        if (line.isEmpty())
            continue;
        std::optional<T> parsed = parse(QString::fromUtf8(line));
        if (!parsed)
            return std::nullopt;
        read.push_back(std::move(*parsed));
    }
    return read;
}

// Writes the whole file at once; a pipe, a device or a folder in its place is not replaced.
bool writeWhole(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    QSaveFile file(path);
    return (!target.exists() || target.isFile()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size() && file.flush() && file.commit();
}

bool before(const FameEntry& a, const FameEntry& b) {
    if (a.level != b.level)
        return a.level > b.level;
    if (a.date != b.date)
        return a.date < b.date;
    return a.serial < b.serial;
}

// The best of these games, kShown at most, best first.
std::vector<FameEntry> bestOf(std::vector<FameEntry> games) {
    std::ranges::sort(games, before);
    if (games.size() > static_cast<size_t>(FameTable::kShown))
        games.resize(FameTable::kShown);
    return games;
}

std::vector<FameEntry> ofDay(const std::vector<FameEntry>& games, const QString& day) {
    std::vector<FameEntry> played;
    std::ranges::copy_if(games, std::back_inserter(played),
                         [&day](const FameEntry& e) { return e.day == day; });
    return played;
}

// Moves a damaged file to a free name beside it, so an older damaged copy is never replaced, and
// says where.
QString setAside(const QString& path) {
    QString name = path + QStringLiteral(".damaged");
    for (int i = 1; QFileInfo::exists(name); ++i)
        name = path + QStringLiteral(".damaged.") + QString::number(i);
    QFile::rename(path, name);
    return QFileInfo(name).fileName() + QLatin1Char('.');
}

} // namespace

HallOfFame::HallOfFame(QString filePath)
    : HallOfFame(std::make_unique<FameFile>(std::move(filePath))) {}

HallOfFame::HallOfFame(std::unique_ptr<FameTable> table) : table_(std::move(table)) {}

HallOfFame::~HallOfFame() {
    settle();
}

void HallOfFame::settle() {
    if (!writing_.valid())
        return;
    const FameTable::Entered entered = writing_.get();
    if (writingFor_ == gamesBegun_)
        game_.serial = entered.serial;
    if (entered.serial)
        latest_ = entered.serial;
    lastSaved_ = entered.saved;
    writing_ = {};
}

bool HallOfFame::takeLostEntry() {
    if (!untold_)
        return false;
    if (!refused_) {
        if (writing_.valid() &&
            writing_.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
            return false;
        settle();
    }
    untold_ = false;
    return refused_ || !lastSaved_;
}

void HallOfFame::beginGame() {
    game_ = {};
    ++gamesBegun_;
}

void HallOfFame::continued() {
    ++game_.continues;
}

void HallOfFame::cheated(double levelLeft) {
    game_.cheated = true;
    game_.reached = std::max(game_.reached, levelLeft);
}

void HallOfFame::gameEnded(const QString& name, double level, Ending ending, const QString& date,
                           const std::optional<ui::GameSeed>& seed) {
    const double best = std::max(level, game_.reached);
    const int reached = std::isfinite(best) ? static_cast<int>(std::clamp(best, 0.0, 1e6)) : 0;
    const FameEntry entry{name,
                          reached,
                          ending,
                          game_.continues,
                          date,
                          game_.cheated,
                          0,
                          seed ? std::optional(seed->seed) : std::nullopt,
                          seed ? seed->day : QString()};
    // Each entry follows the one before it, which it waits for in the background; when that one
    // was this game's, it brings the serial this ending updates.
    const bool sameGame = writing_.valid() && writingFor_ == gamesBegun_;
    writingFor_ = gamesBegun_;
    const auto write = [=, table = table_.get(), serial = game_.serial, before = writing_] {
        std::optional<int> updated = serial;
        if (before.valid()) {
            const std::optional<int> entered = before.get().serial;
            if (sameGame)
                updated = entered;
        }
        return table->enter(entry, updated);
    };
    writing_ = ui::inBackground(write).share();
    untold_ = true;
    refused_ = table_->writeRefused();
}

std::vector<FameEntry> HallOfFame::best() {
    settle();
    std::vector<FameEntry> table = table_->best();
    if (table.size() > static_cast<size_t>(kShown))
        table.resize(kShown);
    return table;
}

std::vector<FameEntry> HallOfFame::today(const QString& day) {
    settle();
    std::vector<FameEntry> table = table_->today(day);
    if (table.size() > static_cast<size_t>(kShown))
        table.resize(kShown);
    return table;
}

std::optional<int> HallOfFame::latest() {
    settle();
    return latest_;
}

QString HallOfFame::takeNotice() {
    settle();
    return table_->takeNotice();
}

bool FameFile::writeRefused() const {
    if (path_.isEmpty())
        return false;
    const QFileInfo table(path_);
    const QFileInfo folder(table.absolutePath());
    return (table.exists() && (!table.isFile() || !table.isReadable())) ||
           (folder.exists() && (!folder.isDir() || !folder.isWritable()));
}

QString FameFile::place() const {
    return QDir::toNativeSeparators(path_);
}

FameTable::Entered FameFile::enter(const FameEntry& game, std::optional<int> serial) {
    std::optional<QLockFile> lock;
    if (!path_.isEmpty()) {
        QDir().mkpath(QFileInfo(path_).absolutePath());
        lock.emplace(path_ + QStringLiteral(".lock"));
        static_cast<void>(lock->tryLock(kLockWaitMs));
    }
    load();
    auto entry = std::ranges::find_if(
        entries_, [&serial](const FameEntry& e) { return serial && e.serial == *serial; });
    if (entry == entries_.end()) {
        const int next = nextSerial();
        entries_.emplace_back().serial = next;
        entry = std::prev(entries_.end());
    }
    entry->name = game.name;
    entry->level = std::max(entry->level, game.level);
    entry->ending = game.ending;
    entry->continuesUsed = game.continuesUsed;
    entry->date = game.date;
    entry->cheated = entry->cheated || game.cheated;
    entry->seed = game.seed;
    entry->day = game.day;
    return {entry->serial, save()};
}

int FameFile::nextSerial() {
    int highest = -1;
    for (const FameEntry& e : entries_)
        highest = std::max(highest, e.serial);
    if (highest < INT_MAX - 1)
        return highest + 1;
    // The numbers ran out: the games keep their order, numbered anew from 0.
    std::ranges::sort(entries_, {}, &FameEntry::serial);
    for (std::size_t i = 0; i < entries_.size(); ++i)
        entries_[i].serial = static_cast<int>(i);
    return static_cast<int>(entries_.size());
}

std::vector<FameEntry> FameFile::best() {
    load();
    return bestOf(entries_);
}

std::vector<FameEntry> FameFile::today(const QString& day) {
    load();
    return bestOf(ofDay(entries_, day));
}

std::vector<FameEntry> FameFile::kept() const {
    QString latestDay;
    for (const FameEntry& e : entries_)
        latestDay = std::max(latestDay, e.day);
    std::vector<FameEntry> table = bestOf(entries_);
    if (!latestDay.isEmpty())
        for (const FameEntry& e : bestOf(ofDay(entries_, latestDay)))
            if (std::ranges::find(table, e.serial, &FameEntry::serial) == table.end())
                table.push_back(e);
    std::ranges::sort(table, before);
    return table;
}

QString FameFile::takeNotice() {
    load();
    return std::exchange(notice_, {});
}

QString FameFile::seedsPath() const {
    const QFileInfo table(path_);
    return QDir(table.path()).filePath(table.completeBaseName() + QStringLiteral("-seeds.txt"));
}

void FameFile::tell(const QString& notice) {
    notice_ = notice_.isEmpty() ? notice : notice_ + QLatin1Char(' ') + notice;
}

void FameFile::load() {
    // Nothing to read keeps the table as it was: a game the file could not take stays shown.
    const savefile::FileBytes file = savefile::readRegularFile(path_, kMaxTableSize + 1);
    readable_ = file.state != savefile::FileBytes::State::Unreadable;
    if (file.state != savefile::FileBytes::State::Read)
        return;
    std::optional<std::vector<FameEntry>> read = linesOf(file.bytes, kHeader, parseEntry);
    if (!read) {
        tell(QStringLiteral("The hall of fame could not be read; it was set aside as ") +
             setAside(path_));
        return;
    }
    entries_ = std::move(*read);
    loadSeeds();
}

void FameFile::loadSeeds() {
    const QString path = seedsPath();
    const savefile::FileBytes file = savefile::readRegularFile(path, kMaxTableSize + 1);
    seedsReadable_ = file.state != savefile::FileBytes::State::Unreadable;
    if (file.state != savefile::FileBytes::State::Read)
        return;
    const std::optional<std::vector<KeptSeed>> seeds = linesOf(file.bytes, kSeedsHeader, parseSeed);
    if (!seeds) {
        tell(QStringLiteral("The seeds of the hall of fame could not be read; they were set aside "
                            "as ") +
             setAside(path));
        return;
    }
    for (FameEntry& entry : entries_) {
        const auto its = std::ranges::find(*seeds, lineOf(entry), &KeptSeed::line);
        if (its != seeds->end()) {
            entry.seed = its->seed;
            entry.day = its->day;
        }
    }
}

bool FameFile::save() {
    if (path_.isEmpty())
        return true;
    // A table that could not be read is not written over: it keeps the games it holds.
    if (!readable_)
        return false;
    QByteArray table = kHeader + "\n", seeds = kSeedsHeader + "\n";
    for (const FameEntry& entry : kept()) {
        table += lineOf(entry).toUtf8() + "\n";
        if (entry.seed || !entry.day.isEmpty())
            seeds += seedLineOf(entry) + "\n";
    }
    // The seeds are only added to the table: a game entered without them is entered all the same.
    const bool saved = writeWhole(path_, table);
    if (saved && seedsReadable_)
        writeWhole(seedsPath(), seeds);
    return saved;
}
