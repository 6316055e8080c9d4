#pragma once

#include "shell/hall_of_fame.h"

#include <QJsonObject>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>

class Outbox;

// The server's hall of fame, which every game of every player enters: a game that ends is sent as
// "fame" and the entry waits, in the background, for the server's "fameEntered", so long at most;
// a reply that comes late or never counts as not saved, and the player is told. The table shown is
// the last "fameTable" the server sent.
class RelayedFame : public FameTable {
  public:
    RelayedFame(Outbox& out, std::chrono::milliseconds patience) : out_(out), patience_(patience) {}

    Entered enter(const FameEntry& game, std::optional<int> serial) override;
    std::vector<FameEntry> best() override;
    // The server's table of the day's challenge, whichever day is asked for: the server keeps
    // the day.
    std::vector<FameEntry> today(const QString& day) override;
    QString place() const override;

    // A message of the server's, on the thread that reads them: true when it was the table's.
    bool take(const QJsonObject& message);
    // The server is gone: no reply comes any more.
    void serverGone();

  private:
    Outbox& out_;
    const std::chrono::milliseconds patience_;
    std::mutex mutex_;
    std::condition_variable replied_;
    int asked_ = 0;
    std::set<int> waiting_;
    std::map<int, Entered> replies_;
    std::vector<FameEntry> table_, today_;
    bool gone_ = false;
};
