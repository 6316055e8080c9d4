#include "app/recorded_session.h"

RecordedSession::RecordedSession(ui::Platform& real)
    : platform(real), game(platform),
      recorder(game, platform,
               real.dataFolder().isEmpty() ? QString()
                                           : real.dataFolder() + QStringLiteral("/recordings")) {}
