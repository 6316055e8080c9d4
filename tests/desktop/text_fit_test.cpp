// The main window at 0.5, 1, 1.5, 2 and 2.6 times its designed size, and wide and tall: every
// control stands at its designed place zoomed, clicks there reach it, and every number of the
// status panel, every message and both menus show whole: each line's ink, in the font really used
// and where the view draws it, lies inside its control.
#include "front_end.h"

#include <QFontMetricsF>
#include <map>

namespace {

void addSizes() {
    QTest::addColumn<QSize>("size");
    for (QSize size : {QSize(392, 286), QSize(784, 571), QSize(1176, 857), QSize(1568, 1142),
                       QSize(2038, 1485), QSize(1900, 600), QSize(700, 1300)})
        QTest::addRow("%dx%d", size.width(), size.height()) << size;
}

void resize(FrontEnd& f, QSize size) {
    f.window.resize(size);
    QTRY_COMPARE(f.window.centralWidget()->size(), size);
}

QStringList cutLetters(const WindowView& view) {
    QStringList cut;
    for (const ui::Control* control : view.sceneWindow()->controls()) {
        const auto* label = dynamic_cast<const ui::Label*>(control);
        const auto* block = dynamic_cast<const ui::TextBlock*>(control);
        const auto place = view.placeOf(*control);
        if ((!label && !block) || !place)
            continue;
        QRectF room = place->intersected(QRectF(view.rect()));
        if (const ui::Board* board = control->parentBoard())
            room &= *view.placeOf(*board);
        const QFontMetricsF metrics(
            WindowView::fontOf(label ? label->look().font : block->look().font, view.zoom()));
        for (const WindowView::TextLine& line : view.linesOf(*control)) {
            const QRectF ink = metrics.tightBoundingRect(line.text);
            const QRectF drawn(line.origin.x() + ink.left() * line.squeeze,
                               line.origin.y() + ink.top(), ink.width() * line.squeeze,
                               ink.height());
            if (!line.text.isEmpty() && !room.adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(drawn))
                cut << line.text;
        }
    }
    return cut;
}

// The child windows, the views and every control shown in them, in the main window's pixels.
std::map<const void*, QRectF> places(FrontEnd& f) {
    std::map<const void*, QRectF> placed;
    std::vector<WindowView*> views{&f.window.panel()};
    for (const ui::Window* window : f.game.scene().windows()) {
        QMdiSubWindow* sub = f.window.subWindowOf(*window);
        placed[sub] = QRectF(sub->parentWidget()->mapTo(&f.window, sub->pos()), sub->size());
        views.push_back(f.window.viewOf(*window));
    }
    for (WindowView* view : views) {
        const QPointF origin = view->mapTo(&f.window, QPoint());
        placed[view] = QRectF(origin, view->size());
        for (const ui::Control* control : view->sceneWindow()->controls())
            if (const auto place = view->placeOf(*control))
                placed[control] = place->translated(origin);
    }
    return placed;
}

// A designed place at the zoom that fits the design into the window, centred.
struct Zoomed {
    explicit Zoomed(QSize size)
        : zoom(std::min(size.width() / 784.0, size.height() / 571.0)),
          offset((size.width() - 784 * zoom) / 2, (size.height() - 571 * zoom) / 2) {}
    QRectF operator()(const QRectF& r) const {
        return {r.topLeft() * zoom + offset, r.size() * zoom};
    }
    double zoom;
    QPointF offset;
};

// Apart by no more than the roundings to whole pixels: a child window's corner at the designed
// size, zoomed, and here.
bool near(const QRectF& shown, const Zoomed& zoomed, const QRectF& designed) {
    const QRectF expected = zoomed(designed);
    const QPointF topLeft = shown.topLeft() - expected.topLeft();
    const QPointF bottomRight = shown.bottomRight() - expected.bottomRight();
    return std::max({std::abs(topLeft.x()), std::abs(topLeft.y()), std::abs(bottomRight.x()),
                     std::abs(bottomRight.y())}) <= 0.5 * zoomed.zoom + 1;
}

// A left click at a point of the main window, on the widget found there.
void clickAt(FrontEnd& f, QPointF point) {
    QWidget* target = f.window.childAt(point.toPoint());
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&f.window, point.toPoint()));
}

} // namespace

class TextFitTest : public QObject {
    Q_OBJECT

  private slots:
    void everyControlStandsAtItsDesignedPlaceZoomedAndTakesClicksThere_data() { addSizes(); }
    void everyControlStandsAtItsDesignedPlaceZoomedAndTakesClicksThere() {
        QFETCH(QSize, size);
        FrontEnd f;
        BoardWindow& b = f.newGame();
        QTest::keyClick(&f.window, Qt::Key_Escape); // the shop over the board
        const auto designed = places(f);
        resize(f, size);
        const Zoomed zoomed(size);
        QCOMPARE(f.window.stage().zoom.factor(), zoomed.zoom);
        const auto shown = places(f);
        QCOMPARE(shown.size(), designed.size());
        for (const auto& [what, place] : designed)
            QVERIFY(near(shown.at(what), zoomed, place));
        QTest::keyClick(&f.window, Qt::Key_Escape);
        clickAt(f, zoomed(designed.at(&b.gate)).center());
        QCOMPARE(f.platform.messages, std::vector<QString>{"Gate: Go to Next Level"});
        f.platform.queueAnswer(QStringLiteral("qyx"));
        clickAt(f, zoomed(designed.at(&f.game.mainWindow().captions[0])).center());
        QCOMPARE(f.game.mainWindow().message(), QStringLiteral("God had mercy."));
    }

    void everyNumberEveryMessageAndBothMenusShowWhole_data() { addSizes(); }
    void everyNumberEveryMessageAndBothMenusShowWhole() {
        QFETCH(QSize, size);
        FrontEnd f;
        resize(f, size);
        QCOMPARE(cutLetters(f.viewOf(*f.game.menu())), QStringList());
        f.newGame();
        MainWindow& status = f.game.mainWindow();
        const WindowView& panel = f.window.panel();
        for (const char* number : {"98", "900", "-10", "99999"}) {
            const std::initializer_list<ui::Label*> fields = {
                &status.level,    &status.armor, &status.hits, &status.gold,
                &status.timeLeft, &status.serum, &status.food, &status.energy};
            for (ui::Label* field : fields)
                field->setText(QLatin1String(number));
            status.continues.setText(QLatin1String(number).left(2));
            QCOMPARE(cutLetters(panel), QStringList());
            for (const ui::Label* field : fields) // room enough: squeezed by a pixel at most
                QVERIFY(panel.placeOf(*field)->width() / panel.linesOf(*field)[0].squeeze <
                        panel.placeOf(*field)->width() + 1.01);
        }
        for (const char* message :
             {"Game Over. You have fallen into the ravine", "Game Over. Sorry. Too many requests.",
              "Game Over. Sorry. No time.", "You will can to continue only 5 times",
              "You do not have enough energy or gold!", "You got the gold",
              "Secret passage +2 Level!", "Spider Attack!"}) {
            status.setMessage(QLatin1String(message));
            QStringList shown;
            for (const WindowView::TextLine& line : panel.linesOf(status.messageLine()))
                shown << line.text;
            QCOMPARE(shown.join(' '), status.message());
            QCOMPARE(cutLetters(panel), QStringList());
        }
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QCOMPARE(cutLetters(f.viewOf(*f.game.shop())), QStringList());
    }
};

QTEST_MAIN(TextFitTest)
#include "text_fit_test.moc"
