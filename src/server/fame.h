#pragma once

#include "server/store.h"

#include <QJsonArray>
#include <QJsonObject>
#include <optional>

// The server's hall of fame as the messages carry it.
namespace fame {

inline constexpr int kShown = 10;

// A game process's "fame": the game as it ended, for that player; nothing when it is not one.
std::optional<FameRow> rowFrom(const QJsonObject& message, int player);

// The rows for the front page, each ending told in words ("fell into the ravine"), best first.
QJsonArray forPage(const std::vector<FameRow>& rows);
// The "fameTable" message for the game processes: the same rows with their serials and the
// endings' keys.
QJsonObject tableMessage(const std::vector<FameRow>& rows);

} // namespace fame
