#pragma once

#include "ui/clock.h"
#include "ui/control.h"
#include "ui/window.h"

#include <array>

class Game;

// The main window: the status panel Picture1 whose labels are the one store of the player's
// state, and the game clock (Timer1 counts the time down, Timer2 clears messages and keeps the
// countdown to the board).
class MDIForm1 : public ui::Window {
  public:
    explicit MDIForm1(Game& game);

    void Form_Load() override;

    // Indices into Et.
    static constexpr int kMessageLine = 6;
    static constexpr int kRope = 9;
    static constexpr double kPanelHeight = 735;

    ui::Board Picture1;
    std::array<ui::Label, 10> Et;
    ui::Label Liv, Armor, Hits, Gold, ContPart, Tempo, Serum, Food, Energy, Player;
    ui::Line Line1, Line2;
    ui::HiddenField PicBack;
    ui::Timer Timer1;
    ui::Timer Timer2;

    // The message line and the rope indicator.
    void setMessage(const QString& text) { Et[kMessageLine].setText(text); }
    QString message() const { return Et[kMessageLine].text(); }
    bool hasRope() const { return Et[kRope].visible(); }
    void setRope(bool carried) { Et[kRope].setVisible(carried); }

    // Energy, Food, Serum, Hits, Armor, Gold and Tempo at their starting values, in that order.
    void setStartingValues();
    // The same fields at their restored values (restore code, answered prayer).
    void setRestoredValues();

  private:
    void Timer1_Timer();
    void Timer2_Timer();
    void Et_Click();

    Game& game_;
};
