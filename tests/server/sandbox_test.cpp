// Game processes in their sandbox: a stand-in game tries to write here and there, to reach a TCP
// port and a Unix socket, and to signal the server, and tells how each went.
#include "fake_game.h"
#include "server/game_process.h"
#include "server/sandbox.h"

#include <QLocalServer>
#include <QTcpServer>

namespace {

// $1 the player's folder, $2 another player's, $3 the data folder with a Unix socket listening,
// $4 a TCP port listening.
const char kProbe[] = R"sh(#!/bin/bash
own=$1 other=$2 data=$3 port=$4
try() { if (eval "$2") 2>/dev/null; then echo "$1 yes"; else echo "$1 no"; fi; }
try own 'echo x > "$own/Save.ini" && mkdir -p "$own/recordings" && mv "$own/Save.ini" "$own/recordings"'
try other 'echo x > "$other/Save.ini"'
try data 'echo x > "$data/vexmoor.db"'
try temporary 'mktemp > /dev/null'
try null 'echo x > /dev/null'
try tcp 'exec 3<> "/dev/tcp/127.0.0.1/$port"'
try unix 'python3 -c "import socket, sys; socket.socket(socket.AF_UNIX).connect(sys.argv[1])" "$data/admin.socket"'
try signal 'kill -0 $PPID'
)sh";

TEST(Sandbox, GameProcessWritesOnlyItsOwnFolder) {
    const int abi = sandbox::abi();
    if (abi == 0)
        GTEST_SKIP() << qPrintable(sandbox::summary());
    QTemporaryDir data;
    const QString script = data.filePath("probe");
    ASSERT_TRUE(writeFile(script, kProbe));
    QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner);
    const QString own = data.filePath("players/1"), other = data.filePath("players/2");
    ASSERT_TRUE(QDir().mkpath(own) && QDir().mkpath(other));
    QTcpServer listening;
    ASSERT_TRUE(listening.listen(QHostAddress::LocalHost));
    QLocalServer admin;
    ASSERT_TRUE(admin.listen(data.filePath("admin.socket")));
    const QStringList arguments = {own, other, data.path(),
                                   QString::number(listening.serverPort())};
    // Sockets are refused where the build knows its architecture, TCP besides from ABI 4 on, and
    // signals leaving the sandbox from ABI 6.
    const bool sockets = !sandbox::refusesSockets();
    const QString network = QString(" tcp %1 unix %2 signal %3")
                                .arg(sockets && abi < 4 ? "yes" : "no", sockets ? "yes" : "no",
                                     abi >= 6 ? "no" : "yes");

    // A playback, given no folder, writes only in a temporary folder of its own. A process whose
    // folder cannot be had does not run at all.
    const struct {
        QString writable;
        QString said;
        bool crashed;
    } rows[] = {
        {own, "own yes other no data no temporary no null yes" + network, false},
        {{}, "own no other no data no temporary yes null yes" + network, false},
        {data.filePath("players/3"), "", true},
    };
    for (const auto& row : rows) {
        QStringList said;
        bool ended = false, crashed = true;
        GameProcess probe(
            script, arguments, row.writable,
            [&](const QByteArray& line) { said << QString::fromUtf8(line); },
            [&](bool failed) {
                ended = true;
                crashed = failed;
            });
        waitFor([&] { return ended; });
        EXPECT_EQ(crashed, row.crashed) << qPrintable(row.writable);
        EXPECT_EQ(said.join(' ').toStdString(), row.said.toStdString()) << qPrintable(row.writable);
    }
}

} // namespace
