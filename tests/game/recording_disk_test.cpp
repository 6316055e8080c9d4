// Recordings on a full disk: a game whose file cannot be begun leaves none, is said once and plays
// on unrecorded; what a start left short of a header is not kept as a game.
#include "recorded_game.h"
#include "replay/journal.h"
#include "shell/main_window.h"

#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What `play` returns, run in a child whose files cannot grow past the limit it sets, as on a full
// disk: a write past it fails (EFBIG) rather than ending the program. A pipe is no file, so the
// answer gets out.
QString inChild(const std::function<QString(const std::function<void(rlim_t)>&)>& play) {
    int out[2];
    if (pipe(out) != 0)
        return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const QByteArray said = play([](rlim_t limit) {
                                    rlimit size{};
                                    getrlimit(RLIMIT_FSIZE, &size);
                                    size.rlim_cur = limit;
                                    setrlimit(RLIMIT_FSIZE, &size);
                                }).toUtf8();
        _exit(write(out[1], said.constData(), static_cast<std::size_t>(said.size())) == said.size()
                  ? 0
                  : 1);
    }
    close(out[1]);
    QByteArray said;
    char buffer[4096];
    for (ssize_t got; (got = read(out[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, got);
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? QString::fromUtf8(said)
                                                         : QString("the child failed");
}

// The messages the player was shown, and the name on the status panel.
QString seen(RecordedGame& live) {
    QString text;
    for (const QString& message : live.inner.messages)
        text += message + '\n';
    return text + "playing " + live.game.mainWindow().playerName.text();
}

} // namespace

// A start whose header cannot be written whole (nothing of it, or a part), or a later game whose
// file cannot be begun, leaves no file: the player is told once, the game plays on, the next start
// finds nothing to set aside, and no place among the kept recordings is taken.
TEST(RecordingDiskTest, AGameThatCannotBeginItsFileLeavesNoneAndPlaysOn) {
    struct Row {
        const char* what;
        rlim_t atStart;  // the limit before the program starts, RLIM_INFINITY for none
        rlim_t atSecond; // the limit after the first game has begun
        int ended;       // the files that hold a whole game
    } const rows[] = {
        {"empty start", 0, RLIM_INFINITY, 0},
        {"torn start", 30, RLIM_INFINITY, 0},
        {"later game", RLIM_INFINITY, 2048, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        QTemporaryDir folder;
        const QString said = inChild([&](const std::function<void(rlim_t)>& fill) {
            fill(row.atStart);
            RecordedGame live(folder.path());
            live.press('N', "Anna");
            live.game.advance(700);
            fill(row.atSecond);
            for (const int key : {keys::Escape, int('N'), keys::Right, keys::Down})
                live.press(key); // the shop, and a new game under the same name
            return seen(live);
        });
        EXPECT_EQ(said, "Games are not being recorded: the folder " + folder.path() +
                            " cannot be written.\nplaying Anna");
        const QDir dir(folder.path());
        const QStringList made = dir.entryList({"game-*.txt"});
        EXPECT_EQ(made.size(), row.ended);
        for (const QString& name : made) {
            const auto read = recording::read(dir.filePath(name));
            const auto* whole = std::get_if<recording::Recording>(&read);
            EXPECT_TRUE(whole && whole->ended) << name.toStdString();
        }
        {
            RecordedGame next(folder.path());
            next.press('N', "Cid");
            EXPECT_TRUE(next.inner.messages.empty());
        }
        EXPECT_EQ(dir.entryList({"game-*-ended-unexpectedly.txt"}), QStringList());
        EXPECT_EQ(dir.entryList({"game-*.txt"}).size(), row.ended + 1);
    }
}

// A start sets aside what programs no longer running left without an end; a file that stops in its
// header (an older version's start on a full disk) cannot be replayed and is removed, also one
// already named as ended unexpectedly; a file another copy holds is left to it.
TEST(RecordingDiskTest, FilesShortOfAHeaderAreRemovedTheRestSetAside) {
    const QByteArray header = "Vexmoor recording 2 1.0\nclock 5\nrandom 1 2\n";
    const struct Row {
        const char* name;
        QByteArray bytes;
        const char* after; // its name after the start, nullptr when removed
    } rows[] = {
        {"game-20261201-100000-001-7.txt", "", nullptr},
        {"game-20261201-100000-002-7.txt", "Vexmoor recording 2 1.0\ncl", nullptr},
        {"game-20261201-100000-003-7.txt", header.left(header.size() - 1), nullptr},
        {"game-20261201-100000-004-7-ended-unexpectedly.txt", "", nullptr},
        {"game-20261201-100000-005-7-ended-unexpectedly.txt", "Vexmoor rec", nullptr},
        {"game-20261201-100000-006-7.txt", header,
         "game-20261201-100000-006-7-ended-unexpectedly.txt"},
        {"game-20261201-100000-007-7.txt", header + "5 start\n5 key 7",
         "game-20261201-100000-007-7-ended-unexpectedly.txt"},
        {"game-20261201-100000-008-7.txt", header + "5 start\n9 end level=1\n",
         "game-20261201-100000-008-7.txt"},
        {"game-20261201-100000-009-7.txt", QByteArray(5000, 'x'),
         "game-20261201-100000-009-7-ended-unexpectedly.txt"},
    };
    QTemporaryDir folder;
    const QDir dir(folder.path());
    for (const Row& row : rows) {
        QFile file(dir.filePath(row.name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(row.bytes);
    }
    // Another copy of the game that has just made its file and not yet written to it.
    Journal beginning;
    ASSERT_TRUE(beginning.open(folder.path(), QByteArray()));
    const QString inUse = QFileInfo(beginning.path()).fileName();
    RecordedGame live(folder.path());
    const QString own = QFileInfo(live.recorder.path()).fileName();
    QStringList expected = {inUse, own};
    for (const Row& row : rows) {
        if (!row.after)
            continue;
        expected += row.after;
        QFile file(dir.filePath(row.after));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.readAll() == row.bytes) << row.name;
    }
    expected.sort();
    EXPECT_EQ(dir.entryList({"game-*.txt"}, QDir::Files, QDir::Name), expected);
}
