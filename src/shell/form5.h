#pragma once

#include "ui/clock.h"
#include "ui/control.h"
#include "ui/window.h"

class Game;

// "Game Over" in large red letters near the top, in front of the shop, for two seconds.
class Form5 : public ui::Window {
  public:
    explicit Form5(Game& game);

    void Form_Load() override;

    ui::Label Label1;
    ui::Timer Timer1; // 2000 ms, closes the window

  private:
    Game& game_;
};
