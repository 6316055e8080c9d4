#include "ui/game_seed.h"

#include <QStringList>
#include <algorithm>

namespace ui {

namespace {

// The finalizer of splitmix64: every bit of the input stirs every bit of the output.
std::uint64_t stirred(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15U;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9U;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebU;
    return x ^ (x >> 31);
}

} // namespace

std::uint32_t GameSeed::next(Reseed kind) {
    const auto index = static_cast<std::size_t>(kind);
    const std::uint64_t of = stirred((std::uint64_t{seed} << 8) | index);
    return static_cast<std::uint32_t>(stirred(of ^ reseeds[index]++) >> 32);
}

QString GameSeed::text() const {
    QString text = QString::number(seed);
    for (const std::uint32_t count : reseeds)
        text += QLatin1Char(' ') + QString::number(count);
    return day.isEmpty() ? text : text + QLatin1Char(' ') + day;
}

std::optional<GameSeed> GameSeed::fromText(const QString& text) {
    QStringList numbers = text.split(QLatin1Char(' '));
    QString day;
    if (numbers.size() == 2 + kReseedKinds) {
        day = numbers.takeLast();
        if (!isChallengeDay(day))
            return std::nullopt;
    }
    if (numbers.size() != 1 + kReseedKinds)
        return std::nullopt;
    std::array<std::uint32_t, 1 + kReseedKinds> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto value = seedFromText(numbers[static_cast<qsizetype>(i)]);
        if (!value)
            return std::nullopt;
        values[i] = *value;
    }
    GameSeed game{values[0], {}, day};
    std::copy(values.begin() + 1, values.end(), game.reseeds.begin());
    return game;
}

std::optional<std::uint32_t> seedFromText(const QString& text) {
    const bool digits = !text.isEmpty() && std::ranges::all_of(text, [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    bool ok = false;
    const std::uint32_t value = digits ? text.toUInt(&ok) : 0;
    return ok ? std::optional(value) : std::nullopt;
}

bool isChallengeDay(const QString& text) {
    return QDate::fromString(text, Qt::ISODate).toString(Qt::ISODate) == text;
}

std::uint32_t dailySeed(const QDate& day) {
    // FNV-1a of the date as 2026-12-08.
    std::uint32_t hash = 2166136261U;
    for (const char c : day.toString(Qt::ISODate).toLatin1()) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619U;
    }
    return hash;
}

GameSeed dailyChallenge(const QDate& day) {
    return {dailySeed(day), {}, day.toString(Qt::ISODate)};
}

} // namespace ui
