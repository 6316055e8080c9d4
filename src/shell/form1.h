#pragma once

#include "ui/clock.h"
#include "ui/control.h"
#include "ui/window.h"

class Game;

// The main menu "Main": N new game, L load, H help, X exit.
class Form1 : public ui::Window {
  public:
    explicit Form1(Game& game);

    void Form_Load() override;
    void Form_KeyDown(int keyCode) override;

    ui::Label Label2;
    ui::TextBlock Text1;
    ui::Label Label1;
    ui::HiddenField Nascosto;
    ui::Timer Timer1; // 1 ms, once: hands the keys to Nascosto

  private:
    void Timer1_Timer();
    void newGame();
    void loadGame();

    Game& game_;
};
