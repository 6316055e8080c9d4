#include "server/accounts.h"
#include "server/api.h"
#include "server/challenge.h"
#include "server/games.h"
#include "server/server.h"
#include "server/store.h"
#include "signing_in.h"

#include <QNetworkInterface>
#include <QTcpSocket>
#include <gtest/gtest.h>

namespace {

QDate relayToday(2026, 12, 8);
const QString kCrashed = "crashed(The game stopped unexpectedly; its recording is kept.)";

class Relay : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(store.open(dir.filePath("vexmoor.db")));
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
        alice = signUp(accounts, "Alice", "password1").token;
        bob = signUp(accounts, "Bob", "password1").token;
    }

    // What a player's game process heard, one message type a line.
    QString heard(int player) {
        QStringList types;
        for (const QByteArray& line : readFile(games.folderOf(player) + "/heard").split('\n'))
            types.append(QJsonDocument::fromJson(line)["t"].toString());
        return types.join(' ').trimmed();
    }
    // The arguments of a player's latest game process.
    QString arguments(int player) {
        const QString all = QString::fromUtf8(readFile(games.folderOf(player) + "/arguments"));
        return all.split('\n', Qt::SkipEmptyParts).last();
    }

    QTemporaryDir dir;
    Store store;
    Accounts accounts{store};
    Games games{store,
                {fakeGame(dir), dir.filePath("players"), 1, 1800, [] { return relayToday; }}};
    Api api{accounts, store, games};
    Server server{{dir.path(), dir.path()}, accounts, api, games};
    QByteArray alice, bob;
};

TEST_F(Relay, PlayersWatchersTakeOverCrashAndAbandon) {
    const quint16 port = server.port();
    Page stranger(port, alice, "http://evil.example");
    Page player(port, alice);
    ASSERT_TRUE(player.play());

    // A watcher who joins late gets the whole screen first; their keys reach nobody.
    Page watcher(port);
    watcher.watch();
    watcher.key(37);
    watcher.send({{"t", "play"}});
    watcher.waitNews("error(Sign in to play.)");
    player.key(37);
    watcher.waitNews("scene");
    player.waitNews("scene(full) scene");
    EXPECT_EQ(heard(1).toStdString(), std::string("fameTable snapshot snapshot key"));
    EXPECT_TRUE(stranger.gone);
    EXPECT_TRUE(stranger.received.isEmpty());
    EXPECT_EQ(QJsonDocument(games.list()).toJson(QJsonDocument::Compact),
              R"([{"id":"g1","level":3,"player":"Alice","timeLeft":140,"watchers":1}])");

    // Alice's game enters the hall of fame; Bob's cannot take her entry by its serial; hers, which
    // continued, updates it.
    player.key(70);
    ASSERT_TRUE(waitFor([&] { return heard(1).endsWith("fameTable"); }));
    Page other(port, bob);
    other.play();
    const int aliceSerial = store.bestFame(10).at(0).serial;
    other.key(70, aliceSerial);
    ASSERT_TRUE(waitFor([&] { return heard(2).endsWith("fameTable"); }));
    player.key(70, aliceSerial);
    // Each game hears of every change of the table.
    EXPECT_TRUE(waitFor([&] {
        return heard(1) ==
               "fameTable snapshot snapshot key key fameEntered fameTable fameTable key "
               "fameEntered fameTable";
    })) << heard(1).toStdString();
    const std::vector<FameRow> rows = store.bestFame(10);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(std::tuple(rows[0].player, rows[0].serial, rows[1].player),
              std::tuple(1, aliceSerial, 2));

    // Bob's game dies, killed or by too long a line: he is told, and Alice's goes on.
    for (const int key : {75, 76}) {
        if (key == 76)
            other.play();
        other.key(key);
        other.waitNews(kCrashed);
        player.key(37);
        player.waitNews("scene");
    }

    // A page that joins while a question is open gets it after the full scene; the player, who
    // is answering it, does not get it again.
    player.key(68);
    player.waitNews("dialog(Name?)");
    watcher.waitNews("scene scene dialog(Name?)");
    Page late(port);
    late.watch("joined scene(full) dialog(Name?)");
    player.send({{"t", "answer"}});
    for (Page* page : {&player, &watcher})
        page->waitNews("scene(full) dialogDone");
    late.waitNews("dialogDone");

    // Too long a message closes only its connection.
    watcher.send({{"t", QString(5000, 'x')}});
    EXPECT_TRUE(waitFor([&] { return watcher.gone; }));

    // A second page of Alice's takes her game over.
    Page again(port, alice);
    again.play();
    player.waitNews("ended(The game went on in another page.)");

    // Alone, the game stands still and, after a while, ends.
    again.socket.close();
    ASSERT_TRUE(waitFor([&] { return games.list().isEmpty(); }));
    EXPECT_TRUE(heard(1).endsWith("fameTable key key key snapshot answer snapshot hidden end"))
        << heard(1).toStdString();
}

TEST_F(Relay, SeedsTheDailyChallengeAndTheTitle) {
    const QString firstYours = "error(Your game under way comes first: end it before you start "
                               "another.)";
    const auto challengeOf = [&](const char* day) {
        return QString::number(challenge::seedOf(store.secret(), day));
    };
    Page page(server.port(), alice);
    for (const char* seed : {"-1", "4294967296", "7e3", ""})
        page.send({{"t", "play"}, {"seed", seed}});
    page.waitNews(
        QStringList(4, "error(A seed is a whole number from 0 to 4294967295.)").join(' '));

    // The day's challenge starts from the server's seed, kept from the page.
    page.send({{"t", "play"}, {"daily", true}});
    page.waitNews("joined scene(full)");
    EXPECT_EQ(arguments(1),
              "--data " + games.folderOf(1) + " --challenge " + challengeOf("2026-12-08"));
    EXPECT_EQ(games.list().at(0)["challenge"], true);
    page.key(84);
    page.waitNews("title(Vexmoor — a title)");
    Page watcher(server.port());
    watcher.watch("joined scene(full) title(Vexmoor — a title)");

    // Asked again, it continues; no other game starts beside it.
    Page again(server.port(), alice);
    again.send({{"t", "play"}, {"daily", true}});
    again.waitNews("joined scene(full) title(Vexmoor — a title)");
    page.waitNews("scene(full) ended(The game went on in another page.)");
    again.send({{"t", "play"}, {"seed", "777"}});
    again.waitNews(firstYours);

    // Its entry in the hall of fame keeps its day; after it, the day's challenge is refused.
    again.key(70);
    ASSERT_TRUE(waitFor([&] { return store.dayFame("2026-12-08", 10).size() == 1; }));
    again.key(75);
    again.waitNews(kCrashed);
    again.send({{"t", "play"}, {"daily", true}});
    again.waitNews(
        "error(You have played today's challenge; the next one begins at midnight UTC.)");

    // A seeded game marked with the day is no challenge's.
    again.send({{"t", "play"}, {"seed", "777"}});
    again.waitNews("joined scene(full)");
    EXPECT_EQ(arguments(1), "--data " + games.folderOf(1) + " --seed 777");
    again.send({{"t", "play"}, {"daily", true}});
    again.waitNews(firstYours);
    again.key(70);
    ASSERT_TRUE(waitFor([&] { return store.bestFame(10).size() == 2; }));
    EXPECT_EQ(store.bestFame(10)[1].seed, 777u);
    EXPECT_EQ(store.bestFame(10)[1].day, "");
    EXPECT_EQ(store.dayFame("2026-12-08", 10).size(), 1u);
    again.key(75);
    again.waitNews(kCrashed);

    // The challenge's recording plays back once its day is over; the next day has a try of its own.
    ASSERT_TRUE(
        writeFile(games.folderOf(1) + "/recordings/game-1.txt",
                  "Vexmoor recording 3 1.0\nclock 1\nrandom 2 0\nseed 5 0 0 0 0 2026-12-08\n"));
    again.send({{"t", "replay"}, {"file", "game-1.txt"}});
    again.waitNews(
        "error(The day's challenge is still on; its files can be had after midnight UTC.)");
    relayToday = relayToday.addDays(1);
    again.send({{"t", "replay"}, {"file", "game-1.txt"}});
    again.waitNews("joined scene(full)");
    again.send({{"t", "play"}, {"daily", true}});
    again.waitNews("joined scene(full)");
    EXPECT_TRUE(arguments(1).endsWith(" --challenge " + challengeOf("2026-12-09")));
}

qint64 relayNow = 0;

TEST_F(Relay, TooManyMessagesInASecondCloseTheirPageOnly) {
    games.setClock([] { return relayNow; });
    Page repeating(server.port()), flooding(server.port());
    // Each message is answered, so the server has read them all before the clock moves on.
    const auto send = [](Page& page, int messages) {
        for (int i = 0; i < messages; ++i)
            page.send({{"t", "watch"}, {"game", "g9"}});
    };
    // A key held down for three seconds passes; a 51st message within a second closes its page.
    send(repeating, 30);
    send(flooding, limits::kMessagesPerSecond);
    EXPECT_TRUE(waitFor([&] { return repeating.received.size() == 30; }));
    EXPECT_TRUE(waitFor([&] { return flooding.received.size() == limits::kMessagesPerSecond; }));
    relayNow += 1000;
    send(repeating, 30);
    send(flooding, limits::kMessagesPerSecond + 1);
    EXPECT_TRUE(waitFor([&] { return flooding.gone; }));
    EXPECT_EQ(flooding.received.size(), 2 * limits::kMessagesPerSecond);
    relayNow += 1000;
    send(repeating, 30);
    EXPECT_TRUE(waitFor([&] { return repeating.received.size() == 90; }));
    EXPECT_FALSE(repeating.gone);
}

TEST_F(Relay, ConnectionsPerAddressAreCapped) {
    // This machine's own connections go uncounted: the server is reached at another address.
    QHostAddress outside;
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (!address.isLoopback() && address.protocol() == QAbstractSocket::IPv4Protocol)
            outside = address;
    }
    if (outside.isNull())
        GTEST_SKIP() << "no address but the loopback one";
    Server door{{dir.path(), dir.path()}, accounts, api, games};
    ASSERT_TRUE(door.listen(outside, 0));
    // Whether a new connection is answered, or closed at once.
    const auto answered = [&] {
        QTcpSocket probe;
        probe.connectToHost(outside, door.port());
        probe.write("GET /none HTTP/1.1\r\nHost: h\r\n\r\n");
        waitFor([&] {
            return probe.bytesAvailable() > 0 || probe.state() == QTcpSocket::UnconnectedState;
        });
        return probe.readAll().startsWith("HTTP/1.1 404");
    };
    std::vector<std::unique_ptr<QTcpSocket>> idle;
    std::vector<std::unique_ptr<Page>> pages;
    for (int i = 0; i < limits::kConnectionsPerAddress / 2; ++i) {
        pages.push_back(std::make_unique<Page>(door.port(), QByteArray(), "", outside.toString()));
        idle.push_back(std::make_unique<QTcpSocket>());
        idle.back()->connectToHost(outside, door.port());
        ASSERT_TRUE(idle.back()->waitForConnected(5000));
    }
    EXPECT_FALSE(answered());
    // A page gone frees its place; each answered request frees its own.
    pages.front()->socket.close();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(waitFor(answered));
    EXPECT_FALSE(pages.back()->gone);
}

} // namespace

// The server's parts run on Qt's event loop, as in the server.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
