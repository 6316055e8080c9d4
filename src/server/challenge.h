#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <cstdint>
#include <functional>

// The server's daily challenge: one dungeon for everyone on a UTC day, its seed made from the day
// and the secret of the server's database, so that no one can work it out and explore it
// elsewhere first. Until the day is over, its seed and its files are kept from every player.
namespace challenge {

// The UTC date, as the server takes it.
using Today = std::function<QDate()>;
QDate utcToday();

// The seed of the challenge of that day ("2026-12-08").
std::uint32_t seedOf(const QByteArray& secret, const QString& day);

// Whether a challenge's day is still on, or yet to come, on `today`.
bool isKept(const QString& day, const QString& today);

// Why a file of a challenge whose day is still on is refused.
inline constexpr char kFilesKept[] =
    "The day's challenge is still on; its files can be had after midnight UTC.";

// The challenge day a recording's seed line names; empty for a recording of any other game.
QString dayOfRecording(const QString& path);

} // namespace challenge
