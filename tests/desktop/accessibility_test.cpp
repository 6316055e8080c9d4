// A screen reader's view of the game: the accessible tree from the main window down, and what a
// turn tells it.
#include "front_end.h"

#include "shell/finale_window.h"

#include <QAccessible>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

// A screen reader comes: the platform's accessibility is on, and events reach the listener.
void screenReaderComes() {
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
}

// The announcements heard: messages and news shown, values changed.
QStringList told;

void listen(QAccessibleEvent* event) {
    QAccessibleInterface* about = event->accessibleInterface();
    if (!about || about->object())
        return;
    if (event->type() == QAccessible::ObjectShow || event->type() == QAccessible::ValueChanged)
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

// The lines of a text block, as the window holds them.
QStringList linesOf(const ui::TextBlock& block) {
    QStringList lines;
    for (const QString& line : block.text().split("\r\n"))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    return lines;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QAccessible::installUpdateHandler(listen); }

    void theTreeHoldsEveryTextEachFieldWithItsValueAndEachObjectWithItsPlace() {
        FrontEnd f;
        screenReaderComes();
        const MenuWindow& menu = *f.game.menu();
        expectHeard(f, QStringList{"Main", menu.title.text()} + linesOf(menu.menuText) +
                           QStringList{menu.credits.text().simplified()});
        BoardWindow& b = f.newGame();
        b.player.setRect({1000, 1000, 255, 255});
        b.gate.setRect({3000, 1000, 255, 255});
        b.gate.setVisible(true);
        b.demon.setRect({600, 400, 255, 255});
        b.demon.setText("3");
        b.demon.setVisible(true);
        f.game.mainWindow().setRope(true);
        expectHeard(f, {"Game", "Board", "gate, 20 steps right",
                        "demon 3, 2 steps left, 4 steps up", "Status", "Level 1=1", "Armor 10=10",
                        "Hits 20=20", "Gold 10=10", "Continues 5=5", "Time 120=120", "Serum 20=20",
                        "Food 20=20", "Energy 100=100", "Rope", "Anna"});
        // The path section: its pick-ups, and the holes near the path player.
        b.onPath.setText("1");
        b.board.setVisible(false);
        b.pathPlayer.setRect({600, 600, 255, 255});
        b.pathPlayer.setVisible(true);
        b.pathGold.setRect({888, 600, 255, 255});
        b.pathGold.setVisible(true);
        b.holes.load(1).setRect({600, 1000, 255, 255});
        b.holes[1].setVisible(true);
        b.holes.load(2).setRect({3000, 1000, 255, 255});
        b.holes[2].setVisible(true);
        expectHeard(f, {"Path", "gold, 3 steps right", "hole, 2 steps down", "Status"});
        QTest::keyClick(&f.window, Qt::Key_Escape);
        expectHeard(f, QStringList{"Welcome to shop Anna"} + linesOf(f.game.shop()->menuText));
        f.game.openGameOver();
        expectHeard(f, {"Game Over"});
        const FinaleWindow& finale = f.game.openFinale();
        expectHeard(f, {"Final game", finale.headline.text().simplified(), "X", "Y",
                        finale.credits.text()});
    }

    void aTurnTellsTheFightThePickUpAndTheEdgeOnceAndTheCountdownOnlyAt30And10And0() {
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
        QCOMPARE(told, QStringList({"gate, 15 steps right, 8 steps down", "Hits 19", "Gold 14",
                                    "Your Attack!"}));
        told.clear();
        b.goldPickup.setRect(b.player.rect());
        b.goldPickup.setVisible(true);
        f.platform.queueDraw(4, 10);
        QTest::keyClick(&f.window, Qt::Key_A);
        QTest::keyClick(&f.window, Qt::Key_A);
        QCOMPARE(told, QStringList({"Gold 18", "You got the gold"}));
        // Coming within a step of an edge is told, walking along it not again; so is the shop's
        // answer.
        b.player.setRect({100, 1000, 255, 255});
        f.window.sync();
        told.clear();
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Down, Qt::Key_Escape, Qt::Key_K, Qt::Key_Escape})
            QTest::keyClick(&f.window, key);
        QCOMPARE(told, QStringList({"edge 1 step left", "You do not have enough gold!"}));
        told.clear();
        MainWindow& status = f.game.mainWindow();
        for (const char* time : {"87", "31", "11", "1"}) {
            status.timeLeft.setText(time);
            f.window.sync();
            f.window.advance(1000);
        }
        QCOMPARE(told, QStringList({"Time 30", "Time 10", "Time 0", "Energy 0",
                                    "Game Over. Sorry. No time."}));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
