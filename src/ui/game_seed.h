#pragma once

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace ui {

// What a reseed of the generator is for. A seeded game counts the reseeds of each apart, so that
// its boards stay the same however long a board drifted before them.
enum class Reseed { Level, PathExit, Drift, Prayer };
inline constexpr std::size_t kReseedKinds = 4;

// The seed of a game that has one, and the reseeds it has made of each kind. Each reseed draws
// from these alone, never from the clock, so the same seed and the same keys give the same game
// on every machine.
struct GameSeed {
    std::uint32_t seed = 0;
    std::array<std::uint32_t, kReseedKinds> reseeds{};
    // The UTC date (yyyy-MM-dd) of the daily challenge the game plays; empty for any other game.
    QString day;

    // The generator's seed for the next reseed of this kind, which is counted.
    std::uint32_t next(Reseed kind);
    // "777 3 2 140 0": the seed, then the reseeds of each kind, then the challenge's day if any, as
    // a save and a recording keep it.
    QString text() const;
    // Nothing unless the text holds exactly those five whole numbers and at most a day.
    static std::optional<GameSeed> fromText(const QString& text);

    bool operator==(const GameSeed&) const = default;
};

// A seed written as decimal digits alone, 0 to 4294967295; nothing for any other text.
std::optional<std::uint32_t> seedFromText(const QString& text);

// Whether the text is a challenge's day as games mark it: a real date written yyyy-MM-dd.
bool isChallengeDay(const QString& text);

// The seed of the day's game, the same for everyone on that calendar day.
std::uint32_t dailySeed(const QDate& day);
// The day's challenge: the day's seed, marked with its day.
GameSeed dailyChallenge(const QDate& day);

} // namespace ui
