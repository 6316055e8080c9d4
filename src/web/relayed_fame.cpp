#include "web/relayed_fame.h"

#include "web/outbox.h"

#include <QJsonArray>
#include <cmath>

namespace {

// A whole number of a message, or nothing.
std::optional<int> wholeOf(const QJsonValue& value) {
    const double number = value.toDouble(std::nan(""));
    if (!(number >= 0 && number <= 1e9) || number != std::floor(number))
        return std::nullopt;
    return static_cast<int>(number);
}

std::optional<FameEntry> rowOf(const QJsonValue& value) {
    const QJsonObject row = value.toObject();
    const auto level = wholeOf(row.value(QLatin1String("level")));
    const auto ending = endingOfKey(row.value(QLatin1String("ending")).toString());
    if (!level || !ending)
        return std::nullopt;
    const QJsonValue seed = row.value(QLatin1String("seed"));
    return FameEntry{row.value(QLatin1String("name")).toString(),
                     *level,
                     *ending,
                     wholeOf(row.value(QLatin1String("continues"))).value_or(0),
                     row.value(QLatin1String("date")).toString(),
                     row.value(QLatin1String("cheated")).toBool(),
                     wholeOf(row.value(QLatin1String("serial"))).value_or(0),
                     seed.isString() ? ui::seedFromText(seed.toString()) : std::nullopt,
                     row.value(QLatin1String("day")).toString()};
}

// A table's rows as the server sent them, kShown at most.
std::vector<FameEntry> rowsOf(const QJsonValue& rows) {
    std::vector<FameEntry> table;
    for (const QJsonValue& row : rows.toArray())
        if (const auto entry = rowOf(row);
            entry && table.size() < static_cast<std::size_t>(FameTable::kShown))
            table.push_back(*entry);
    return table;
}

} // namespace

FameTable::Entered RelayedFame::enter(const FameEntry& game, std::optional<int> serial) {
    int asked = 0;
    {
        const std::lock_guard lock(mutex_);
        asked = ++asked_;
        waiting_.insert(asked);
    }
    QJsonObject message{{QLatin1String("t"), QStringLiteral("fame")},
                        {QLatin1String("game"), asked},
                        {QLatin1String("name"), game.name},
                        {QLatin1String("level"), game.level},
                        {QLatin1String("ending"), endingKey(game.ending)},
                        {QLatin1String("continues"), game.continuesUsed},
                        {QLatin1String("cheated"), game.cheated},
                        {QLatin1String("date"), game.date}};
    if (serial)
        message[QLatin1String("serial")] = *serial;
    if (game.seed)
        message[QLatin1String("seed")] = QString::number(*game.seed);
    if (!game.day.isEmpty())
        message[QLatin1String("day")] = game.day;
    out_.send(message);
    std::unique_lock lock(mutex_);
    replied_.wait_for(lock, patience_, [&] { return gone_ || replies_.contains(asked); });
    waiting_.erase(asked);
    const auto reply = replies_.find(asked);
    if (reply == replies_.end())
        return {serial, false};
    const Entered entered = reply->second;
    replies_.erase(reply);
    return entered;
}

bool RelayedFame::take(const QJsonObject& message) {
    const QString type = message.value(QLatin1String("t")).toString();
    if (type == QLatin1String("fameTable")) {
        std::vector<FameEntry> table = rowsOf(message.value(QLatin1String("rows")));
        std::vector<FameEntry> today = rowsOf(message.value(QLatin1String("today")));
        const std::lock_guard lock(mutex_);
        table_ = std::move(table);
        today_ = std::move(today);
        return true;
    }
    if (type != QLatin1String("fameEntered"))
        return false;
    const auto game = wholeOf(message.value(QLatin1String("game")));
    const std::lock_guard lock(mutex_);
    // Only the entry waiting hears its reply: a late one is no reply.
    if (!game || !waiting_.contains(*game))
        return true;
    replies_[*game] = {wholeOf(message.value(QLatin1String("serial"))),
                       message.value(QLatin1String("saved")).toBool()};
    replied_.notify_all();
    return true;
}

void RelayedFame::serverGone() {
    const std::lock_guard lock(mutex_);
    gone_ = true;
    replied_.notify_all();
}

std::vector<FameEntry> RelayedFame::best() {
    const std::lock_guard lock(mutex_);
    return table_;
}

std::vector<FameEntry> RelayedFame::today(const QString&) {
    const std::lock_guard lock(mutex_);
    return today_;
}

QString RelayedFame::place() const {
    return QStringLiteral("the server's table");
}
