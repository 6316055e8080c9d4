#include "app/seed_title.h"

#include "shell/game.h"

std::optional<QString> SeedTitle::update(Game& game) {
    const ui::Platform& platform = game.platform();
    // Before the program's first game a seed of the clock's is not shown: the title stays the
    // game's own.
    const std::optional<ui::GameSeed> gameSeed =
        platform.seedAwaitsFirstGame() ? std::nullopt : platform.gameSeed();
    const auto named =
        gameSeed ? std::optional(std::pair(gameSeed->seed, gameSeed->day)) : std::nullopt;
    if (named == named_)
        return std::nullopt;
    named_ = named;
    const QString caption = game.mainWindow().caption();
    if (!gameSeed)
        return caption;
    const QString dash = unicode_ ? QStringLiteral(" — ") : QStringLiteral(" - ");
    // Days written yyyy-MM-dd compare as their text does.
    if (hideChallenge_ && !gameSeed->day.isEmpty() && gameSeed->day >= platform.challengeDay())
        return caption + dash + QStringLiteral("today's challenge");
    return caption + dash + QStringLiteral("seed ") + QString::number(gameSeed->seed);
}
