// Every number of the status panel, every message and both menus show whole at the starting size:
// each line's ink, in the font really used and where the view draws it, lies inside its control.
#include "front_end.h"

#include <QFontMetricsF>

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
            WindowView::fontOf(label ? label->look().font : block->look().font));
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

class TextFitTest : public QObject {
    Q_OBJECT

  private slots:
    void everyNumberEveryMessageAndBothMenusShowWhole() {
        FrontEnd f;
        QVERIFY(cutLetters(f.viewOf(*f.game.menu())).isEmpty());
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
            for (const ui::Label* field : fields) // room enough: no squeezing to see
                QVERIFY(panel.linesOf(*field).at(0).squeeze > 0.99);
        }
        for (const char* message :
             {"Game Over. You have fallen into the ravine", "Game Over. Sorry. Too many requests.",
              "You will can to continue only 5 times", "You do not have enough energy or gold!",
              "You got the gold", "Secret passage +2 Level!", "Spider Attack!"}) {
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
