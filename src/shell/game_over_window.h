#pragma once

#include "ui/clock.h"
#include "ui/control.h"
#include "ui/window.h"

class Game;

// "Game Over" in large red letters near the top, in front of the shop, for two seconds.
class GameOverWindow : public ui::Window {
  public:
    explicit GameOverWindow(Game& game);

    void onLoad() override;

    ui::Label banner;
    ui::Timer closeTimer; // 2000 ms, closes the window

  private:
    Game& game_;
};
