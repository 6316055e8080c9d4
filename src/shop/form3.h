#pragma once

#include "ui/clock.h"
#include "ui/control.h"
#include "ui/window.h"

class Game;

// The shop "Welcome to shop <name>": single keys buy, convert, pray, continue, save and load.
// While it is open the board takes no keys and the countdown and the closing wall stand still.
class Form3 : public ui::Window {
  public:
    explicit Form3(Game& game);

    void Form_Load() override;
    void Form_KeyDown(int keyCode) override;
    void Form_KeyPress(int charCode) override;

    ui::TextBlock Text1;
    ui::Line Line1;
    ui::Label Msg;
    ui::HiddenField Nascosto;
    ui::Timer Timer1; // 1 ms, once: hands the keys to Nascosto

    void EndGameTooManyRequests();

  protected:
    void Form_Unload() override;

  private:
    void Timer1_Timer();
    bool gameOver() const;

    // The key-down commands.
    void buy(ui::Label& stat, double amount, double price);
    void convertFood(ui::Label& stat, double food);
    void pray();
    void expandWall();
    void buyTime();
    void buyLife();
    void buyRope();
    void newGame();
    void continueGame();
    void loadGame();
    void saveGame();

    Game& game_;
    bool endingGame_ = false; // set by EndGameTooManyRequests: its close leaves the clock stopped
};
