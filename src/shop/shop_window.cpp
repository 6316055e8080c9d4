// The shop window: its look, opening and closing, and the end of a game by too many prayers.
#include "shop/shop_window.h"

#include "board/board_window.h"
#include "shell/game.h"
#include "ui/keys.h"

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

ShopWindow::ShopWindow(Game& game)
    : ui::Window(QStringLiteral("Shop"), 6330, 6825, 0x000000),
      menuText(kMenu, shopLook(11.25), {120, 240, 6135, 5655}),
      divider(120, 6000, 6240, 6000, 0x80FFFF),
      message(QString(), shopLook(9.75), {120, 6120, 6135, 615}), game_(game) {
    add(menuText);
    add(divider);
    add(message);
}

void ShopWindow::onLoad() {
    game_.placeInMiddle(*this);
    if (BoardWindow* boardWindow = game_.boardWindow())
        boardWindow->closingWall.setEnabled(false);
    MainWindow& status = game_.mainWindow();
    status.countdown.setEnabled(false);
    setCaption(QStringLiteral("Welcome to shop ") + status.playerName.text());
}

bool ShopWindow::gameIsOver() const {
    const BoardWindow* boardWindow = game_.boardWindow();
    return boardWindow && boardWindow->gameOver.isSet();
}

void ShopWindow::onKeyPress(int charCode) {
    if (charCode == keys::Escape && !gameIsOver())
        game_.close(*this);
}

// A prayer without energy: the game is over, and the clock and the wall stay stopped.
void ShopWindow::endGameTooManyRequests() {
    game_.loseGame(QStringLiteral("Game Over. Sorry. Too many requests."), Ending::TooManyRequests);
    endingGame_ = true;
    game_.close(*this);
}

void ShopWindow::onUnload() {
    BoardWindow* boardWindow = game_.boardWindow();
    if (boardWindow)
        boardWindow->setEnabled(true);
    if (endingGame_)
        return;
    if (boardWindow)
        boardWindow->closingWall.setEnabled(true);
    game_.mainWindow().countdown.setEnabled(true);
}
