#pragma once

#include "server/store.h"

#include <QJsonArray>
#include <QJsonObject>
#include <optional>

// The server's hall of fame as the messages carry it. The seed of a challenge game whose day is
// still on (on `today`, yyyy-MM-dd) is left out.
namespace fame {

inline constexpr int kShown = 10;

// A game process's "fame": the game as it ended, for that player; nothing when it is not one.
std::optional<FameRow> rowFrom(const QJsonObject& message, int player);

// The rows for the front page, each ending told in words ("fell into the ravine"), best first.
QJsonArray forPage(const std::vector<FameRow>& rows, const QString& today);
// The "fameTable" message for the game processes: the all-time table and today's, their rows
// with their serials and the endings' keys.
QJsonObject tableMessage(const std::vector<FameRow>& best, const std::vector<FameRow>& ofToday,
                         const QString& today);

} // namespace fame
