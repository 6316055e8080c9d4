#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class Game;
namespace ui {
class Label;
class Window;
} // namespace ui

// What every front end does with the game: it hands the game keys, clicks and stretches of time
// one at a time, shows what changed after each, and stops once the program ends. The clock
// driver listens to it.
class GameHost {
  public:
    explicit GameHost(Game& game) : game_(game) {}
    virtual ~GameHost() = default;
    GameHost(const GameHost&) = delete;
    GameHost& operator=(const GameHost&) = delete;

    // A key for the window in front.
    void keyDown(int keyCode, int charCode);
    // Lets time pass on the game clock.
    void advance(std::int64_t ms);
    // True while a key, click or tick is being handled.
    bool busy() const { return depth_ > 0; }
    // Shows what changed in the scene.
    virtual void sync() = 0;
    // The program is ending: nothing reaches the game any more.
    virtual void stop() { stopped_ = true; }
    bool stopped() const { return stopped_; }
    // True while a dialog the clock driver was not told of is open.
    virtual bool dialogOpen() const { return false; }

    // The main window's client area took a new size, in twips: the game sizes its board from it.
    void areaResized(double width, double height);

    // Closing the program while a board is open asks the player whether to abandon the game, and
    // only "yes" lets it close; unset, it closes at once. The game clock stands still while the
    // question is open.
    std::function<bool(const QString& question)> askYesNo;
    bool mayClose();

    // Set by the clock driver: before a key or click reaches the game (the clock catches up to
    // now), after it, and when the game is hidden from the player (minimized) or shown again.
    std::function<void()> inputArriving;
    std::function<void()> inputDelivered;
    std::function<void(bool hidden)> hiddenChanged;

  protected:
    // Runs one input: the clock catches up first, and the scene shows what changed after it.
    void deliver(const std::function<void()>& step);
    // A press on a window (on one of its labels when given): the window comes to the front, and
    // the label hears the click. Runs inside deliver.
    void pressOn(ui::Window& window, ui::Label* label);

  private:
    Game& game_;
    int depth_ = 0;
    bool stopped_ = false;
};
