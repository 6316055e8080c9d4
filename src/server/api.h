#pragma once

#include "server/accounts.h"
#include "server/games.h"
#include "server/games_board.h"
#include "server/http_reply.h"
#include "server/http_request.h"
#include "server/store.h"

#include <optional>

// The page's calls under /api/: signing up, in and out, who is signed in, the games under way,
// the hall of fame and the player's own recordings. Every POST must come from the server's own
// origin. With a board, the games under way are those of every server on the database.
class Api {
  public:
    static constexpr char kCookie[] = "vexmoor_session";

    Api(Accounts& accounts, Store& store, Games& games, const GamesBoard* board = nullptr);

    // The reply to a request under /api/, nothing for any other path.
    std::optional<HttpReply> answer(const HttpRequest& request);

  private:
    HttpReply signUpOrIn(const HttpRequest& request, bool signUp);
    HttpReply signOut(const HttpRequest& request);
    HttpReply me(const HttpRequest& request);
    HttpReply recordings(const PlayerRecord& player);
    HttpReply recording(const PlayerRecord& player, const QString& file);

    Accounts& accounts_;
    Store& store_;
    Games& games_;
    const GamesBoard* board_;
};
