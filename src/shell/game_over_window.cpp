// "Game Over" for two seconds in front of the shop.
#include "shell/game_over_window.h"

#include "shell/game.h"

GameOverWindow::GameOverWindow(Game& game)
    : ui::Window(QString(), 7560, 2430, 0x000000, false),
      banner(QStringLiteral("Game Over"),
             [] {
                 ui::LabelLook look;
                 look.foreColour = 0x0000FF;
                 look.font = {QStringLiteral("Lucida Console"), 36, 700};
                 look.align = ui::Align::Center;
                 return look;
             }(),
             {120, 840, 7335, 615}),
      closeTimer(game.clock(), *this, 2000, [this] { game_.close(*this); }), game_(game) {
    add(banner);
    closeTimer.setEnabled(true);
}

void GameOverWindow::onLoad() {
    setTop(100);
    setLeft((game_.platform().screenWidth() - width()) / 2);
}
