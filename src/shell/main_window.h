#pragma once

#include "ui/clock.h"
#include "ui/control.h"
#include "ui/window.h"

#include <array>

class Game;

// The main window: the status panel, whose labels are the one store of the player's state, and
// the game clock (the countdown counts the time down, the status timer clears messages and keeps
// the countdown to the board).
class MainWindow : public ui::Window {
  public:
    explicit MainWindow(Game& game);

    void onLoad() override;

    static constexpr double kPanelHeight = 735;
    // The continues of a new game, and of a game given another chance.
    static constexpr double kContinues = 5;

    ui::Board statusPanel;
    std::array<ui::Label, 10> captions;
    ui::Label level, armor, hits, gold, continues, timeLeft, serum, food, energy, playerName;
    ui::Line messageDivider, statsDivider;
    ui::HiddenField boardColour;
    ui::Timer countdown;
    ui::Timer statusTimer;

    // Two of the captions: the message line, and the "R" shown while the player carries a rope.
    ui::Label& messageLine() { return captions[6]; }
    const ui::Label& messageLine() const { return captions[6]; }
    ui::Label& ropeIndicator() { return captions[9]; }
    const ui::Label& ropeIndicator() const { return captions[9]; }

    void setMessage(const QString& text) { messageLine().setText(text); }
    QString message() const { return messageLine().text(); }
    bool hasRope() const { return ropeIndicator().visible(); }
    void setRope(bool carried) { ropeIndicator().setVisible(carried); }

    // Energy, food, serum, hits, armor, gold and the time left at their starting values.
    void setStartingValues();
    // The same fields at their restored values (restore code, answered prayer).
    void setRestoredValues();

  private:
    void countdownTick();
    void statusTick();
    void openCheatPrompt();

    Game& game_;
};
