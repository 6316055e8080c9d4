#pragma once

#include <QString>

// The folder of recorded games: game-DATE-TIME-PROCESS.txt for the games that ended, and the
// same name with "-ended-unexpectedly" for those whose program died before their end line.
namespace recordings {

inline constexpr int kKept = 20;

// Each recording left behind without its end line, by a program no longer running, is named as
// one that ended unexpectedly; one that stops in its header, empty or torn by a full disk, is
// removed, as it holds nothing to replay.
void setAsideUnfinished(const QString& folder);
// Only the newest kKept of the ended ones stay, and the newest kKept of the unexpected ones;
// files that are being written stay whatever their age.
void prune(const QString& folder);

} // namespace recordings
