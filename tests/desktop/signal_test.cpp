// A logout, a closed terminal or Ctrl+C in the middle of a game ends the program as X in the menu
// does: the recording is complete and replays, and the hall of fame leaves the game out.
#include "app/signal_catcher.h"
#include "desktop/desktop_window.h"
#include "replay/headless.h"
#include "replay/recorder.h"
#include "replay/recording_platform.h"
#include "scripted_platform.h"
#include "shell/game.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>

class SignalTest : public QObject {
    Q_OBJECT

  private slots:
    void aSignalEndsTheGameAsClosingItDoes_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGINT") << SIGINT;
    }

    void aSignalEndsTheGameAsClosingItDoes() {
        QFETCH(int, signal);
        QTemporaryDir folder;
        ScriptedPlatform inner;
        QString path;
        {
            RecordingPlatform platform(inner);
            Game game(platform);
            Recorder recorder(game, platform, folder.path());
            DesktopWindow window(game);
            // As the desktop platform's way out: the window stops and the event loop ends.
            const SignalCatcher catcher([&](int) {
                window.stop();
                QCoreApplication::exit(0);
            });
            game.start();
            window.show();
            inner.queueAnswer(QStringLiteral("Anna"));
            QTest::keyClick(&window, Qt::Key_N);
            window.advance(500);
            QTest::keyClick(&window, Qt::Key_Right);
            QTimer::singleShot(0, [signal] { std::raise(signal); });
            QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
            QCOMPARE(QCoreApplication::exec(), 0);
            QVERIFY(window.stopped());
            path = recorder.path();
        }
        const auto read = recording::read(path);
        QVERIFY(std::holds_alternative<recording::Recording>(read));
        QString replay;
        QTextStream out(&replay);
        QCOMPARE(replayHeadless(std::get<recording::Recording>(read), out), 0);
        out.flush();
        QVERIFY2(replay.contains(QStringLiteral("name: Anna")), qPrintable(replay));
        QVERIFY(!QFile::exists(QDir(inner.userFolder).filePath(QStringLiteral("halloffame.txt"))));
    }
};

QTEST_MAIN(SignalTest)
#include "signal_test.moc"
