#pragma once

#include "ui/clock.h"
#include "ui/control.h"
#include "ui/labelarray.h"
#include "ui/window.h"

class Game;
class MDIForm1;

// The board window "Game": the dungeon board Pic with its objects, the path section's field
// around it, the mode flags and counters as hidden fields, and the board's timers.
class Form2 : public ui::Window {
  public:
    explicit Form2(Game& game);

    // The step of a player: 96 twips in every mode.
    static constexpr double kStep = 96;
    // The smallest board a layout gives.
    static constexpr double kNarrowestBoard = 3500;
    static constexpr double kLowestBoard = 2500;

    // Creation step: asks for the name once, starts InitScreen and the countdown.
    void Form_Load() override;
    // One turn per key.
    void Form_KeyDown(int keyCode) override;
    // Escape opens the shop.
    void Form_KeyPress(int charCode) override;

    // The dungeon board and its objects (positions relative to the board).
    ui::Board Pic;
    ui::Label Mio;
    ui::Label Gate, PSecret, Coins, Hit, Food, Serum, Trap, Monster, Spider, Bat;

    // The path section, on the window itself.
    ui::Label Mio2, Tempy, Goldy, Foody;
    ui::LabelArray Foro;
    ui::LabelArray Track;

    // Counters of the path section ("0" as designed).
    ui::HiddenField NuovoL, MioCorX, MioCorY, TrackM;

    // Flags: "1" on, empty off; MonDir holds "0" to "4".
    ui::HiddenField MyLoad, InCammino, Camin, WalMove, WalMove2, MonDir, GameOver, G;

    ui::Timer InitScreen; // 10 ms, once
    ui::Timer Wall;       // 100 ms, closing right wall
    ui::Timer Wall2;      // 100 ms, drifting board
    ui::Timer Trappola;   // 1000 ms, quicksand

    // Level generation.
    void BuildLevel();
    void LayOutBoard();
    void ScatterObject(ui::Label& object);
    bool PlayerOffBoard() const;

    // A pick-up of the board or the path section: the stat it adds 1 to 10 to, and its message.
    struct PickUp {
        ui::Label Form2::*object;
        ui::Label MDIForm1::*stat;
        const char* message;
    };

    // The one contact test between an object and a player label (Mio or Mio2).
    static bool IsTouching(const ui::Label& object, const ui::Label& player);

    void CheckPickup();
    void Fight();
    void BuildPath();
    void CheckPathPickup();
    void HandleFall();
    void HandlePathFall();

  protected:
    void Form_Unload() override;

  private:
    void InitScreen_Timer();
    void Wall_Timer();
    void Wall2_Timer();
    void Trappola_Timer();
    void connectLegend();
    // Adds a draw from 10 to the stat, hides the pick-up and says so.
    void Collect(const PickUp& pickUp);
    // Puts an object at top, left, folded back by its own size where it passes the board's
    // right or bottom edge, and never above or left of 1.
    void PlaceOnBoard(ui::Label& object, double top, double left);

    // Legend: a click on an object shows what it is.
    void Mio_Click();
    void Mio2_Click();
    void Gate_Click();
    void PSecret_Click();
    void Coins_Click();
    void Hit_Click();
    void Food_Click();
    void Serum_Click();
    void Trap_Click();
    void Monster_Click();
    void Spider_Click();
    void Bat_Click();
    void Tempy_Click();
    void Goldy_Click();
    void Foody_Click();
    void Foro_Click(int index);

    Game& game_;
};
