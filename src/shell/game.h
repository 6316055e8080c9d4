#pragma once

#include "save/save_file.h"
#include "shell/game_watcher.h"
#include "shell/hall_of_fame.h"
#include "shell/main_window.h"
#include "ui/clock.h"
#include "ui/platform.h"
#include "ui/scene.h"

class MenuWindow;
class BoardWindow;
class ShopWindow;
class FinaleWindow;
class GameOverWindow;
class HallOfFameWindow;

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
    MainWindow& mainWindow() { return *main_; }

    // The main menu, board, shop, finale and game-over windows while they are open.
    MenuWindow* menu() const;
    BoardWindow* boardWindow() const;
    ShopWindow* shop() const;
    FinaleWindow* finale() const;
    GameOverWindow* gameOverWindow() const;
    HallOfFameWindow* hallOfFameWindow() const;

    // Each makes a window afresh, shows it in front and runs its onLoad.
    MenuWindow& openMenu();
    BoardWindow& openBoard();
    // An open shop comes to the front instead of opening twice.
    ShopWindow& openShop();
    FinaleWindow& openFinale();
    GameOverWindow& openGameOver();
    // An open hall of fame comes to the front instead of opening twice.
    HallOfFameWindow& openHallOfFame();
    // Places a window in the middle of the screen's width and a little above the middle of its
    // height.
    void placeInMiddle(ui::Window& window) const;
    // Runs the window's onUnload at once; the window is freed after the current handler.
    void close(ui::Window& window);

    // A new game on a fresh board window: the starting values, level 1 and the program's seed. The
    // name, the continues and the rope are the caller's to keep or reset.
    void startNewGame();

    // A lost game: the board takes no more turns, the player is gone, the countdown and the
    // closing wall stop, the energy is spent, and the message line says why.
    void loseGame(const QString& message, Ending ending);

    // The table of past games in the player's data folder; the game in play enters it when it ends.
    HallOfFame& hallOfFame();
    // Another table than the data folder's file, kept elsewhere; before start.
    void setFameTable(std::unique_ptr<FameTable> table) { hallOfFame_.emplace(std::move(table)); }
    // A new game or a load: what ends from now on is a new game of the table.
    void beginGame();
    // The saved game's status and seed back, its clock running, a new game of the table; nothing
    // after telling the player why there is none. Its board is the caller's to restore.
    std::optional<SavedGame> loadSavedGame();
    // The game in play ended: its entry of the table is added or updated.
    void enterHallOfFame(Ending ending);
    // Tells the player in a message box, after the tick or input that learnt it, that the game
    // that ended could not be entered in the table. A message box is no input and changes no
    // state, so a recording holds nothing of it.
    void tellLostEntry();

    // Program start: the main window opens the main menu.
    void start();

    // Input from the player, delivered to the window in front.
    void keyDown(int keyCode, int charCode);
    // A click on a label of an open, enabled window (or of the status panel).
    void click(ui::Label& label);
    // The player picked a window, or moved or sized one (the main window included).
    void bringToFront(ui::Window& window);
    void placeWindow(ui::Window& window, const ui::Rect& rect);

    // Sees the inputs before the game takes them; nullptr for none.
    void setWatcher(GameWatcher* watcher) { watcher_ = watcher; }
    // Lets time pass on the game clock.
    void advance(std::int64_t ms) { clock_.advance(ms); }

  private:
    template <class T> T& open();

    ui::Platform& platform_;
    ui::Clock clock_;
    ui::Scene scene_;
    std::unique_ptr<MainWindow> main_;
    std::optional<HallOfFame> hallOfFame_;
    GameWatcher* watcher_ = nullptr;
};
