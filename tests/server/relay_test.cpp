#include "server/accounts.h"
#include "server/api.h"
#include "server/games.h"
#include "server/server.h"
#include "server/store.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkRequest>
#include <QTemporaryDir>
#include <QWebSocket>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A stand-in game process: it notes what it hears in its folder and answers as a game would. The
// key F ends a game for the hall of fame with the serial in the key's "char"; K kills it; L makes
// it send a line of 5 MB; D asks a question, which the game asks again after a full scene.
const char kFakeGame[] = R"(#!/bin/sh
folder=$2
while IFS= read -r line; do
  printf '%s\n' "$line" >> "$folder/heard"
  case "$line" in
    *'"snapshot"'*) echo '{"t":"scene","full":true,"order":["m"],"windows":{}}'
      [ -e "$folder/asking" ] && echo '{"t":"dialog","kind":"prompt","text":"Name?"}' ;;
    *'"code":68'*) touch "$folder/asking"; echo '{"t":"dialog","kind":"prompt","text":"Name?"}' ;;
    *'"answer"'*) rm "$folder/asking"; echo '{"t":"dialogDone"}' ;;
    *'"code":70'*) serial=$(echo "$line" | sed 's/.*"char":\([0-9]*\).*/\1/')
      echo '{"t":"fame","game":1,"name":"Al","level":4,"ending":"hole","continues":0,"cheated":false,"date":"2026-12-07","serial":'"$serial"'}' ;;
    *'"code":75'*) kill -9 $$ ;;
    *'"code":76'*) head -c 5000000 /dev/zero | tr '\0' x; echo ;;
    *'"key"'*) echo '{"t":"status","level":3,"timeLeft":140}'
      echo '{"t":"scene","order":["m"],"windows":{}}' ;;
    *'"t":"end"'*) exit 0 ;;
  esac
done
)";

bool waitFor(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(10000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// A page over the WebSocket, keeping what it was sent.
struct Page {
    Page(quint16 port, const QByteArray& token, const QString& origin = {}) : socket(origin) {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString& text) {
            received.append(QJsonDocument::fromJson(text.toUtf8()).object());
        });
        QObject::connect(&socket, &QWebSocket::stateChanged,
                         [this] { gone = socket.state() == QAbstractSocket::UnconnectedState; });
        QNetworkRequest request(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(port)));
        if (!token.isEmpty())
            request.setRawHeader("Cookie", "vexmoor_session=" + token);
        socket.open(request);
        waitFor([this] { return gone || socket.state() == QAbstractSocket::ConnectedState; });
    }
    void send(const QJsonObject& message) {
        socket.sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson()));
    }
    void key(int code, int character = 0) {
        send({{QStringLiteral("t"), QStringLiteral("key")},
              {QStringLiteral("code"), code},
              {QStringLiteral("char"), character}});
    }
    // The types of the messages received since last asked.
    QString news() {
        QStringList types;
        for (; seen < received.size(); ++seen) {
            const QJsonObject& message = received[seen];
            QString type = message.value(QStringLiteral("t")).toString();
            if (message.value(QStringLiteral("full")).toBool())
                type += QStringLiteral("(full)");
            if (message.contains(QStringLiteral("text")))
                type += QLatin1Char('(') + message.value(QStringLiteral("text")).toString() +
                        QLatin1Char(')');
            types.append(type);
        }
        return types.join(QLatin1Char(' '));
    }
    bool waitNews(const QString& expected) {
        QString got;
        waitFor([&] {
            const QString more = news();
            if (!more.isEmpty())
                got += (got.isEmpty() ? QString() : QStringLiteral(" ")) + more;
            return got.size() >= expected.size();
        });
        EXPECT_EQ(got.toStdString(), expected.toStdString());
        return got == expected;
    }

    QWebSocket socket;
    QList<QJsonObject> received;
    qsizetype seen = 0;
    bool gone = false;
};

QJsonObject message(const char* type) {
    return {{QStringLiteral("t"), QLatin1String(type)}};
}

class Relay : public testing::Test {
  protected:
    void SetUp() override {
        const QString program = dir.filePath(QStringLiteral("fake-game"));
        QFile script(program);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(kFakeGame);
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ASSERT_TRUE(store.open(dir.filePath(QStringLiteral("vexmoor.db"))));
        games = std::make_unique<Games>(
            store, Games::Settings{program, dir.filePath(QStringLiteral("players")), 1});
        api = std::make_unique<Api>(accounts, store, *games);
        server = std::make_unique<Server>(Server::Folders{dir.path(), dir.path()}, accounts, *api,
                                          *games);
        ASSERT_TRUE(server->listen(QHostAddress::LocalHost, 0));
        alice = accounts.signUp(QStringLiteral("Alice"), "password1").token;
        bob = accounts.signUp(QStringLiteral("Bob"), "password1").token;
    }

    // What a player's game process heard, one message type a line.
    QString heard(int player) {
        QFile file(games->folderOf(player) + QStringLiteral("/heard"));
        file.open(QIODevice::ReadOnly);
        QStringList types;
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (!line.isEmpty())
                types.append(QJsonDocument::fromJson(line)[QStringLiteral("t")].toString());
        }
        return types.join(QLatin1Char(' '));
    }

    QTemporaryDir dir;
    Store store;
    Accounts accounts{store};
    std::unique_ptr<Games> games;
    std::unique_ptr<Api> api;
    std::unique_ptr<Server> server;
    QByteArray alice;
    QByteArray bob;
};

TEST_F(Relay, PlayersWatchersTakeOverCrashAndAbandon) {
    const quint16 port = server->port();
    const QString self = QStringLiteral("http://127.0.0.1:%1").arg(port);
    Page stranger(port, alice, QStringLiteral("http://evil.example"));
    Page player(port, alice, self);
    player.send(message("play"));
    ASSERT_TRUE(player.waitNews(QStringLiteral("joined scene(full)")));

    // A watcher who joins late gets the whole screen first; their keys reach nobody.
    Page watcher(port, {}, self);
    watcher.send({{QStringLiteral("t"), QStringLiteral("watch")},
                  {QStringLiteral("game"), QStringLiteral("g1")}});
    watcher.waitNews(QStringLiteral("joined scene(full)"));
    watcher.key(37);
    watcher.send(message("play"));
    watcher.waitNews(QStringLiteral("error(Sign in to play.)"));
    player.key(37);
    watcher.waitNews(QStringLiteral("scene"));
    player.waitNews(QStringLiteral("scene(full) scene"));
    EXPECT_EQ(heard(1).toStdString(), std::string("fameTable snapshot snapshot key"));
    EXPECT_TRUE(stranger.gone);
    EXPECT_TRUE(stranger.received.isEmpty());
    const QJsonArray list = games->list();
    EXPECT_EQ(QJsonDocument(list).toJson(QJsonDocument::Compact),
              R"([{"id":"g1","level":3,"player":"Alice","timeLeft":140,"watchers":1}])");

    // Alice's game enters the hall of fame; Bob's cannot take her entry by its serial.
    player.key(70);
    ASSERT_TRUE(waitFor([&] { return heard(1).endsWith(QStringLiteral("fameTable")); }));
    Page other(port, bob, self);
    other.send(message("play"));
    other.waitNews(QStringLiteral("joined scene(full)"));
    const int aliceSerial = store.bestFame(10).at(0).serial;
    other.key(70, aliceSerial);
    ASSERT_TRUE(waitFor([&] { return heard(2).endsWith(QStringLiteral("fameTable")); }));
    const std::vector<FameRow> rows = store.bestFame(10);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].player, 1);
    EXPECT_EQ(rows[1].player, 2);
    EXPECT_EQ(rows[0].serial, aliceSerial);
    // Each game hears of every change of the table.
    EXPECT_TRUE(waitFor([&] {
        return heard(1) ==
               QStringLiteral(
                   "fameTable snapshot snapshot key key fameEntered fameTable fameTable");
    })) << heard(1).toStdString();

    // Bob's game dies, killed or by too long a line: he is told, and Alice's goes on.
    const QString crashed =
        QStringLiteral("crashed(The game stopped unexpectedly; its recording is kept.)");
    for (const int key : {75, 76}) {
        if (key == 76) {
            other.send(message("play"));
            other.waitNews(QStringLiteral("joined scene(full)"));
        }
        other.key(key);
        other.waitNews(crashed);
        player.key(37);
        player.waitNews(QStringLiteral("scene"));
    }

    // A page that joins while a question is open gets it after the full scene; the player, who
    // is answering it, does not get it again.
    player.key(68);
    player.waitNews(QStringLiteral("dialog(Name?)"));
    watcher.waitNews(QStringLiteral("scene scene dialog(Name?)"));
    Page late(port, {}, self);
    late.send({{QStringLiteral("t"), QStringLiteral("watch")},
               {QStringLiteral("game"), QStringLiteral("g1")}});
    late.waitNews(QStringLiteral("joined scene(full) dialog(Name?)"));
    player.send(message("answer"));
    for (Page* page : {&player, &watcher})
        page->waitNews(QStringLiteral("scene(full) dialogDone"));
    late.waitNews(QStringLiteral("dialogDone"));

    // Too long a message closes only its connection.
    watcher.send({{QStringLiteral("t"), QString(5000, QLatin1Char('x'))}});
    EXPECT_TRUE(waitFor([&] { return watcher.gone; }));

    // A second page of Alice's takes her game over.
    Page again(port, alice, self);
    again.send(message("play"));
    again.waitNews(QStringLiteral("joined scene(full)"));
    player.waitNews(QStringLiteral("ended(The game went on in another page.)"));

    // Alone, the game stands still and, after a while, ends.
    again.socket.close();
    ASSERT_TRUE(waitFor([&] { return games->list().isEmpty(); }));
    EXPECT_TRUE(heard(1).endsWith(
        QStringLiteral("fameTable key key key snapshot answer snapshot hidden end")))
        << heard(1).toStdString();
}

} // namespace
