#pragma once

#include "server/accounts.h"
#include "server/games.h"
#include "server/games_board.h"
#include "server/http_reply.h"
#include "server/http_request.h"
#include "server/store.h"

#include <functional>

// The page's calls under /api/: signing up, in and out, who is signed in, the games under way,
// the hall of fame and the player's own recordings. Every POST must come from the server's own
// origin. With a board, the games under way are those of every server on the database.
class Api {
  public:
    static constexpr char kCookie[] = "vexmoor_session";

    Api(Accounts& accounts, Store& store, Games& games, const GamesBoard* board = nullptr);

    // Answers a request under /api/, at once or, for a sign-up or sign-in, once the password is
    // checked; false for any other path.
    using Reply = std::function<void(const HttpReply&)>;
    bool answer(const HttpRequest& request, const Reply& reply);

  private:
    HttpReply answerNow(const HttpRequest& request);
    void signUpOrIn(const HttpRequest& request, bool signUp, const Reply& reply);
    HttpReply signOut(const HttpRequest& request);
    HttpReply me(const HttpRequest& request);
    // The all-time hall of fame and the best of today's challenge.
    HttpReply hallOfFame();
    HttpReply recordings(const PlayerRecord& player);
    HttpReply recording(const PlayerRecord& player, const QString& file);

    Accounts& accounts_;
    Store& store_;
    Games& games_;
    const GamesBoard* board_;
};
