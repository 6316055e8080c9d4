#pragma once

#include "server/game_process.h"
#include "server/store.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

class QWebSocket;

// One message to a page.
void sendTo(QWebSocket* page, const QJsonObject& message);

// One game under way, or one recording played back: its process and the pages that show it. Each
// line of the process goes to every page that shows the game, except that a page that joined gets
// nothing until the next full scene, which the game asks the process for, and then the game's
// title. Only the player's page
// (or the playback's) sends input. When the player's page goes, the clock stands still; when no
// page of the player has come back after a while, the game ends, and so it does after a long while
// with no input from the player.
class Game : public QObject {
  public:
    enum class Role { Player, Watcher, Replay };

    struct Setup {
        QString id; // "g5"
        PlayerRecord player;
        bool replay = false;
        QString program;
        QStringList arguments;
        QString writable;       // the one folder the process may write in; none for a playback
        int abandonAfter = 600; // seconds
        int idleAfter = 1800;   // seconds
        QString challengeDay;   // the day of the challenge the game plays, or empty
    };
    // What the game tells the server: a game to enter in the hall of fame, and its end (the
    // pages told already), after which the server lets it go.
    struct Hooks {
        std::function<void(Game&, const QJsonObject&)> fame;
        std::function<void(Game&)> finished;
    };

    Game(Setup setup, Hooks hooks);

    const QString& id() const { return setup_.id; }
    const PlayerRecord& player() const { return setup_.player; }
    bool isReplay() const { return setup_.replay; }
    const QString& challengeDay() const { return setup_.challengeDay; }
    // The latest "status" of the process.
    const QJsonObject& status() const { return status_; }
    int watchers() const;
    // Seconds since the player's last input (or since the start).
    int idleSeconds() const;
    QWebSocket* playerPage() const;

    // A page joins: it is told so, and gets the full scene as soon as the process sends one. A
    // player's page takes the place of the player's page before, which it gives back.
    QWebSocket* join(QWebSocket* page, Role role);
    // A page leaves, closed or gone elsewhere; nothing is sent to it.
    void leave(QWebSocket* page);
    // A key, click, answer or close from a page; only the player's (or playback's) counts.
    void input(QWebSocket* page, const QJsonObject& message);
    void send(const QJsonObject& message) { process_.send(message); }
    // Ends the game now; one that does not end soon is killed. Its pages are told `why`, or that
    // the game ended.
    void end(const QString& why = {});

  private:
    struct Page {
        QWebSocket* socket;
        Role role;
        bool waiting;   // for a full scene
        bool hasDialog; // the dialog open has been sent to it
    };

    void received(const QByteArray& line);
    void processFinished(bool crashed);
    // The line to every page that has had its full scene, or to the player's page only.
    void relay(const QByteArray& line, bool playerOnly = false);

    Setup setup_;
    Hooks hooks_;
    std::vector<Page> pages_;
    QJsonObject status_;
    QByteArray openDialog_; // the dialog shown, sent again by the process after a full scene
    QByteArray title_;      // the last "title", sent after the full scene to a page that joins
    bool snapshotAsked_ = false;
    bool hidden_ = false; // the player's page has gone
    QTimer abandon_;
    QTimer idle_;
    QString endText_; // what the pages are told when the game ends
    QTimer killAfterEnd_;
    GameProcess process_;
};
