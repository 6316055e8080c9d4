// Painting a window from its controls, and finding the label under the mouse.
#include "front_end.h"

#include "shell/finale_window.h"
#include "shop/shop_window.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QToolTip>

namespace {

QImage picture(QWidget& view) {
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The pixels near a colour inside a rectangle of a view (letters have soft edges).
int countColour(QWidget& view, const QRect& area, QColor c) {
    const QImage image = picture(view);
    const QRect inside = area & image.rect();
    int n = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            n += std::max({std::abs(p.red() - c.red()), std::abs(p.green() - c.green()),
                           std::abs(p.blue() - c.blue())}) <= 48;
        }
    return n;
}

// The lines of the shown labels and text blocks of a view whose letters are not whole inside their
// control, within the view and the board they lie on: the letters' ink in the font really used,
// where the view draws each line.
QStringList cutLetters(const WindowView& view) {
    QStringList cut;
    for (const ui::Control* control : view.sceneWindow()->controls()) {
        const ui::LabelLook* look = nullptr;
        if (control->kind() == ui::Control::Kind::Label)
            look = &static_cast<const ui::Label*>(control)->look();
        else if (control->kind() == ui::Control::Kind::TextBlock)
            look = &static_cast<const ui::TextBlock*>(control)->look();
        const auto place = view.placeOf(*control);
        if (!look || !place)
            continue;
        QRectF room = place->intersected(QRectF(view.rect()));
        if (const ui::Board* boardWindow = control->parentBoard())
            room &= *view.placeOf(*boardWindow);
        const QFontMetricsF metrics(WindowView::fontOf(look->font));
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

ui::LabelLook filled(ui::Colour back) {
    ui::LabelLook look;
    look.opaque = true;
    look.backColour = back;
    return look;
}

// A window with one board and labels on it, for the placing rules.
struct TestWindow : ui::Window {
    TestWindow() : ui::Window(QStringLiteral("Test"), 3000, 3000, 0x000000) {
        add(board);
        board.add(inside);
        board.add(across);
        add(above);
    }
    ui::Board board{0x404040, {1500, 1500, 1500, 1500}};
    ui::Label inside{{}, filled(0x00FF00), {150, 150, 300, 300}};
    ui::Label across{{}, filled(0xFF0000), {1200, 150, 600, 300}};
    ui::Label above{{}, filled(0x0000FF), {1200, 1200, 600, 600}};
};

} // namespace

class WindowViewTest : public QObject {
    Q_OBJECT

  private slots:
    void windowsShowTheirControlsInTheirColours() {
        FrontEnd f;
        MenuWindow& menu = *f.game.menu();
        MainWindow& main = f.game.mainWindow();
        f.showPanel(true);
        FinaleWindow& finale = f.game.openFinale();
        f.window.sync();
        const auto shows = [](WindowView& view, const ui::Control& control, QColor colour) {
            return countColour(view, view.placeOf(control)->toRect(), colour) > 10;
        };
        QVERIFY(shows(f.viewOf(menu), menu.title, QColor(255, 0, 0)));
        QVERIFY(shows(f.viewOf(menu), menu.menuText, QColor(0, 128, 0)));
        QVERIFY(shows(f.viewOf(menu), menu.credits, QColor(255, 255, 192)));
        QVERIFY(shows(f.window.panel(), main.gold, QColor(255, 255, 0)));
        QVERIFY(shows(f.viewOf(finale), finale.heart, QColor(200, 20, 60)));
        QCOMPARE(picture(f.viewOf(menu)).pixelColor(2, 2), QColor(Qt::black));
        // The game's faces fall back to a monospace one.
        QVERIFY(QFontInfo(WindowView::fontOf(menu.menuText.look().font)).fixedPitch());
    }

    void everyNumberOfThePanelShowsWholeAtTheStartingSize() {
        FrontEnd f;
        MainWindow& main = f.game.mainWindow();
        f.showPanel(true);
        const WindowView& panel = f.window.panel();
        for (const char* number : {"98", "900", "-10", "99999", "-99999"}) {
            for (ui::Label* field :
                 {&main.level, &main.armor, &main.hits, &main.gold, &main.continues, &main.timeLeft,
                  &main.serum, &main.food, &main.energy})
                field->setText(QLatin1String(number));
            const QStringList cut = cutLetters(panel);
            QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1String(" | "))));
        }
    }

    void everyMessageShowsWholeOnTheStartingSizePanel() {
        FrontEnd f;
        MainWindow& main = f.game.mainWindow();
        f.showPanel(true);
        const WindowView& panel = f.window.panel();
        const ui::Label& line = main.messageLine();
        for (const char* message : {"Game Over. You have fallen into the ravine",
                                    "Game Over. Sorry. No time.",
                                    "Game Over. Sorry. Too many requests.",
                                    "Game Over.",
                                    "You used the rope!",
                                    "You will can to continue only 5 times",
                                    "You do not have enough energy or gold!",
                                    "You do not have enough food or gold!",
                                    "You do not have enough gold!",
                                    "You got the gold",
                                    "You got the hits",
                                    "You got the foods",
                                    "You got the serum",
                                    "Secret passage +2 Level!",
                                    "New level",
                                    "God had mercy.",
                                    "No hits!!!",
                                    "Low energy!!!",
                                    "Demon Attack!",
                                    "Spider Attack!",
                                    "BAT Attack!",
                                    "Your Attack!"}) {
            main.setMessage(QLatin1String(message));
            QStringList shown;
            for (const WindowView::TextLine& l : panel.linesOf(line))
                shown << l.text;
            QCOMPARE(shown.join(QLatin1Char(' ')), main.message());
            const QStringList cut = cutLetters(panel);
            QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1String(" | "))));
        }
    }

    void theMenuAndTheShopShowTheirWholeText() {
        FrontEnd f;
        QVERIFY(cutLetters(f.viewOf(*f.game.menu())).isEmpty());
        f.newGame();
        QTest::keyClick(&f.window, Qt::Key_Escape);
        const WindowView& shop = f.viewOf(*f.game.shop());
        QVERIFY(cutLetters(shop).isEmpty());
        // The menu keeps its blank lines.
        QCOMPARE(shop.linesOf(f.game.shop()->menuText).size(), size_t{24});
    }

    void boardLabelsArePlacedOnTheBoardAndClippedToIt() {
        ScriptedPlatform platform;
        Game game{platform};
        TestWindow& window = game.scene().open<TestWindow>();
        WindowView view(game, window);
        view.resize(300, 300);
        QCOMPARE(view.labelAt({125, 125}), &window.inside);
        QCOMPARE(picture(view).pixelColor(125, 125), QColor(0, 255, 0));
        QCOMPARE(view.labelAt({130, 125}), nullptr); // the right edge is outside
        // The label running past the board's right edge is cut there.
        QCOMPARE(view.labelAt({199, 115}), &window.across);
        QCOMPARE(view.labelAt({205, 115}), nullptr);
        QCOMPARE(picture(view).pixelColor(205, 115), QColor(Qt::black));
        // The label added last lies on top, on the board and beside it.
        QCOMPARE(view.labelAt({115, 115}), &window.above);
        QCOMPARE(view.labelAt({85, 85}), &window.above);
        QCOMPARE(picture(view).pixelColor(115, 115), QColor(255, 0, 0));
        // A hidden board hides its labels.
        window.board.setVisible(false);
        QVERIFY(!view.placeOf(window.inside));
        QCOMPARE(view.labelAt({125, 125}), nullptr);
        QCOMPARE(picture(view).pixelColor(125, 125), QColor(Qt::black));

        // A closed window's view shows nothing and takes no clicks.
        game.scene().close(window);
        QVERIFY(!view.sceneWindow());
        QCOMPARE(view.labelAt({85, 85}), nullptr);
        game.scene().collect();
        QCOMPARE(picture(view).pixelColor(85, 85), QColor(Qt::black));
    }

    void aClickOnTheBoardNeverReachesAHoleBelowIt() {
        FrontEnd f;
        BoardWindow& boardWindow = f.newGame();
        boardWindow.board.setRect({1500, 1500, 3000, 2000});
        for (ui::Label* object :
             {&boardWindow.gate, &boardWindow.secretPassage, &boardWindow.goldPickup,
              &boardWindow.hitsPickup, &boardWindow.foodPickup, &boardWindow.serumPickup,
              &boardWindow.quicksand, &boardWindow.demon, &boardWindow.spider, &boardWindow.bat,
              &boardWindow.player})
            object->setVisible(false);
        // Holes left from the path section: one under the board, one beside it, and the gate
        // on the board right above the first.
        ui::Label& under = boardWindow.holes.load(1);
        under.setRect({1800, 1800, 255, 255});
        under.setVisible(true);
        ui::Label& beside = boardWindow.holes.load(2);
        beside.setRect({600, 600, 255, 255});
        beside.setVisible(true);
        boardWindow.gate.setRect({300, 300, 255, 255});
        boardWindow.gate.setVisible(true);
        f.window.sync();
        WindowView& view = f.viewOf(boardWindow);
        f.click(view, boardWindow.gate);
        boardWindow.gate.setVisible(false);
        f.window.sync();
        f.click(view, under);
        f.click(view, beside);
        QCOMPARE(f.platform.messages,
                 (std::vector<QString>{QStringLiteral("Gate: Go to Next Level"),
                                       QStringLiteral("Hole: A danger hole for you life")}));
    }

    void boardObjectsShowTheirTooltipTheHandAndTheirLegend() {
        FrontEnd f;
        BoardWindow& boardWindow = f.newGame();
        // The gate alone in the board's top-left corner, the player in the opposite one.
        boardWindow.gate.setVisible(true);
        boardWindow.gate.setLeft(0);
        boardWindow.gate.setTop(0);
        boardWindow.player.setLeft(boardWindow.board.width() - boardWindow.player.width());
        boardWindow.player.setTop(boardWindow.board.height() - boardWindow.player.height());
        for (ui::Label* other :
             {&boardWindow.secretPassage, &boardWindow.goldPickup, &boardWindow.hitsPickup,
              &boardWindow.foodPickup, &boardWindow.serumPickup, &boardWindow.quicksand,
              &boardWindow.demon, &boardWindow.spider, &boardWindow.bat})
            other->setVisible(false);
        f.window.sync();
        WindowView& view = f.viewOf(boardWindow);
        const QPoint gate = view.placeOf(boardWindow.gate)->center().toPoint();
        QHelpEvent help(QEvent::ToolTip, gate, view.mapToGlobal(gate));
        QApplication::sendEvent(&view, &help);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Next Level"));
        QTest::mouseMove(&view, gate);
        QTRY_COMPARE(view.cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseMove(&view,
                         view.placeOf(boardWindow.board)->bottomLeft().toPoint() + QPoint(1, -2));
        QTRY_COMPARE(view.cursor().shape(), Qt::ArrowCursor);
        f.click(view, boardWindow.gate);
        f.click(view, boardWindow.player);
        QCOMPARE(f.platform.messages.size(), size_t{2});
        QCOMPARE(f.platform.messages[0], QStringLiteral("Gate: Go to Next Level"));
        QCOMPARE(f.platform.messages[1], QStringLiteral("Your Name is: Anna"));
    }
};

QTEST_MAIN(WindowViewTest)
#include "window_view_test.moc"
