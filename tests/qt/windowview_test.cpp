// Painting a window from its controls, and finding the label under the mouse.
#include "front_end.h"

#include "shell/form4.h"

#include <QFontInfo>
#include <QHelpEvent>
#include <QToolTip>

namespace {

// Counts the pixels of a colour inside a rectangle of an image; tolerance allows for the soft
// edges of letters.
int countColour(const QImage& image, const QRect& area, QColor colour, int tolerance = 0) {
    int n = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            n += std::abs(p.red() - colour.red()) <= tolerance &&
                         std::abs(p.green() - colour.green()) <= tolerance &&
                         std::abs(p.blue() - colour.blue()) <= tolerance
                     ? 1
                     : 0;
        }
    return n;
}

QImage picture(WindowView& view) {
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A window with one board and labels on it, for the placing rules.
class TestWindow : public ui::Window {
  public:
    TestWindow() : ui::Window(QStringLiteral("Test"), 3000, 3000, 0x000000) {
        add(board);
        board.add(inside);
        board.add(across);
        add(above);
    }
    ui::Board board{0x404040, {1500, 1500, 1500, 1500}};
    ui::Label inside{QStringLiteral("A"), look(0x00FF00), {150, 150, 300, 300}};
    ui::Label across{QStringLiteral("B"), look(0xFF0000), {1200, 150, 600, 300}};
    ui::Label above{QStringLiteral("C"), look(0x0000FF), {1200, 1200, 600, 600}};

  private:
    static ui::LabelLook look(ui::Colour back) {
        ui::LabelLook l;
        l.opaque = true;
        l.backColour = back;
        return l;
    }
};

} // namespace

class WindowViewTest : public QObject {
    Q_OBJECT

  private slots:
    void theMenuShowsItsRedTitleGreenTextAndCredits() {
        FrontEnd f;
        Form1& menu = *f.game.menu();
        WindowView& view = f.viewOf(menu);
        const QImage image = picture(view);
        const QRect title = view.placeOf(menu.Label2)->toRect();
        const QRect text = view.placeOf(menu.Text1)->toRect();
        const QRect credits = view.placeOf(menu.Label1)->toRect();
        QVERIFY(countColour(image, title, QColor(255, 0, 0)) > 20);
        QVERIFY(countColour(image, text, QColor(0, 128, 0)) > 100);
        QVERIFY(countColour(image, credits, QColor(255, 255, 192), 48) > 20);
        // Black everywhere else.
        QCOMPARE(image.pixelColor(2, 2), QColor(Qt::black));
        QCOMPARE(image.pixelColor(image.width() - 3, image.height() / 2), QColor(Qt::black));
        QCOMPARE(countColour(
                     image,
                     QRect(0, title.bottom() + 1, image.width(), text.top() - title.bottom() - 1),
                     QColor(Qt::black)),
                 image.width() * (text.top() - title.bottom() - 1));
    }

    void theGamesFontsFallBackToAMonospaceFace() {
        const QFont font = WindowView::fontOf({QStringLiteral("Lucida Console"), 12, 700});
        const QFontInfo info(font);
        QVERIFY(info.fixedPitch());
        QCOMPARE(info.family(), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(font.pixelSize(), 16);
        QCOMPARE(font.weight(), QFont::Bold);
        const QFont typewriter =
            WindowView::fontOf({QStringLiteral("Lucida Sans Typewriter"), 8.25, 600});
        QVERIFY(QFontInfo(typewriter).fixedPitch());
        QCOMPARE(typewriter.pixelSize(), 11);
        QCOMPARE(typewriter.weight(), QFont::DemiBold);
    }

    void boardLabelsArePlacedOnTheBoardAndClippedToIt() {
        ScriptedPlatform platform;
        Game game{platform};
        TestWindow& window = game.scene().open<TestWindow>();
        WindowView view(game, window);
        view.resize(300, 300);
        QCOMPARE(*view.placeOf(window.inside), QRectF(110, 110, 20, 20));
        QCOMPARE(view.labelAt({125, 125}), &window.inside);
        QCOMPARE(view.labelAt({130, 125}), nullptr); // the right edge is outside
        // The label running past the board's right edge is cut there.
        QCOMPARE(view.labelAt({199, 115}), &window.across);
        QCOMPARE(view.labelAt({205, 115}), nullptr);
        // Drawn in order: the label added last lies on top, on the board and beside it.
        QCOMPARE(view.labelAt({115, 115}), &window.above);
        QCOMPARE(view.labelAt({85, 85}), &window.above);

        const QImage image = picture(view);
        QCOMPARE(image.pixelColor(125, 125), QColor(0, 255, 0));
        QCOMPARE(image.pixelColor(199, 115), QColor(0, 0, 255));
        QCOMPARE(image.pixelColor(205, 115), QColor(Qt::black));
        QCOMPARE(image.pixelColor(115, 115), QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(150, 150), QColor(64, 64, 64));

        // A hidden board hides its labels.
        window.board.setVisible(false);
        QCOMPARE(view.labelAt({125, 125}), nullptr);
        QVERIFY(!view.placeOf(window.inside));
        QCOMPARE(picture(view).pixelColor(125, 125), QColor(Qt::black));
    }

    void aViewOfAClosedWindowShowsNothing() {
        ScriptedPlatform platform;
        Game game{platform};
        TestWindow& window = game.scene().open<TestWindow>();
        WindowView view(game, window);
        view.resize(300, 300);
        game.scene().close(window);
        QVERIFY(!view.sceneWindow());
        QCOMPARE(view.labelAt({125, 125}), nullptr);
        game.scene().collect();
        QCOMPARE(picture(view).pixelColor(125, 125), QColor(Qt::black));
    }

    void theStatusPanelShowsTheStats() {
        FrontEnd f;
        MDIForm1& main = f.game.main();
        main.Picture1.setVisible(true);
        f.window.sync();
        WindowView& panel = f.window.panel();
        const QImage image = picture(panel);
        QCOMPARE(image.pixelColor(panel.width() - 2, 2), QColor(64, 64, 64));
        // The level caption in white, the gold in yellow, the separating lines in black.
        QVERIFY(countColour(image, panel.placeOf(main.Et[0])->toRect(), Qt::white) > 10);
        QVERIFY(countColour(image, panel.placeOf(main.Gold)->toRect(), QColor(255, 255, 0)) > 10);
        QCOMPARE(image.pixelColor(400, 20), QColor(Qt::black));
        QCOMPARE(image.pixelColor(584, 20), QColor(Qt::black));
        // The rope shows only while carried.
        const QRect rope = panel.placeOf(main.Et[MDIForm1::kRope]).value_or(QRectF()).toRect();
        QVERIFY(rope.isEmpty());
        main.setRope(true);
        const QRect shown = panel.placeOf(main.Et[MDIForm1::kRope])->toRect();
        QVERIFY(countColour(picture(panel), shown, QColor(255, 128, 0)) > 5);
    }

    void theFinalesPictureIsDrawn() {
        FrontEnd f;
        Form4& finale = f.game.openFinale();
        f.window.sync();
        WindowView& view = f.viewOf(finale);
        const QRect heart = view.placeOf(finale.Image1)->toRect();
        const QImage image = picture(view);
        int painted = 0;
        for (int y = heart.top(); y <= heart.bottom(); ++y)
            for (int x = heart.left(); x <= heart.right(); ++x)
                painted += image.pixelColor(x, y) != QColor(0xE0, 0xE0, 0xE0) ? 1 : 0;
        QVERIFY(painted > 20);
    }

    void objectsShowTheirTooltipAndTheHand() {
        FrontEnd f;
        f.newGame(QStringLiteral("Anna"));
        Form2& board = *f.game.board();
        board.Gate.setVisible(true);
        board.Gate.setRect({0, 0, 255, 255});
        board.Mio.setLeft(board.Pic.width() - board.Mio.width());
        board.Mio.setTop(board.Pic.height() - board.Mio.height());
        for (ui::Label* other :
             {&board.PSecret, &board.Coins, &board.Hit, &board.Food, &board.Serum, &board.Trap,
              &board.Monster, &board.Spider, &board.Bat})
            other->setVisible(false);
        f.window.sync();
        WindowView& view = f.viewOf(board);
        const QPoint gate = view.placeOf(board.Gate)->center().toPoint();
        QHelpEvent help(QEvent::ToolTip, gate, view.mapToGlobal(gate));
        QApplication::sendEvent(&view, &help);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Next Level"));

        QTest::mouseMove(&view, gate);
        QTRY_COMPARE(view.cursor().shape(), Qt::PointingHandCursor);
        const QPoint empty = view.placeOf(board.Pic)->bottomLeft().toPoint() + QPoint(1, -2);
        QCOMPARE(view.labelAt(empty), nullptr);
        QTest::mouseMove(&view, empty);
        QTRY_COMPARE(view.cursor().shape(), Qt::ArrowCursor);
    }
};

QTEST_MAIN(WindowViewTest)
#include "windowview_test.moc"
