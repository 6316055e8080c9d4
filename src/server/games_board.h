#pragma once

#include "server/games.h"
#include "server/store.h"

#include <QJsonArray>
#include <QTimer>

// This server's games under way, published in the database every few seconds so that the other
// servers on it list them on their front pages, and withdrawn when the board goes.
class GamesBoard {
  public:
    static constexpr int kPublishMs = 5000;

    GamesBoard(Store& store, const Games& games);
    ~GamesBoard();
    GamesBoard(const GamesBoard&) = delete;
    GamesBoard& operator=(const GamesBoard&) = delete;

    // Publishes now and every few seconds under this server's name.
    void start(const QString& server);
    // The games under way as GET /api/games lists them: this server's, then the other servers',
    // each of those with its server's name.
    QJsonArray list() const;

  private:
    void publish();

    Store& store_;
    const Games& games_;
    QString server_;
    QTimer timer_;
};
