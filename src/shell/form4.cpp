// The finale: four timers, one after the other, then back to the main menu.
#include "shell/form4.h"

#include "board/form2.h"
#include "shell/game.h"
#include "shell/help.h"
#include "shop/form3.h"

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

Form4::Form4(Game& game)
    : ui::Window(QStringLiteral("Final game"), 6405, 2910, 0xE0E0E0),
      Et(QStringLiteral("Congratulations!  You saved the princess Y and finished the game. Bravo!"),
         look(0x800080, kConsole, 12, 700), {120, 240, 6195, 720}),
      Picture1(0xE0E0E0, {2760, 1320, 855, 495}),
      Mio(QStringLiteral("X"), look(kNavy, kTypewriter, 24, 600), {120, 0, 375, 615}),
      Label1(QStringLiteral("Y"), look(0xFF00FF, kTypewriter, 24, 600), {480, 0, 375, 615}),
      Image1(QStringLiteral(":/finale/heart.png"), {360, 120, 240, 240}),
      Label2(QString(), look(0, kConsole, 12, 400, true), {0, 0, 855, 495}),
      Label4(QStringLiteral("The End"), look(kNavy, kConsole, 27.75, 700), {1920, 1320, 2445, 555},
             false),
      Label3(QStringLiteral("...and they lived happily ever after"), look(kNavy, kConsole, 12, 700),
             {0, 2280, 6195, 600}),
      Timer1(game.clock(), *this, 100, [this] { Timer1_Timer(); }),
      Timer2(game.clock(), *this, 2000, [this] { Timer2_Timer(); }),
      Timer3(game.clock(), *this, 3000, [this] { Timer3_Timer(); }),
      Timer4(game.clock(), *this, 10, [this] { Timer4_Timer(); }), game_(game) {
    add(Et);
    add(Picture1);
    Picture1.add(Mio);
    Picture1.add(Label1);
    Picture1.add(Image1);
    Picture1.add(Label2);
    add(Label4);
    add(Label3);
    Timer1.setEnabled(true);
}

void Form4::Form_Load() {
    const ui::Platform& platform = game_.platform();
    setTop((platform.screenHeight() - height()) / 2.5);
    setLeft((platform.screenWidth() - width()) / 2);
    Mio.setVisible(true);
    // The game ends here: a shop left open would outlive it and start the clock again when it
    // closes. Its close restarts the clock, which the steps below stop.
    if (Form3* shop = game_.shop())
        game_.close(*shop);
    MDIForm1& status = game_.main();
    Form2* board = game_.board();
    if (board)
        board->GameOver.setText(QStringLiteral("1"));
    status.Timer1.setEnabled(false);
    if (board)
        board->Wall.setEnabled(false);
    status.Timer2.setEnabled(false);
    if (board)
        game_.close(*board);
}

void Form4::Timer1_Timer() {
    Picture1.setLeft(Picture1.left() + 25);
    if (Picture1.left() > width()) {
        Label4.setVisible(true);
        Timer2.setEnabled(true);
    }
}

void Form4::Timer2_Timer() {
    Timer1.setEnabled(false);
    Et.setText(game_.main().caption());
    ui::LabelLook title = Et.look();
    title.font.points = 24;
    Et.setLook(title);
    Timer2.setEnabled(false);
    Label3.setText(creditsLine());
    Timer3.setEnabled(true);
}

void Form4::Timer3_Timer() {
    Timer3.setEnabled(false);
    Label4.setText(QStringLiteral("Goodbye!!!"));
    Timer4.setEnabled(true);
}

void Form4::Timer4_Timer() {
    setWidth(width() - 5);
    setLeft(left() - 10);
    if (left() + width() < 10) {
        Timer4.setEnabled(false);
        game_.close(*this);
    }
}

void Form4::Form_Unload() {
    game_.openMenu();
}
