#include "app/recorded_session.h"

RecordedSession::RecordedSession(ui::Platform& real, std::optional<std::uint32_t> seed)
    : platform(real, seed), game(platform),
      recorder(game, platform,
               real.dataFolder().isEmpty() ? QString()
                                           : real.dataFolder() + QStringLiteral("/recordings")) {}
