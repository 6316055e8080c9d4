// The main menu: a new game, the saved game, the help page or the way out.
#include "shell/menu_window.h"

#include "board/board_window.h"
#include "save/saved_game.h"
#include "shell/game.h"
#include "shell/help.h"
#include "ui/flag.h"

namespace {

ui::LabelLook menuLook(ui::Colour colour, double points, int weight, ui::Align align) {
    ui::LabelLook look;
    look.foreColour = colour;
    look.font = {QStringLiteral("Lucida Console"), points, weight};
    look.align = align;
    return look;
}

} // namespace

MenuWindow::MenuWindow(Game& game)
    : ui::Window(QStringLiteral("Main"), 6330, 5535, 0x000000),
      title(QStringLiteral("Vexmoor"), menuLook(0x0000FF, 18, 400, ui::Align::Center),
            {0, 120, 6375, 375}),
      menuText(QStringLiteral("N - New Adventure\r\nL - Load Adventure\r\n\r\nH - Help "
                              "(online)\r\n\r\nX - Exit\r\n\r\nF - Hall of Fame\r\n"),
               menuLook(0x008000, 11.25, 700, ui::Align::Left), {1560, 1680, 3135, 2295}),
      credits(creditsLine(), menuLook(0xC0FFFF, 8.25, 400, ui::Align::Center),
              {0, 5160, 6375, 375}),
      game_(game) {
    add(title);
    add(menuText);
    add(credits);
}

void MenuWindow::onLoad() {
    game_.placeInMiddle(*this);
}

void MenuWindow::onKeyDown(int keyCode) {
    switch (keyCode) {
    case 'N':
        newGame();
        break;
    case 'L':
        loadGame();
        break;
    case 'H':
        openHelpPage(game_);
        break;
    case 'X':
        game_.platform().exitNow();
        break;
    case 'F':
        game_.openHallOfFame();
        break;
    default:
        break;
    }
}

void MenuWindow::newGame() {
    game_.startNewGame();
    game_.close(*this);
}

void MenuWindow::loadGame() {
    const auto saved = game_.loadSavedGame();
    if (!saved)
        return;
    // The board's start-up runs after this handler, so it sees the restored board.
    BoardWindow& boardWindow = game_.openBoard();
    ui::Flag(boardWindow.loadPending).set();
    savedgame::restoreBoard(boardWindow, *saved);
    boardWindow.revive();
    game_.close(*this);
}
