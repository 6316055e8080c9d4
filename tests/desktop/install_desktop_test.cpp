// The main window of an installed game: its icon, a first size that fits a small screen at twice
// the scale, the place it reopens at, and the question before closing it abandons a game.
#include "front_end.h"

#include "desktop/clock_driver.h"
#include "desktop/qt_platform.h"
#include "desktop/window_place.h"
#include "shop/shop_window.h"

#include <QApplication>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>

namespace {

QRect onScreen(const QWidget& widget) {
    return {widget.mapToGlobal(QPoint()), widget.size()};
}

} // namespace

class InstallDesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void theWindowShowsTheGamesIcon() {
        FrontEnd f;
        const QList<QSize> sizes = f.window.windowIcon().availableSizes();
        QVERIFY(sizes.contains(QSize(48, 48)));
        QVERIFY(sizes.contains(QSize(256, 256)));
    }

    void theFirstWindowFitsASmallScreenAndThenReopensWhereThePlayerLeftIt() {
        QTemporaryDir folder;
        QSettings settings(folder.filePath(QStringLiteral("Vexmoor.conf")), QSettings::IniFormat);
        const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(room.height() < 571); // smaller than the window's own starting size
        QRect left;
        {
            QtPlatform platform;
            Game game(platform);
            DesktopWindow window(game);
            ClockDriver driver(game, window);
            platform.attach(window, driver);
            placeOnScreen(window, settings);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QVERIFY(room.contains(window.frameGeometry()));
            // The menu stands in the middle of the area as it is once fitted.
            game.start();
            window.sync();
            const QRect menu = window.subWindowOf(*game.menu())->geometry();
            QVERIFY(qAbs(menu.center().x() - window.area().rect().center().x()) <= 1);
            game.mainWindow().statusPanel.setVisible(true);
            window.sync();
            QVERIFY(room.contains(onScreen(window.panel())));
            window.setGeometry(40, 30, 320, 240);
            rememberPlace(window, settings);
            left = window.geometry();
        }
        ScriptedPlatform platform;
        Game game(platform);
        DesktopWindow again(game);
        placeOnScreen(again, settings);
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QCOMPARE(again.geometry(), left);
    }

    void closingTheWindowDuringAGameAsksFirstWithTheClockStopped_data() {
        QTest::addColumn<bool>("board");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("closed");
        QTest::newRow("in the menu") << false << false << false << true;
        QTest::newRow("on a board, no") << true << false << true << false;
        QTest::newRow("on a board, yes") << true << true << true << true;
    }

    void closingTheWindowDuringAGameAsksFirstWithTheClockStopped() {
        QFETCH(bool, board);
        QFETCH(bool, yes);
        QFETCH(bool, asked);
        QFETCH(bool, closed);
        FrontEnd f;
        std::int64_t now = 0;
        ClockDriver driver(f.game, f.window, [&] { return now; });
        driver.start();
        if (board)
            f.newGame();
        const std::int64_t before = f.game.clock().now();
        QStringList questions;
        f.window.askYesNo = [&](const QString& question) {
            questions << question;
            now += 5'000'000'000; // five seconds pass with the question open
            driver.wake();
            return yes;
        };
        QCOMPARE(f.window.close(), closed);
        QCOMPARE(f.window.stopped(), closed);
        QCOMPARE(questions,
                 asked ? QStringList{QStringLiteral("Abandon the game? Unsaved progress is lost.")}
                       : QStringList{});
        driver.wake();
        QCOMPARE(f.game.clock().now(), before);
        QCOMPARE(f.game.mainWindow().timeLeft.text(), QStringLiteral("120"));
    }

    void theGamesOwnQuitKeysEndAtOnce() {
        FrontEnd f;
        int questions = 0;
        f.window.askYesNo = [&](const QString&) { return ++questions, false; };
        f.newGame();
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QVERIFY(f.game.shop());
        QTest::keyClick(&f.window, Qt::Key_Q);
        QCOMPARE(f.platform.exits, 1);
        QCOMPARE(questions, 0);
    }
};

int main(int argc, char* argv[]) {
    qputenv("QT_SCALE_FACTOR", "2"); // the offscreen screen at twice the scale is a small one
    QApplication app(argc, argv);
    InstallDesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "install_desktop_test.moc"
