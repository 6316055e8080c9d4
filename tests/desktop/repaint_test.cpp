// Only what changed is painted again, and each text is set anew once it changes.
#include "front_end.h"

namespace {

// Notes the part of a view each paint covers.
struct PaintWatch : QObject {
    explicit PaintWatch(QWidget& view) { view.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion painted;
};

QRect pixelsOf(const QRectF& r) {
    return r.toAlignedRect();
}

// A board of 4000 by 3000 twips at 600, 600 with the gate alone on it.
struct Shown {
    Shown() {
        boardWindow.board.setRect({600, 600, 4000, 3000});
        for (ui::Label* object :
             {&boardWindow.secretPassage, &boardWindow.goldPickup, &boardWindow.hitsPickup,
              &boardWindow.foodPickup, &boardWindow.serumPickup, &boardWindow.quicksand,
              &boardWindow.demon, &boardWindow.spider, &boardWindow.bat, &boardWindow.player})
            object->setVisible(false);
        boardWindow.gate.setRect({120, 120, 255, 255});
        boardWindow.gate.setVisible(true);
        f.window.sync();
    }
    FrontEnd f;
    BoardWindow& boardWindow = f.newGame();
    WindowView& view = f.viewOf(boardWindow);
};

} // namespace

class RepaintTest : public QObject {
    Q_OBJECT

  private slots:
    void aChangeRepaintsTheOldAndNewPlaceAndNothingElse() {
        Shown s;
        const auto paints = [&](WindowView& view, ui::Control& control, auto change) {
            QCoreApplication::processEvents(); // the paints of what came before
            PaintWatch watch(view);
            const QRect before = pixelsOf(*view.placeOf(control));
            change();
            s.f.window.sync();
            QTRY_VERIFY(!watch.painted.isEmpty());
            const QRect after = pixelsOf(*view.placeOf(control));
            QVERIFY(watch.painted.contains(before) && watch.painted.contains(after));
            // Little more than the two places.
            QVERIFY(watch.painted.subtracted((before | after).adjusted(-2, -2, 2, 2)).isEmpty());
        };
        paints(s.view, s.boardWindow.gate, [&] { s.boardWindow.gate.setLeft(1200); });
        MainWindow& main = s.f.game.mainWindow();
        paints(s.f.window.panel(), main.timeLeft, [&] { main.timeLeft.setText("119"); });
    }

    void aDriftingBoardRepaintsItsEdgesAndItsLabelsButNotItsFace() {
        Shown s;
        QCoreApplication::processEvents();
        PaintWatch watch(s.view);
        const QRect gateBefore = pixelsOf(*s.view.placeOf(s.boardWindow.gate));
        s.boardWindow.board.setTop(700); // 40 to 46.7 pixels down: a band of 6 rows uncovered
        s.f.window.sync();
        QTRY_VERIFY(!watch.painted.isEmpty());
        const QRect gateAfter = pixelsOf(*s.view.placeOf(s.boardWindow.gate));
        const QRect board = pixelsOf(*s.view.placeOf(s.boardWindow.board));
        QVERIFY(watch.painted.contains(gateBefore) && watch.painted.contains(gateAfter));
        QVERIFY(watch.painted.contains(QRect(board.left(), 40, board.width(), 6)));
        QVERIFY(watch.painted.contains(QRect(board.left(), board.bottom() - 6, board.width(), 6)));
        QVERIFY(!watch.painted.contains(board.center()));
    }

    void aTextIsSetAnewWhenItsTextFontOrPlaceChanges() {
        FrontEnd f;
        MenuWindow& menu = *f.game.menu();
        WindowView& view = f.viewOf(menu);
        const auto firstLine = [&] { return view.linesOf(menu.title).front(); };
        QCOMPARE(firstLine().text, QStringLiteral("Vexmoor"));
        const double left = firstLine().origin.x();
        menu.title.setText(QStringLiteral("Vex"));
        QCOMPARE(firstLine().text, QStringLiteral("Vex"));
        const double centred = firstLine().origin.x();
        QVERIFY(centred > left);
        ui::LabelLook look = menu.title.look();
        look.font.points = 30;
        menu.title.setLook(look);
        QVERIFY(firstLine().origin.x() < centred);
        const double baseline = firstLine().origin.y();
        menu.title.setTop(menu.title.top() + 1500);
        QCOMPARE(firstLine().origin.y(), baseline + 100);
    }
};

QTEST_MAIN(RepaintTest)
#include "repaint_test.moc"
