#pragma once

#include <QHash>
#include <QHostAddress>
#include <QString>
#include <vector>

// The server's limits against people who guess passwords, flood it or hold its connections, all
// in one place.
namespace limits {

// A sixth wrong password within a minute, for one name or from one address, is refused, even a
// right one, until the oldest of them is a minute old.
constexpr int kWrongPasswords = 5;
constexpr qint64 kWrongPasswordSeconds = 60;
// Sign-ups and sign-ins whose password hash is waiting or under way; the next is refused.
constexpr int kHashesWaiting = 32;
// Open connections from one address; the next is closed at once.
constexpr int kConnectionsPerAddress = 20;
// WebSocket messages a connection may send within one second; one more closes it. A key held
// down repeats about 30 times a second.
constexpr int kMessagesPerSecond = 50;
// The longest WebSocket message; a longer one closes its connection.
constexpr qint64 kMessageBytes = 4096;
// A connection that has not sent its whole request by then is dropped.
constexpr int kRequestMs = 30000;

// Milliseconds on a steady clock; a test sets its own.
using Clock = qint64 (*)();
qint64 steadyMs();

} // namespace limits

// The wrong passwords of the last minute, by name and by address.
class WrongPasswords {
  public:
    // What refuses a sign-in of this name from this address: "a name", "an address" or nothing.
    const char* refusal(const QString& name, const QString& address, qint64 now);
    void add(const QString& name, const QString& address, qint64 now);
    // Takes back one added at that time, a password that proved right.
    void remove(const QString& name, const QString& address, qint64 at);

  private:
    // Forgets what is older than a minute.
    void forgetOld(qint64 now);

    QHash<QString, std::vector<qint64>> times_; // keyed "name:..." and "address:..."
};

// The connections open by address. Those from this machine go uncounted: a reverse proxy in front
// of the server brings every player's connection from there, and caps them itself.
class OpenConnections {
  public:
    // Whether one more may open from this address; if so, it counts until closed.
    bool open(const QHostAddress& address);
    void closed(const QHostAddress& address);

  private:
    QHash<QString, int> open_;
};
