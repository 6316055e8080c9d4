// The desktop services: dialogs over the main window, the screen, the folders and the draws.
#include "front_end.h"

#include "ui/qt/clockdriver.h"
#include "ui/qt/qtplatform.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

namespace {

// Runs an action on the modal dialog as soon as it is open.
template <class Dialog, class Action> void whenOpen(Action action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog)
            qFatal("no modal dialog open");
        action(*dialog);
    });
}

// The platform attached to a shown main window and a driver on a hand-held clock.
struct Desktop : FrontEnd {
    Desktop() { desktop.attach(window, driver); }
    QtPlatform desktop;
    std::int64_t now = 0;
    ClockDriver driver{game, window, [this] { return now; }};
};

} // namespace

class QtPlatformTest : public QObject {
    Q_OBJECT

  private slots:
    void theInputBoxReturnsTheTypedText() {
        Desktop d;
        whenOpen<QInputDialog>([](QInputDialog& box) {
            QCOMPARE(box.windowTitle(), QStringLiteral("Title"));
            QCOMPARE(box.labelText(), QStringLiteral("Prompt"));
            QCOMPARE(box.textValue(), QStringLiteral("Proposed"));
            box.setTextValue(QStringLiteral("Anna"));
            box.accept();
        });
        QCOMPARE(d.desktop.inputBox(QStringLiteral("Prompt"), QStringLiteral("Title"),
                                    QStringLiteral("Proposed")),
                 QStringLiteral("Anna"));
    }

    void aCancelledInputBoxGivesAnEmptyText() {
        Desktop d;
        whenOpen<QInputDialog>([](QInputDialog& box) { box.reject(); });
        QCOMPARE(d.desktop.inputBox(QStringLiteral("Prompt"), QStringLiteral("Title"),
                                    QStringLiteral("Proposed")),
                 QString());
    }

    void theMessageBoxInformsUnderTheGamesTitle() {
        Desktop d;
        bool seen = false;
        whenOpen<QMessageBox>([&](QMessageBox& box) {
            seen = true;
            QCOMPARE(box.windowTitle(), QStringLiteral("Vexmoor"));
            QCOMPARE(box.text(), QStringLiteral("Gate: Go to Next Level"));
            QCOMPARE(box.icon(), QMessageBox::Information);
            QCOMPARE(box.standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
            box.accept();
        });
        d.desktop.messageBox(QStringLiteral("Gate: Go to Next Level"));
        QVERIFY(seen);
    }

    void theClockStandsStillWhileADialogIsOpen() {
        Desktop d;
        d.driver.start();
        d.now += 30'000'000;
        whenOpen<QMessageBox>([&](QMessageBox& box) {
            d.now += 9'000'000'000;
            d.driver.wake();
            QCOMPARE(d.game.clock().now(), std::int64_t{0});
            box.accept();
        });
        d.desktop.messageBox(QStringLiteral("Wait"));
        d.now += 20'000'000;
        d.driver.wake();
        QCOMPARE(d.game.clock().now(), std::int64_t{50});
    }

    void theScreenIsTheMdiArea() {
        Desktop d;
        QCOMPARE(d.desktop.screenWidth(), 784 * 15.0);
        QCOMPARE(d.desktop.screenHeight(), 571 * 15.0);
        d.game.main().Picture1.setVisible(true);
        d.window.sync();
        QCOMPARE(d.desktop.screenHeight(), (571 - 49) * 15.0);
    }

    void exitNowEndsTheGamesInput() {
        Desktop d;
        d.desktop.exitNow();
        QVERIFY(d.window.stopped());
        QTest::keyClick(&d.window, Qt::Key_H);
        QVERIFY(d.platform.addresses.empty());
    }

    void foldersAndTimeOfDay() {
        QtPlatform desktop;
        QCOMPARE(desktop.programFolder(), QCoreApplication::applicationDirPath());
        QVERIFY(!desktop.dataFolder().isEmpty());
        QVERIFY(desktop.timeOfDay() >= 0 && desktop.timeOfDay() < 86400);
    }

    void drawsAreUniformBelowOne() {
        QtPlatform desktop;
        desktop.reseedFromTime();
        double lowest = 1, highest = 0;
        for (int i = 0; i < 10000; ++i) {
            const double u = desktop.random();
            QVERIFY(u >= 0 && u < 1);
            lowest = std::min(lowest, u);
            highest = std::max(highest, u);
        }
        QVERIFY(lowest < 0.01 && highest > 0.99);
        for (int i = 0; i < 1000; ++i) {
            const int n = ui::draw(desktop, 6);
            QVERIFY(n >= 1 && n <= 6);
        }
    }
};

QTEST_MAIN(QtPlatformTest)
#include "qtplatform_test.moc"
