#pragma once

#include "server/challenge.h"
#include "server/game.h"
#include "server/limits.h"
#include "server/store.h"

#include <QHash>
#include <QJsonArray>
#include <QPointer>
#include <functional>
#include <optional>
#include <vector>

class QWebSocket;

// A page's message as the games act on it: a JSON object, or nothing when the text is not one.
std::optional<QJsonObject> pageMessage(const QString& text);

// The games under way and the pages connected over the WebSocket. A signed-in player has at most
// one game: "play" starts it or comes back to it, a second page taking it over from the first.
// Anyone may watch a game; a player may play back one of their own recordings in their page.
// The games' ends enter the hall of fame, whose table every game process is kept up to date with.
// A page that sends too long a message, or too many in a second, is closed.
class Games {
  public:
    struct Settings {
        QString program;        // vexmoor-web
        QString playersFolder;  // DIR/players
        int abandonAfter = 600; // seconds a game waits for its player to come back
        int idleAfter = 1800;   // seconds a game waits for its player's next input
        challenge::Today today = challenge::utcToday;
    };

    Games(Store& store, Settings settings);
    ~Games();
    Games(const Games&) = delete;
    Games& operator=(const Games&) = delete;

    // A page's WebSocket, with its player when signed in; the games take care of it until it goes.
    void addPage(QWebSocket* page, std::optional<PlayerRecord> player);
    // The games under way, playbacks aside, in the order they started.
    std::vector<const Game*> underWay() const;
    // The games under way, for the front page.
    QJsonArray list() const;
    // Ends the game under way of that id, its pages told `why`; false when there is none.
    bool end(const QString& id, const QString& why);
    // The folder of a player's own files.
    QString folderOf(int player) const;
    // The path of one of a player's recordings, named by its plain file name as the game names
    // them; nothing for any other name or a file that is not there.
    std::optional<QString> recording(int player, const QString& file) const;
    // Ends every game; `done` comes when all have ended, or after a few seconds regardless.
    void endAll(std::function<void()> done);
    // A test counts the messages of a second on its own clock.
    void setClock(limits::Clock now) { now_ = now; }
    // The server's UTC date, yyyy-MM-dd.
    QString today() const;
    // Whether a recording is of a challenge whose day is still on, and so kept from everyone.
    bool isKept(const QString& recording) const;

  private:
    struct PageState {
        std::optional<PlayerRecord> player;
        QPointer<Game> game;
        qint64 secondStarted = 0; // the messages counted are those since then
        int messages = 0;
    };

    void received(QWebSocket* page, const QString& text);
    // Counts one more message of the page's: whether it is within the rate.
    bool withinRate(PageState& state);
    void play(QWebSocket* page, const PlayerRecord& player, const QJsonObject& message);
    // Starts a player's game as the message asks; nothing when it may not start, the page told.
    Game* startPlaying(QWebSocket* page, const PlayerRecord& player, bool daily,
                       const QString& seed);
    void watch(QWebSocket* page, const QString& id);
    void replay(QWebSocket* page, const PlayerRecord& player, const QString& file);
    // The page leaves the game it shows, if any.
    void detach(QWebSocket* page);
    // The game under way of that id, playbacks aside.
    Game* gameNamed(const QString& id) const;
    Game* start(const PlayerRecord& player, bool replay, const QStringList& arguments,
                const QString& challengeDay = {});
    QJsonObject fameTable();
    void enterFame(Game& game, const QJsonObject& message);
    void finished(Game& game);

    Store& store_;
    Settings settings_;
    std::vector<Game*> games_; // in the order they started
    QHash<QWebSocket*, PageState> pages_;
    int lastId_ = 0;
    std::function<void()> allEnded_;
    limits::Clock now_ = limits::steadyMs;
};
