#pragma once

#include "app/game_host.h"
#include "app/seed_title.h"
#include "terminal/scene_picture.h"

#include <QSocketNotifier>
#include <optional>

class Dialog;
class QEventLoop;
class Game;
class Screen;
struct TerminalInput;

// The game on the terminal: keys, clicks and changes of size reach the game through it, and after
// all the input waiting it draws the scene anew where something changed. A terminal smaller than
// 80 x 24 shows a request for a larger one instead, and the game stands still until it gets one;
// it stands still too while the program is suspended (Ctrl+Z).
class TerminalView : public GameHost {
  public:
    TerminalView(Game& game, Screen& screen);

    // The game in the terminal's area, with its main menu shown.
    void start();
    void sync() override;

    // Shows a dialog over the scene until the player answers it; whether it was accepted.
    bool runDialog(Dialog& dialog);

    // The area the child windows live in, in twips: the terminal above the status panel.
    double areaWidth() const;
    double areaHeight() const;

  private:
    void readInput();
    // Takes the inputs waiting; true once one answered the dialog shown.
    bool takeWaiting();
    void take(const TerminalInput& input);
    // An input for the dialog shown.
    void answer(const TerminalInput& input);
    void click(int column, int row);
    void noticed();
    void resized();
    void keepWindowsInSight();
    void suspend();
    bool fits() const;
    void repaint();
    // The terminal's title names the seed of a seeded game.
    void showSeed();

    Game& game_;
    Screen& screen_;
    ScenePicture scene_;
    Dialog* dialog_ = nullptr;
    QEventLoop* dialogLoop_ = nullptr;
    std::optional<bool> dialogAnswer_;
    QSocketNotifier keys_;
    QSocketNotifier notices_;
    std::optional<unsigned> revision_;
    SeedTitle seedTitle_{false};
    bool resizePending_ = false;
    bool tooSmall_ = false;
    bool batching_ = false;    // the inputs waiting are being taken: the picture waits for them
    bool repaintHeld_ = false; // a picture waits for the batch's end
};
