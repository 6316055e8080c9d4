#include "app/recorded_session.h"

RecordedSession::RecordedSession(ui::Platform& real, const std::optional<ui::GameSeed>& seed,
                                 bool once)
    : platform(real, seed, once), game(platform),
      recorder(game, platform,
               real.dataFolder().isEmpty() ? QString()
                                           : real.dataFolder() + QStringLiteral("/recordings")) {}
