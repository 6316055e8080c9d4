// Recordings on a full disk: a game whose file cannot be begun leaves none, is said once and plays
// on unrecorded; what a start left short of a header is not kept as a game.
#include "recorded_game.h"
#include "replay/journal.h"

#include <functional>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What `play` returns, run in a child whose files cannot grow past the limit `play` sets, as on a
// full disk (a write past it fails with EFBIG); the answer comes back through a pipe.
QString inChild(const std::function<QString(const std::function<void(rlim_t)>&)>& play) {
    int out[2];
    if (pipe(out) != 0)
        return "no pipe";
    if (fork() == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const QByteArray said = play([](rlim_t limit) {
                                    rlimit size{};
                                    getrlimit(RLIMIT_FSIZE, &size);
                                    size.rlim_cur = limit;
                                    setrlimit(RLIMIT_FSIZE, &size);
                                }).toUtf8();
        _exit(write(out[1], said.constData(), static_cast<std::size_t>(said.size())) !=
              said.size());
    }
    close(out[1]);
    QFile answer;
    answer.open(out[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QString said = QString::fromUtf8(answer.readAll());
    int status = 0;
    wait(&status);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? said : QString("the child failed");
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
            // The messages the player was shown, and the name on the status panel.
            return QStringList(live.inner.messages.begin(), live.inner.messages.end()).join('\n') +
                   "\nplaying " + live.game.mainWindow().playerName.text();
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

// A start sets aside what programs no longer running left without an end, once; a file that stops
// in its header (an older version's start on a full disk) cannot be replayed and is removed, also
// one already named as ended unexpectedly; a file another copy holds is left to it.
TEST(RecordingDiskTest, FilesShortOfAHeaderAreRemovedTheRestSetAside) {
    const QByteArray header = "Vexmoor recording 2 1.0\nclock 5\nrandom 1 2\n";
    enum After { Removed, SetAside, Kept };
    const struct Row {
        bool namedUnexpected; // already named as ended unexpectedly
        QByteArray bytes;
        After after;
    } rows[] = {
        {false, "", Removed},
        {false, "Vexmoor recording 2 1.0\ncl", Removed},
        {false, header.left(header.size() - 1), Removed},
        {true, "", Removed},
        {true, "Vexmoor rec", Removed},
        {false, header, SetAside},
        {false, header + "5 start\n5 key 7", SetAside},
        {false, header + "5 start\n9 end level=1\n", Kept},
        {true, header, Kept},
        {false, QByteArray(5000, 'x'), SetAside},
    };
    const auto name = [](int row, bool unexpected) {
        return QString("game-20261201-100000-%1-7%2.txt")
            .arg(row, 3, 10, QChar('0'))
            .arg(unexpected ? "-ended-unexpectedly" : "");
    };
    QTemporaryDir folder;
    const QDir dir(folder.path());
    for (int i = 0; i < int(std::size(rows)); ++i) {
        QFile file(dir.filePath(name(i, rows[i].namedUnexpected)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(rows[i].bytes);
    }
    // Another copy of the game that has just made its file and not yet written to it.
    Journal beginning;
    ASSERT_TRUE(beginning.open(folder.path(), QByteArray()));
    RecordedGame live(folder.path());
    QStringList expected = {QFileInfo(beginning.path()).fileName(),
                            QFileInfo(live.recorder.path()).fileName()};
    for (int i = 0; i < int(std::size(rows)); ++i) {
        if (rows[i].after == Removed)
            continue;
        expected += name(i, rows[i].namedUnexpected || rows[i].after == SetAside);
        QFile file(dir.filePath(expected.back()));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.readAll() == rows[i].bytes) << i;
    }
    expected.sort();
    EXPECT_EQ(dir.entryList({"game-*.txt"}, QDir::Files, QDir::Name), expected);
}
