// The main window at 0.5 to 2.6 times its designed size, wide and tall: every control stands at its
// designed place zoomed, clicks there reach it, and every number of the status panel, every message
// and both menus show whole: each line's ink, in the font used and where it is drawn, lies inside.
#include "front_end.h"

#include <QFontMetricsF>
#include <map>

namespace {

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

// The child windows and every control shown in them, in the main window's pixels.
std::map<const void*, QRectF> places(FrontEnd& f) {
    std::map<const void*, QRectF> placed;
    std::vector<const WindowView*> views{&f.window.panel()};
    for (const ui::Window* window : f.game.scene().windows()) {
        const QMdiSubWindow* sub = f.window.subWindowOf(*window);
        placed[sub] = QRectF(sub->mapTo(&f.window, QPoint()), sub->size());
        views.push_back(f.window.viewOf(*window));
    }
    for (const WindowView* view : views)
        for (const ui::Control* control : view->sceneWindow()->controls())
            if (const auto place = view->placeOf(*control))
                placed[control] = place->translated(view->mapTo(&f.window, QPoint()));
    return placed;
}

// A place at the designed size, at the zoom that fits the design into the window, centred.
QRectF zoomed(const QRectF& r, QSize size) {
    const double zoom = std::min(size.width() / 784.0, size.height() / 571.0);
    const QPointF offset((size.width() - 784 * zoom) / 2, (size.height() - 571 * zoom) / 2);
    return {r.topLeft() * zoom + offset, r.size() * zoom};
}

// Apart by the roundings to whole pixels at most: a child window's corner at the designed size,
// zoomed, and here.
bool near(const QRectF& a, const QRectF& b, double zoom) {
    const QPointF d = a.topLeft() - b.topLeft(), e = a.bottomRight() - b.bottomRight();
    return std::max({std::abs(d.x()), std::abs(d.y()), std::abs(e.x()), std::abs(e.y())}) <=
           0.5 * zoom + 1;
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
    void everyControlStandsZoomedTakesClicksThereAndShowsWhole_data() {
        QTest::addColumn<QSize>("size");
        for (QSize size : {QSize(392, 286), QSize(784, 571), QSize(1176, 857), QSize(1568, 1142),
                           QSize(2038, 1485), QSize(1900, 600), QSize(700, 1300)})
            QTest::addRow("%dx%d", size.width(), size.height()) << size;
    }
    void everyControlStandsZoomedTakesClicksThereAndShowsWhole() {
        QFETCH(QSize, size);
        FrontEnd menu;
        menu.window.resize(size);
        QCOMPARE(cutLetters(menu.viewOf(*menu.game.menu())), QStringList());
        FrontEnd f;
        BoardWindow& b = f.newGame();
        QTest::keyClick(&f.window, Qt::Key_Escape); // the shop over the board
        const auto designed = places(f);
        f.window.resize(size);
        QTRY_COMPARE(f.window.centralWidget()->size(), size);
        const auto shown = places(f);
        for (const auto& [what, place] : designed)
            QVERIFY(near(shown.at(what), zoomed(place, size), f.window.stage().zoom.factor()));
        QCOMPARE(cutLetters(f.viewOf(*f.game.shop())), QStringList());
        QTest::keyClick(&f.window, Qt::Key_Escape);
        clickAt(f, zoomed(designed.at(&b.gate), size).center());
        QCOMPARE(f.platform.messages, std::vector<QString>{"Gate: Go to Next Level"});
        f.platform.queueAnswer(QStringLiteral("qyx"));
        MainWindow& status = f.game.mainWindow();
        clickAt(f, zoomed(designed.at(&status.captions[0]), size).center());
        QCOMPARE(status.message(), QStringLiteral("God had mercy."));
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
    }
};

QTEST_MAIN(TextFitTest)
#include "text_fit_test.moc"
