#include "ui/platform.h"

#include <QDate>
#include <algorithm>
#include <cmath>

namespace ui {

QString Platform::today() const {
    return QDate::currentDate().toString(Qt::ISODate);
}

std::uint32_t Platform::clockSeed() const {
    return static_cast<std::uint32_t>(std::lround(timeOfDay() * 1000));
}

void Platform::reseedFor(Reseed kind) {
    reseed(gameSeed_ ? gameSeed_->next(kind) : clockSeed());
}

void Platform::setProgramSeed(std::optional<std::uint32_t> seed) {
    programSeed_ = seed;
    startGameSeed();
    reseed(seed.value_or(clockSeed()));
}

void Platform::startGameSeed() {
    gameSeed_.reset();
    if (programSeed_)
        gameSeed_ = GameSeed{*programSeed_, {}};
}

int draw(Platform& platform, double n) {
    // A source may give 1.0 now and then (a rounding distribution); a draw stays at n at most.
    const double u = std::min(platform.random(), std::nextafter(1.0, 0.0));
    return static_cast<int>(std::floor(u * n)) + 1;
}

} // namespace ui
