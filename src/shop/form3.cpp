// The shop window: its design, opening and closing, and the end of a game by too many prayers.
#include "shop/form3.h"

#include "board/form2.h"
#include "shell/game.h"

namespace {

constexpr ui::Colour kGreen = 0x008000;

ui::LabelLook shopLook(double points) {
    ui::LabelLook look;
    look.foreColour = kGreen;
    look.opaque = true;
    look.backColour = 0x000000;
    look.font = {QStringLiteral("Lucida Console"), points, 700};
    look.align = ui::Align::Left;
    return look;
}

const QString kMenu = QStringLiteral("A - Buy Energy (5E = 10 Gold)\r\n"
                                     "B - Buy Armor  (10A = 7 Gold)\r\n"
                                     "C - Buy Serum  (20S = 5 Gold)\r\n"
                                     "D - Buy Hits   (1H = 1 Gold)\r\n"
                                     "\r\n"
                                     "E - Convert Food in Energy\r\n"
                                     "F - Convert Food in Serum\r\n"
                                     "\r\n"
                                     "G - Pray your God\r\n"
                                     "W - Buy Wall expansion (10 GD,10 EN)\r\n"
                                     "T - Buy Time (10 GD,10 FD)\r\n"
                                     "K - Buy 1 Life (100 GD)\r\n"
                                     "R - Buy Rope (30 GD)\r\n"
                                     "\r\n"
                                     "N - New Game\r\n"
                                     "Z - Try again (Contine)\r\n"
                                     "L - Load\r\n"
                                     "S - Save\r\n"
                                     "\r\n"
                                     "H - Help (online)\r\n"
                                     "\r\n"
                                     "X - Close Shop\r\n"
                                     "Q - End\r\n");

} // namespace

Form3::Form3(Game& game)
    : ui::Window(QStringLiteral("Shop"), 6330, 6825, 0x000000),
      Text1(kMenu, shopLook(11.25), {120, 240, 6135, 5655}), Line1(120, 6000, 6240, 6000, 0x80FFFF),
      Msg(QString(), shopLook(9.75), {120, 6120, 6135, 615}),
      Timer1(game.clock(), *this, 1, [this] { Timer1_Timer(); }), game_(game) {
    add(Text1);
    add(Line1);
    add(Msg);
    add(Nascosto);
    Nascosto.setRect({5760, 120, 255, 285});
    Timer1.setEnabled(true);
}

void Form3::Form_Load() {
    Nascosto.setLeft(-20000);
    const ui::Platform& platform = game_.platform();
    setTop((platform.screenHeight() - height()) / 2.5);
    setLeft((platform.screenWidth() - width()) / 2);
    if (Form2* board = game_.board())
        board->Wall.setEnabled(false);
    MDIForm1& status = game_.main();
    status.Timer1.setEnabled(false);
    setCaption(QStringLiteral("Welcome to shop ") + status.Player.text());
}

void Form3::Timer1_Timer() {
    Timer1.setEnabled(false);
}

bool Form3::gameOver() const {
    const Form2* board = game_.board();
    return board && board->GameOver.isSet();
}

void Form3::Form_KeyPress(int charCode) {
    if (charCode == keys::Escape && !gameOver())
        game_.close(*this);
}

// A prayer without energy: the game is over, and the clock and the wall stay stopped.
void Form3::EndGameTooManyRequests() {
    MDIForm1& status = game_.main();
    status.setMessage(QStringLiteral("Game Over. Sorry. Too many requests."));
    Form2* board = game_.board();
    if (board) {
        board->GameOver.setText(QStringLiteral("1"));
        board->Mio.setVisible(false);
    }
    status.Timer1.setEnabled(false);
    if (board)
        board->Wall.setEnabled(false);
    status.Energy.setText(QStringLiteral("0"));
    endingGame_ = true;
    game_.close(*this);
}

void Form3::Form_Unload() {
    Form2* board = game_.board();
    if (board)
        board->setEnabled(true);
    if (endingGame_)
        return;
    if (board)
        board->Wall.setEnabled(true);
    game_.main().Timer1.setEnabled(true);
}
