// A screen reader's view of the game: the accessible tree from the main window down, the one
// announcement of each turn, tick or opened window, and the keys a screen reader keeps.
#include "front_end.h"

#include "shell/finale_window.h"
#include "shell/hall_of_fame_window.h"

#include <QAccessible>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <qpa/qwindowsysteminterface.h>

namespace {

// A screen reader comes, or goes: the platform's accessibility is on, and events reach the
// listener.
void screenReaderComes(bool comes = true) {
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(comes);
}

// The announcements heard: what the game's notification says each time it shows.
QStringList told;

void listen(QAccessibleEvent* event) {
    QAccessibleInterface* about = event->accessibleInterface();
    if (about && event->type() == QAccessible::ObjectShow &&
        about->role() == QAccessible::Notification)
        told << about->text(QAccessible::Name);
}

// Every name shown under an accessible object, depth first; a field's with "=" and its value.
void walk(QAccessibleInterface* at, QStringList& heard) {
    if (at->state().invisible)
        return;
    const QString name = at->text(QAccessible::Name), value = at->text(QAccessible::Value);
    if (!name.isEmpty())
        heard << (value.isEmpty() ? name : name + "=" + value);
    for (int i = 0; i < at->childCount(); ++i)
        walk(at->child(i), heard);
}

// The texts are heard, in this order, from the main window down.
void expectHeard(FrontEnd& f, const QStringList& texts) {
    f.window.sync();
    QStringList heard;
    walk(QAccessible::queryAccessibleInterface(&f.window), heard);
    qsizetype at = 0;
    for (const QString& text : texts) {
        at = heard.indexOf(text, at);
        QVERIFY2(at >= 0, qPrintable(text + " is not heard in order in: " + heard.join(" | ")));
    }
}

// One announcement was heard since the last look, saying the texts in this order.
void expectOneSaying(const QStringList& texts) {
    QCOMPARE(told.size(), 1);
    qsizetype at = 0;
    for (const QString& text : texts) {
        at = told.front().indexOf(text.simplified(), at);
        QVERIFY2(at >= 0, qPrintable(text + " is not said in order in: " + told.front()));
    }
    told.clear();
}

// The game's window loses the focus and gets it back, as when the player switches windows (Qt 6.7
// renamed the platform's call for it).
void switchAwayAndBack(FrontEnd& f) {
    using Sync = QWindowSystemInterface::SynchronousDelivery;
    for (QWindow* front : {static_cast<QWindow*>(nullptr), f.window.windowHandle()})
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
        QWindowSystemInterface::handleFocusWindowChanged<Sync>(front);
#else
        QWindowSystemInterface::handleWindowActivated<Sync>(front);
#endif
    QTest::qWait(0);
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QAccessible::installUpdateHandler(listen); }

    // Each window under its caption, the panel's fields with their values, the board's list and
    // the path section's, as the game reads them; hidden windows are not heard.
    void theTreeHoldsEachWindowWithItsReadingsAndEachFieldWithItsValue() {
        FrontEnd f;
        screenReaderComes();
        const MenuWindow& menu = *f.game.menu();
        expectHeard(f, {"Main", menu.title.text(), "X - Exit", menu.credits.text().simplified()});
        BoardWindow& b = f.newGame();
        b.player.setRect({1000, 1000, 255, 255});
        b.gate.setRect({3000, 1000, 255, 255});
        b.gate.setVisible(true);
        expectHeard(f, {"Game", "Board", "gate, 20 steps right", "Status", "Level 1=1",
                        "Energy 100=100", "Anna"});
        b.onPath.setText("1");
        b.board.setVisible(false);
        b.pathPlayer.setRect({600, 600, 255, 255});
        b.pathPlayer.setVisible(true);
        b.pathGold.setRect({888, 600, 255, 255});
        b.pathGold.setVisible(true);
        expectHeard(f, {"Path", "gold, 3 steps right", "Status"});
        QTest::keyClick(&f.window, Qt::Key_Escape);
        expectHeard(f, {"Welcome to shop Anna", "A - Buy Energy (5E = 10 Gold)", "Q - End"});
        f.game.openGameOver();
        expectHeard(f, {"Game Over"});
        const FinaleWindow& finale = f.game.openFinale();
        expectHeard(f, {"Final game", finale.headline.text().simplified(), "X", "Y",
                        finale.credits.text()});
    }

    // The announcer says each turn's news at once, nothing for a turn without any, the shop's
    // answer, and the countdown as the clock ticks.
    void aTurnIsOneAnnouncementAndTheCountdownIsToldAsTheClockTicks() {
        FrontEnd f;
        screenReaderComes();
        BoardWindow& b = f.newGame();
        b.board.setRect({600, 600, 4000, 3000});
        b.gate.setVisible(false);
        b.demon.setRect(b.player.rect());
        b.demon.setText("1");
        b.demon.setVisible(true);
        f.window.sync();
        told.clear();
        // The demon stays in the row, the player strikes it dead: its gold, the gate.
        for (auto [value, n] : {std::pair{1, 8}, {60, 100}, {4, 10}})
            f.platform.queueDraw(value, n);
        QTest::keyClick(&f.window, Qt::Key_A);
        QCOMPARE(told, QStringList({"gate, 15 steps right, 8 steps down. Hits 19. Gold 14. Your "
                                    "Attack!"}));
        told.clear();
        f.platform.queueDraw(4, 10);
        QTest::keyClick(&f.window, Qt::Key_A);
        QCOMPARE(told, QStringList());
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_K, Qt::Key_Escape})
            QTest::keyClick(&f.window, key);
        QCOMPARE(told.size(), 2);
        QCOMPARE(told.last(), "You do not have enough gold!");
        told.clear();
        MainWindow& status = f.game.mainWindow();
        for (const char* time : {"87", "31", "11", "1"}) {
            status.timeLeft.setText(time);
            f.window.sync();
            f.window.advance(1000);
        }
        QCOMPARE(told, QStringList({"Time 30.", "Time 10.",
                                    "Time 0. Energy 0. Game Over. Sorry. No time."}));
    }

    void aWindowIsHeardAsItOpensOnceWhileTheGameIsTheActiveWindow() {
        screenReaderComes(false);
        FrontEnd f;
        QTest::qWait(0);
        // The screen reader comes late, once the window is up: it hears the main menu.
        told.clear();
        screenReaderComes();
        QTest::qWait(0);
        const MenuWindow& menu = *f.game.menu();
        expectOneSaying({menu.title.text(), "N - New Adventure", menu.credits.text()});
        switchAwayAndBack(f);
        QCOMPARE(told, QStringList());
        QTest::keyClick(&f.window, Qt::Key_F);
        const HallOfFameWindow& fame = *f.game.hallOfFameWindow();
        expectOneSaying({fame.title.text(), fame.header.text(), fame.hint.text()});
        QTest::keyClick(&f.window, Qt::Key_Escape);
        f.newGame();
        told.clear();
        QTest::keyClick(&f.window, Qt::Key_Escape);
        expectOneSaying({"A - Buy Energy", "Q - End"});
    }

    // Orca's review keys on the keypad and its modifier, Insert or Caps Lock, are its own while it
    // listens, even if it is too slow to take them first.
    void theScreenReadersKeysPlayNoTurn() {
        FrontEnd f;
        screenReaderComes();
        BoardWindow& b = f.newGame();
        b.demon.setRect({3000, 3000, 255, 255});
        b.demon.setVisible(true);
        f.window.sync();
        const ui::Rect player = b.player.rect(), demon = b.demon.rect();
        QTest::keyClick(&f.window, Qt::Key_Up, Qt::KeypadModifier);
        QTest::keyClick(&f.window, Qt::Key_8, Qt::KeypadModifier);
        QTest::keyClick(&f.window, Qt::Key_CapsLock);
        QTest::keyClick(&f.window, Qt::Key_Insert);
        QVERIFY(b.player.rect() == player && b.demon.rect() == demon);
        QTest::keyClick(&f.window, Qt::Key_Right);
        QCOMPARE(b.player.left(), player.left + BoardWindow::kStep);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
