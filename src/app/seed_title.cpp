#include "app/seed_title.h"

#include "shell/game.h"

std::optional<QString> SeedTitle::update(Game& game) {
    const auto& gameSeed = game.platform().gameSeed();
    const auto seed = gameSeed ? std::optional(gameSeed->seed) : std::nullopt;
    if (seed == seed_)
        return std::nullopt;
    seed_ = seed;
    const QString caption = game.mainWindow().caption();
    if (!seed)
        return caption;
    return caption + (unicode_ ? QStringLiteral(" — seed ") : QStringLiteral(" - seed ")) +
           QString::number(*seed);
}
