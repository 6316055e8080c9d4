#pragma once

#include "shell/hall_of_fame.h"
#include "ui/control.h"
#include "ui/window.h"

#include <array>

class Game;

// "Hall of Fame": the ten best games, the most recent one highlighted. Escape or F closes it.
class HallOfFameWindow : public ui::Window {
  public:
    explicit HallOfFameWindow(Game& game);

    void onLoad() override;
    void onKeyDown(int keyCode) override;

    ui::Label title, header;
    std::array<ui::Label, HallOfFame::kShown> rows;
    ui::Label notice, hint;

  private:
    Game& game_;
};
