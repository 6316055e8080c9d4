// The server's owner's controls: a game with no key for a while ends, and `vexmoor-server --admin`
// lists and ends the games of the server running on a data folder.
#include "server/accounts.h"
#include "server/admin.h"
#include "server/api.h"
#include "server/games.h"
#include "server/server.h"
#include "server/store.h"
#include "signing_in.h"

#include <QFileInfo>
#include <QProcess>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

TEST(IdleGame, EndsAfterItsPlayersLastKeyWithItsPagesTold) {
    QTemporaryDir dir;
    Store store;
    ASSERT_TRUE(store.open(dir.filePath("vexmoor.db")));
    Accounts accounts{store};
    Games games{store, {fakeGame(dir), dir.filePath("players"), 600, 1}};
    Api api{accounts, store, games};
    Server server{{dir.path(), dir.path()}, accounts, api, games};
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    Page player(server.port(), signUp(accounts, "Alice", "password1").token);
    Page watcher(server.port());
    ASSERT_TRUE(player.play());
    watcher.watch();

    // Keys keep the game going past its second; a watcher's do not count.
    for (int i = 0; i < 5; ++i) {
        player.key(37);
        watcher.key(37);
        waitFor([] { return false; }, 250);
    }
    EXPECT_EQ(games.list().size(), 1);
    const QString told = "ended(The game ended: no key for 1 second.)";
    player.waitNews("scene(full) scene scene scene scene scene " + told);
    watcher.waitNews("scene scene scene scene scene " + told);
    EXPECT_TRUE(games.list().isEmpty());
}

// The socket file a server that was killed leaves behind.
void leaveStaleSocket(const QString& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(path).constData(),
                 sizeof address.sun_path - 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(socket);
}

// Starts the server on the folder: the port it serves on, 0 when it did not start.
quint16 start(QProcess& server, const QTemporaryDir& dir) {
    server.start(VEXMOOR_SERVER,
                 {"--listen", "127.0.0.1:0", "--data", dir.path(), "--game", fakeGame(dir)});
    QByteArray said;
    waitFor([&] {
        said += server.readAllStandardOutput();
        return said.contains("/ in a browser");
    });
    return said.mid(said.lastIndexOf(':') + 1).split('/').at(0).toUShort();
}

struct Said {
    int code;
    QString out, error;
};

Said admin(const QString& data, const QStringList& words) {
    QProcess command;
    command.start(VEXMOOR_SERVER, QStringList{"--data", data, "--admin"} + words);
    command.waitForFinished(20000);
    return {command.exitCode(), command.readAllStandardOutput(), command.readAllStandardError()};
}

TEST(Admin, TheOwnerListsAndEndsTheGamesOfTheServerOnAFolder) {
    QTemporaryDir dir;
    QByteArray alice;
    {
        Store store;
        ASSERT_TRUE(store.open(dir.filePath("vexmoor.db")));
        Accounts accounts(store);
        alice = signUp(accounts, "Alice", "password1").token;
    }
    const QString socket = adminSocketPath(dir.path());
    leaveStaleSocket(socket);
    QProcess server;
    const quint16 port = start(server, dir);
    ASSERT_NE(port, 0);
    Page player(port, alice), watcher(port);
    ASSERT_TRUE(player.play());
    watcher.watch();
    player.key(37);
    player.waitNews("scene(full) scene");
    watcher.waitNews("scene");

    const QString hint = "Try 'vexmoor-server --help'.";
    const struct {
        QStringList words;
        int code;
        QString out, error;
    } rows[] = {
        {{"list"}, 0, "g1\tAlice\tlevel 3\t140 s left\t1 watching\tidle 0 min\n", ""},
        {{"end", "g9"}, 1, "", "vexmoor-server: there is no game g9 under way\n"},
        {{"end"}, 2, "", hint},
        {{"list", "g1"}, 2, "", hint},
        {{"stop"}, 2, "", hint},
        {{"end", "g1"}, 0, "ended g1\n", ""},
    };
    for (const auto& row : rows) {
        const Said got = admin(dir.path(), row.words);
        const std::string command = row.words.join(' ').toStdString();
        EXPECT_EQ(got.code, row.code) << command;
        EXPECT_EQ(got.out.toStdString(), row.out.toStdString()) << command;
        EXPECT_TRUE(got.error.contains(row.error)) << command << ": " << got.error.toStdString();
    }
    const QString told = "ended(The server's owner ended this game.)";
    player.waitNews(told);
    watcher.waitNews(told);

    // A second server on the folder leaves the first its socket.
    QProcess second;
    ASSERT_NE(start(second, dir), 0);
    second.terminate();
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_TRUE(second.readAllStandardError().contains("no admin socket: another server answers"));
    const Said empty = admin(dir.path(), {"list"});
    EXPECT_EQ(empty.code, 0) << empty.error.toStdString();
    EXPECT_EQ(empty.out, "");

    // The server ends on SIGTERM and takes its socket with it.
    server.terminate();
    ASSERT_TRUE(server.waitForFinished(20000));
    EXPECT_EQ(server.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(socket));
    const QString log = server.readAllStandardError();
    EXPECT_TRUE(log.contains("admin: end g1\n")) << log.toStdString();
    EXPECT_TRUE(log.contains("admin: end g9: no such game\n")) << log.toStdString();
    const Said none = admin(dir.path(), {"list"});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.error.toStdString(),
              QString("vexmoor-server: no server runs on %1\n").arg(dir.path()).toStdString());
}

} // namespace
