#pragma once

#include "ui/clock.h"
#include "ui/control.h"
#include "ui/window.h"

class Game;

// The finale "Final game": the hero and the princess slide away, "The End", the title and the
// credits, "Goodbye!!!", and the window shrinks off to the left before the main menu returns.
class Form4 : public ui::Window {
  public:
    explicit Form4(Game& game);

    void Form_Load() override;

    ui::Label Et;
    ui::Board Picture1;
    ui::Label Mio, Label1;
    ui::Picture Image1;
    ui::Label Label2;
    ui::Label Label4, Label3;
    ui::Timer Timer1, Timer2, Timer3, Timer4;

  protected:
    void Form_Unload() override;

  private:
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();

    Game& game_;
};
