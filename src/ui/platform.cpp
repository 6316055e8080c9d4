#include "ui/platform.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <utility>

namespace ui {

QString Platform::today() const {
    return QDate::currentDate().toString(Qt::ISODate);
}

QString Platform::challengeDay() const {
    return QDateTime::currentDateTimeUtc().date().toString(Qt::ISODate);
}

std::uint32_t Platform::clockSeed() const {
    return static_cast<std::uint32_t>(std::lround(timeOfDay() * 1000));
}

void Platform::reseedFor(Reseed kind) {
    reseed(gameSeed_ ? gameSeed_->next(kind) : clockSeed());
}

void Platform::setProgramSeed(const std::optional<GameSeed>& seed, bool once) {
    programSeed_ = seed;
    programSeedOnce_ = once;
    // Without a seed given, the first game's is drawn now, so that what the program records from
    // its start names it.
    gameSeed_ = seed.value_or(GameSeed{clockSeed(), {}, {}});
    firstGameSeed_ = !seed;
    reseed(gameSeed_->seed);
}

void Platform::setGameSeed(const std::optional<GameSeed>& seed) {
    gameSeed_ = seed;
    firstGameSeed_ = false;
}

void Platform::startGameSeed() {
    const bool first = std::exchange(firstGameSeed_, false) && gameSeed_;
    GameSeed seed = first ? *gameSeed_ : programSeed_.value_or(GameSeed{clockSeed(), {}, {}});
    seed.reseeds = {};
    gameSeed_ = seed;
    if (programSeedOnce_)
        programSeed_.reset();
}

int draw(Platform& platform, double n) {
    // A source may give 1.0 now and then (a rounding distribution); a draw stays at n at most.
    const double u = std::min(platform.random(), std::nextafter(1.0, 0.0));
    return static_cast<int>(std::floor(u * n)) + 1;
}

} // namespace ui
