// Painting a window from its controls, and finding the label under the mouse.
#include "front_end.h"

#include "shell/finale_window.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QToolTip>

namespace {

QColor pixel(QWidget& view, QPoint at) {
    return view.grab().toImage().pixelColor(at);
}

// Whether a control shows a colour: more than ten pixels near it (letters have soft edges).
bool shows(WindowView& view, const ui::Control& control, QColor c) {
    const QImage image = view.grab().toImage();
    const QRect area = view.placeOf(control)->toRect() & image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            n += std::max({std::abs(p.red() - c.red()), std::abs(p.green() - c.green()),
                           std::abs(p.blue() - c.blue())}) <= 48;
        }
    return n > 10;
}

// The lines of a view's shown labels and text blocks whose letters, in the font really used, are
// not whole inside their control, the view and the board they lie on.
QStringList cutLetters(const WindowView& view) {
    QStringList cut;
    for (const ui::Control* control : view.sceneWindow()->controls()) {
        const auto place = view.placeOf(*control);
        QRectF room = place ? place->intersected(QRectF(view.rect())) : QRectF();
        if (const ui::Board* board = control->parentBoard(); place && board)
            room &= *view.placeOf(*board);
        const auto* label = dynamic_cast<const ui::Label*>(control);
        const auto* block = dynamic_cast<const ui::TextBlock*>(control);
        if (!label && !block)
            continue;
        const QFontMetricsF metrics(
            WindowView::fontOf((label ? label->look() : block->look()).font));
        for (const WindowView::TextLine& line : view.linesOf(*control)) {
            const QRectF ink = metrics.tightBoundingRect(line.text);
            const QRectF drawn(line.origin.x() + ink.left() * line.squeeze,
                               line.origin.y() + ink.top(), ink.width() * line.squeeze,
                               ink.height());
            if (!line.text.isEmpty() && !room.contains(drawn))
                cut << line.text;
        }
    }
    return cut;
}

} // namespace

class WindowViewTest : public QObject {
    Q_OBJECT

  private slots:
    void windowsShowTheirControlsInTheirColours() {
        FrontEnd f;
        MenuWindow& menu = *f.game.menu();
        MainWindow& main = f.game.mainWindow();
        main.statusPanel.setVisible(true);
        FinaleWindow& finale = f.game.openFinale();
        f.window.sync();
        QVERIFY(shows(f.viewOf(menu), menu.title, QColor(255, 0, 0)));
        QVERIFY(shows(f.viewOf(menu), menu.menuText, QColor(0, 128, 0)));
        QVERIFY(shows(f.window.panel(), main.gold, QColor(255, 255, 0)));
        QVERIFY(shows(f.viewOf(finale), finale.heart, QColor(200, 20, 60)));
        QVERIFY(shows(f.viewOf(finale), finale.hero, QColor(0, 0, 128)));
        QCOMPARE(pixel(f.viewOf(menu), {2, 2}), QColor(Qt::black));
    }

    void everyTextShowsWholeAtTheStartingSize() {
        FrontEnd f;
        MainWindow& main = f.game.mainWindow();
        main.statusPanel.setVisible(true);
        f.window.sync();
        QVERIFY(cutLetters(f.viewOf(*f.game.menu())).isEmpty());
        for (const char* number : {"98", "900", "-10", "99999", "-99999"}) {
            for (ui::Label* field :
                 {&main.level, &main.armor, &main.hits, &main.gold, &main.continues, &main.timeLeft,
                  &main.serum, &main.food, &main.energy})
                field->setText(QLatin1String(number));
            QCOMPARE(cutLetters(f.window.panel()), QStringList());
        }
        for (const char* message :
             {"Game Over. You have fallen into the ravine", "Game Over. Sorry. Too many requests.",
              "You will can to continue only 5 times", "You do not have enough energy or gold!",
              "Secret passage +2 Level!"}) {
            main.setMessage(QLatin1String(message));
            QStringList shown;
            for (const WindowView::TextLine& line : f.window.panel().linesOf(main.messageLine()))
                shown << line.text;
            QCOMPARE(shown.join(' '), main.message());
            QCOMPARE(cutLetters(f.window.panel()), QStringList());
        }
        f.newGame();
        QTest::keyClick(&f.window, Qt::Key_Escape);
        const WindowView& shop = f.viewOf(*f.game.shop());
        QCOMPARE(cutLetters(shop), QStringList());
        QCOMPARE(shop.linesOf(f.game.shop()->menuText).size(), size_t{24}); // blank lines too
    }

    void boardLabelsArePlacedOnTheBoardClippedToItAndClickedThroughIt() {
        FrontEnd f;
        BoardWindow& b = f.newGame();
        b.board.setRect({1500, 1500, 3000, 2000});
        b.player.setVisible(false);
        // Holes left from the path section: one under the board, one beside it; the gate on the
        // board above the first, and the gold running past the board's right edge.
        b.holes.load(1).setRect({1800, 1800, 255, 255});
        b.holes.load(2).setRect({600, 600, 255, 255});
        for (ui::Label* shown : {&b.holes[1], &b.holes[2], &b.gate, &b.goldPickup})
            shown->setVisible(true);
        b.gate.setRect({300, 300, 255, 255});
        b.goldPickup.setRect({2900, 300, 255, 255});
        f.window.sync();
        WindowView& view = f.viewOf(b);
        QCOMPARE(view.labelAt({120, 125}), &b.gate);
        QCOMPARE(view.labelAt({136.9, 125}), &b.gate);
        QCOMPARE(view.labelAt({137, 125}), nullptr); // the right edge is outside
        QCOMPARE(view.labelAt({299, 125}), &b.goldPickup);
        QCOMPARE(view.labelAt({301, 125}), nullptr);
        QCOMPARE(pixel(view, {301, 125}), QColor(Qt::black));
        f.click(view, b.gate);
        b.gate.setVisible(false);
        f.window.sync();
        f.click(view, b.holes[1]);
        f.click(view, b.holes[2]);
        QCOMPARE(f.platform.messages,
                 (std::vector<QString>{QStringLiteral("Gate: Go to Next Level"),
                                       QStringLiteral("Hole: A danger hole for you life")}));
        // A hidden board hides its labels.
        b.board.setVisible(false);
        QVERIFY(!view.placeOf(b.goldPickup));
        QCOMPARE(view.labelAt({299, 125}), nullptr);
    }

    void boardObjectsShowTheirTooltipAndTheHand() {
        FrontEnd f;
        BoardWindow& b = f.newGame();
        b.gate.setRect({0, 0, 255, 255});
        b.gate.setVisible(true);
        f.window.sync();
        WindowView& view = f.viewOf(b);
        const QPoint gate = view.placeOf(b.gate)->center().toPoint();
        QHelpEvent help(QEvent::ToolTip, gate, view.mapToGlobal(gate));
        QApplication::sendEvent(&view, &help);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Next Level"));
        QTest::mouseMove(&view, gate);
        QTRY_COMPARE(view.cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseMove(&view, view.placeOf(b.board)->bottomLeft().toPoint() + QPoint(1, -2));
        QTRY_COMPARE(view.cursor().shape(), Qt::ArrowCursor);
        f.click(view, b.player);
        QCOMPARE(f.platform.messages.back(), QStringLiteral("Your Name is: Anna"));
    }
};

QTEST_MAIN(WindowViewTest)
#include "window_view_test.moc"
