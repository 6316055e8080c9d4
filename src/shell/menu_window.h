#pragma once

#include "ui/control.h"
#include "ui/window.h"

class Game;

// The main menu "Main": N new game, L load, H help, X exit.
class MenuWindow : public ui::Window {
  public:
    explicit MenuWindow(Game& game);

    void onLoad() override;
    void onKeyDown(int keyCode) override;

    ui::Label title;
    ui::TextBlock menuText;
    ui::Label credits;

  private:
    void newGame();
    void loadGame();

    Game& game_;
};
