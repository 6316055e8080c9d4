// "Game Over" for two seconds in front of the shop.
#include "shell/form5.h"

#include "shell/game.h"

Form5::Form5(Game& game)
    : ui::Window(QString(), 7560, 2430, 0x000000, false),
      Label1(QStringLiteral("Game Over"),
             [] {
                 ui::LabelLook look;
                 look.foreColour = 0x0000FF;
                 look.font = {QStringLiteral("Lucida Console"), 36, 700};
                 look.align = ui::Align::Center;
                 return look;
             }(),
             {120, 840, 7335, 615}),
      Timer1(game.clock(), *this, 2000, [this] { game_.close(*this); }), game_(game) {
    add(Label1);
    Timer1.setEnabled(true);
}

void Form5::Form_Load() {
    setTop(100);
    setLeft((game_.platform().screenWidth() - width()) / 2);
}
