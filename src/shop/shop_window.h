#pragma once

#include "ui/control.h"
#include "ui/stat.h"
#include "ui/window.h"

class Game;

// The shop "Welcome to shop <name>": single keys buy, convert, pray, continue, save and load.
// While it is open the board takes no keys and the countdown and the closing wall stand still.
class ShopWindow : public ui::Window {
  public:
    explicit ShopWindow(Game& game);

    void onLoad() override;
    void onKeyDown(int keyCode) override;
    void onKeyPress(int charCode) override;

    ui::TextBlock menuText;
    ui::Line divider;
    ui::Label message;

    void endGameTooManyRequests();

  protected:
    void onUnload() override;

  private:
    bool gameIsOver() const;

    // The key-down commands.
    void buy(ui::Stat stat, double amount, double price);
    void convertFood(ui::Stat stat, double food);
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
    bool endingGame_ = false; // set by endGameTooManyRequests: its close leaves the clock stopped
};
