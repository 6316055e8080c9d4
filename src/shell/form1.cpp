// The main menu: a new game, the saved game, the help page or the way out.
#include "shell/form1.h"

#include "board/form2.h"
#include "shell/game.h"
#include "shell/help.h"
#include "shop/savedgame.h"

namespace {

ui::LabelLook menuLook(ui::Colour colour, double points, int weight, ui::Align align) {
    ui::LabelLook look;
    look.foreColour = colour;
    look.font = {QStringLiteral("Lucida Console"), points, weight};
    look.align = align;
    return look;
}

} // namespace

Form1::Form1(Game& game)
    : ui::Window(QStringLiteral("Main"), 6330, 5535, 0x000000),
      Label2(QStringLiteral("Vexmoor"), menuLook(0x0000FF, 18, 400, ui::Align::Center),
             {0, 120, 6375, 375}),
      Text1(QStringLiteral("N - New Adventure\r\nL - Load Adventure\r\n\r\nH - Help "
                           "(online)\r\n\r\nX - Exit\r\n"),
            menuLook(0x008000, 11.25, 700, ui::Align::Left), {1560, 1680, 3135, 1815}),
      Label1(creditsLine(), menuLook(0xC0FFFF, 8.25, 400, ui::Align::Center), {0, 5160, 6375, 375}),
      Timer1(game.clock(), *this, 1, [this] { Timer1_Timer(); }), game_(game) {
    add(Label2);
    add(Text1);
    add(Label1);
    add(Nascosto);
    Nascosto.setRect({0, 0, 255, 285});
    Timer1.setEnabled(true);
}

void Form1::Form_Load() {
    Nascosto.setTop(-20000);
    const ui::Platform& platform = game_.platform();
    setTop((platform.screenHeight() - height()) / 2.5);
    setLeft((platform.screenWidth() - width()) / 2);
}

void Form1::Timer1_Timer() {
    Timer1.setEnabled(false);
}

void Form1::Form_KeyDown(int keyCode) {
    switch (keyCode) {
    case 'N':
        newGame();
        break;
    case 'L':
        loadGame();
        break;
    case 'H':
        OpenHelpPage(game_, *this, helpAddress(game_.platform()));
        break;
    case 'X':
        game_.platform().exitNow();
        break;
    default:
        break;
    }
}

void Form1::newGame() {
    game_.startNewGame();
    game_.close(*this);
}

void Form1::loadGame() {
    const auto field = savedgame::open(game_.platform());
    if (!field)
        return;
    MDIForm1& status = game_.main();
    savedgame::restoreStats(status, *field);
    status.Player.setText((*field)[12]);
    status.Timer1.setEnabled(true);
    // The board's start-up runs after this handler, so it sees the restored board.
    Form2& board = game_.openBoard();
    board.MyLoad.setText(QStringLiteral("1"));
    savedgame::restoreGeometry(board, *field);
    savedgame::revive(board);
    status.ContPart.setText((*field)[13]);
    status.setRope(savefile::rope((*field)[14]));
    game_.close(*this);
}
