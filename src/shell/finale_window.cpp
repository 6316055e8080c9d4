// The finale: four timers, one after the other, then back to the main menu.
#include "shell/finale_window.h"

#include "board/board_window.h"
#include "shell/game.h"
#include "shell/help.h"
#include "shop/shop_window.h"
#include "ui/flag.h"

namespace {

constexpr ui::Colour kNavy = 0x800000;

ui::LabelLook look(ui::Colour colour, const QString& family, double points, int weight,
                   bool border = false) {
    ui::LabelLook l;
    l.foreColour = colour;
    l.font = {family, points, weight};
    l.align = ui::Align::Center;
    l.border = border;
    return l;
}

const QString kConsole = QStringLiteral("Lucida Console");
const QString kTypewriter = QStringLiteral("Lucida Sans Typewriter");

} // namespace

FinaleWindow::FinaleWindow(Game& game)
    : ui::Window(QStringLiteral("Final game"), 6405, 2910, 0xE0E0E0),
      headline(QStringLiteral(
                   "Congratulations!  You saved the princess Y and finished the game. Bravo!"),
               look(0x800080, kConsole, 12, 700), {120, 240, 6195, 720}),
      couple(0xE0E0E0, {2760, 1320, 855, 495}),
      hero(QStringLiteral("X"), look(kNavy, kTypewriter, 24, 600), {120, 0, 375, 615}),
      princess(QStringLiteral("Y"), look(0xFF00FF, kTypewriter, 24, 600), {480, 0, 375, 615}),
      heart(QStringLiteral(":/finale/heart.png"), {360, 120, 240, 240}),
      frame(QString(), look(0, kConsole, 12, 400, true), {0, 0, 855, 495}),
      theEnd(QStringLiteral("The End"), look(kNavy, kConsole, 27.75, 700), {1920, 1320, 2445, 555},
             false),
      credits(QStringLiteral("...and they lived happily ever after"),
              look(kNavy, kConsole, 12, 700), {0, 2280, 6195, 600}),
      slideTimer(game.clock(), *this, 100, [this] { slide(); }),
      titleTimer(game.clock(), *this, 2000, [this] { showTitle(); }),
      goodbyeTimer(game.clock(), *this, 3000, [this] { sayGoodbye(); }),
      shrinkTimer(game.clock(), *this, 10, [this] { shrink(); }), game_(game) {
    add(headline);
    add(couple);
    couple.add(hero);
    couple.add(princess);
    couple.add(heart);
    couple.add(frame);
    add(theEnd);
    add(credits);
    slideTimer.setEnabled(true);
}

void FinaleWindow::onLoad() {
    game_.placeInMiddle(*this);
    hero.setVisible(true);
    // The game ends here: a shop left open would outlive it and start the clock again when it
    // closes. Its close restarts the clock, which the steps below stop.
    if (ShopWindow* shop = game_.shop())
        game_.close(*shop);
    game_.enterHallOfFame(Ending::Finished);
    MainWindow& status = game_.mainWindow();
    BoardWindow* boardWindow = game_.boardWindow();
    if (boardWindow)
        ui::Flag(boardWindow->gameOver).set();
    status.countdown.setEnabled(false);
    if (boardWindow)
        boardWindow->closingWall.setEnabled(false);
    status.statusTimer.setEnabled(false);
    if (boardWindow)
        game_.close(*boardWindow);
}

void FinaleWindow::slide() {
    couple.setLeft(couple.left() + 25);
    if (couple.left() > width()) {
        theEnd.setVisible(true);
        titleTimer.setEnabled(true);
    }
}

void FinaleWindow::showTitle() {
    slideTimer.setEnabled(false);
    headline.setText(game_.mainWindow().caption());
    ui::LabelLook title = headline.look();
    title.font.points = 24;
    headline.setLook(title);
    titleTimer.setEnabled(false);
    credits.setText(creditsLine());
    goodbyeTimer.setEnabled(true);
}

void FinaleWindow::sayGoodbye() {
    goodbyeTimer.setEnabled(false);
    theEnd.setText(QStringLiteral("Goodbye!!!"));
    shrinkTimer.setEnabled(true);
}

void FinaleWindow::shrink() {
    setWidth(width() - 5);
    setLeft(left() - 10);
    if (left() + width() < 10) {
        shrinkTimer.setEnabled(false);
        game_.close(*this);
    }
}

void FinaleWindow::onUnload() {
    game_.openMenu();
}
