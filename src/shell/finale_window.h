#pragma once

#include "ui/clock.h"
#include "ui/control.h"
#include "ui/window.h"

class Game;

// The finale "Final game": the hero and the princess slide away, "The End", the title and the
// credits, "Goodbye!!!", and the window shrinks off to the left before the main menu returns.
class FinaleWindow : public ui::Window {
  public:
    explicit FinaleWindow(Game& game);

    void onLoad() override;

    ui::Label headline;
    ui::Board couple;
    ui::Label hero, princess;
    ui::Picture heart;
    ui::Label frame;
    ui::Label theEnd, credits;
    ui::Timer slideTimer, titleTimer, goodbyeTimer, shrinkTimer;

  protected:
    void onUnload() override;

  private:
    void slide();
    void showTitle();
    void sayGoodbye();
    void shrink();

    Game& game_;
};
