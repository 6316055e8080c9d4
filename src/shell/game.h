#pragma once

#include "shell/mdiform1.h"
#include "ui/clock.h"
#include "ui/platform.h"
#include "ui/scene.h"

class Form1;
class Form2;
class Form3;
class Form4;
class Form5;

// The running game: the clock, the open windows and the main window with the player's state.
// Windows find each other through it; a window that is closed is not found.
class Game {
  public:
    explicit Game(ui::Platform& platform);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    ui::Platform& platform() { return platform_; }
    ui::Clock& clock() { return clock_; }
    ui::Scene& scene() { return scene_; }
    MDIForm1& main() { return *main_; }

    // The main menu, board, shop, finale and game-over windows while they are open.
    Form1* menu() const;
    Form2* board() const;
    Form3* shop() const;
    Form4* finale() const;
    Form5* gameOver() const;

    // Each makes a window afresh from its design values, shows it in front and runs its load step.
    Form1& openMenu();
    Form2& openBoard();
    // An open shop comes to the front instead of opening twice.
    Form3& openShop();
    Form4& openFinale();
    Form5& openGameOver();
    // Runs the window's unload step at once; the window is freed after the current handler.
    void close(ui::Window& window);

    // A new game on a fresh board window: the starting values and level 1. The name, the
    // continues and the rope are the caller's to keep or reset.
    void startNewGame();

    // Program start: the main window's load step opens the main menu.
    void start();

    // Input from the player, delivered to the window in front.
    void keyDown(int keyCode, int charCode);
    // A click on a label of an open, enabled window (or of the status panel).
    void click(ui::Label& label);
    // Lets time pass on the game clock.
    void advance(std::int64_t ms) { clock_.advance(ms); }

  private:
    template <class T> T& open();

    ui::Platform& platform_;
    ui::Clock clock_;
    ui::Scene scene_;
    std::unique_ptr<MDIForm1> main_;
};

// Key codes and character codes the game reacts to.
namespace keys {
inline constexpr int Escape = 27;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
} // namespace keys
