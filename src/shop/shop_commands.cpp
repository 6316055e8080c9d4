// The shop's single-key commands: purchases, food, prayer, a new game, a continue, save and load.
#include "board/board_window.h"
#include "save/saved_game.h"
#include "shell/game.h"
#include "shell/help.h"
#include "shop/shop_window.h"
#include "ui/stat.h"

#include <array>
#include <cmath>
#include <string_view>

namespace {

// What gold buys in the shop. The menu's text names the same prices.
struct Purchase {
    int key;
    ui::Label MainWindow::*stat;
    double amount;
    double price;
};
constexpr Purchase kPurchases[] = {
    {'A', &MainWindow::energy, 5, 10},
    {'B', &MainWindow::armor, 10, 7},
    {'C', &MainWindow::serum, 20, 5},
    {'D', &MainWindow::hits, 1, 1},
};
constexpr double kWallExpansionGold = 10;
constexpr double kWallExpansionEnergy = 10;
constexpr double kTimeGold = 10;
constexpr double kTimeFood = 10;
constexpr double kLifeGold = 100;
constexpr double kRopeGold = 30;
// The time a purchase of time sets.
constexpr double kBoughtTime = 120;

// Commands that do nothing while the game is over.
constexpr std::string_view kBlocked = "ABCDEFGSWTRKX";

bool blocked(int keyCode) {
    return keyCode >= 'A' && keyCode <= 'Z' &&
           kBlocked.find(static_cast<char>(keyCode)) != std::string_view::npos;
}

} // namespace

void ShopWindow::onKeyDown(int keyCode) {
    MainWindow& status = game_.mainWindow();
    // The food that E and F move: the whole amount, to the nearest whole number.
    const double food = std::round(ui::Stat(status.food).value().value_or(0));
    if (gameIsOver() && blocked(keyCode))
        return;
    for (const Purchase& purchase : kPurchases) {
        if (purchase.key == keyCode) {
            buy(ui::Stat(status.*purchase.stat), purchase.amount, purchase.price);
            return;
        }
    }
    switch (keyCode) {
    case 'E':
        convertFood(ui::Stat(status.energy), food);
        break;
    case 'F':
        convertFood(ui::Stat(status.serum), food);
        break;
    case 'G':
        pray();
        break;
    case 'W':
        expandWall();
        break;
    case 'T':
        buyTime();
        break;
    case 'K':
        buyLife();
        break;
    case 'R':
        buyRope();
        break;
    case 'N':
        newGame();
        break;
    case 'Z':
        continueGame();
        break;
    case 'L':
        loadGame();
        break;
    case 'S':
        saveGame();
        break;
    case 'H':
        openHelpPage(game_);
        break;
    case 'X':
        game_.close(*this);
        break;
    case 'Q':
        game_.platform().exitNow();
        break;
    default:
        break;
    }
}

void ShopWindow::buy(ui::Stat stat, double amount, double price) {
    ui::Stat gold(game_.mainWindow().gold);
    if (gold.atLeast(price)) {
        stat.add(amount);
        gold.add(-price);
    }
    if (gold.below(price))
        message.setText(QStringLiteral("You do not have enough gold!"));
}

void ShopWindow::convertFood(ui::Stat stat, double food) {
    ui::Stat foodLeft(game_.mainWindow().food);
    if (foodLeft.atLeast(1)) {
        stat.add(food);
        foodLeft.set(0);
    }
    if (foodLeft.below(1))
        message.setText(QStringLiteral("You do not have enough foods!"));
}

void ShopWindow::pray() {
    ui::Platform& platform = game_.platform();
    MainWindow& status = game_.mainWindow();
    platform.reseedFor(ui::Reseed::Prayer);
    ui::Stat energy(status.energy);
    if (energy.atMost(0)) {
        endGameTooManyRequests();
        return;
    }
    if (ui::draw(platform, 500) != 1) {
        message.setText(QStringLiteral("Nothing happens."));
        energy.add(-1);
        return;
    }
    status.setRestoredValues();
    ui::Stat(status.continues).set(MainWindow::kContinues);
    status.setRope(true);
    status.countdown.setEnabled(true);
    message.setText(QStringLiteral("God had mercy."));
}

void ShopWindow::expandWall() {
    MainWindow& status = game_.mainWindow();
    // The expansion leaves the player at least one point of energy.
    ui::Stat energy(status.energy), gold(status.gold);
    if (energy.above(kWallExpansionEnergy) && gold.atLeast(kWallExpansionGold)) {
        BoardWindow* boardWindow = game_.boardWindow();
        if (boardWindow)
            boardWindow->board.setWidth(10000);
        energy.add(-kWallExpansionEnergy);
        gold.add(-kWallExpansionGold);
        if (boardWindow)
            boardWindow->gate.setLeft(100);
    } else {
        status.setMessage(QStringLiteral("You do not have enough energy or gold!"));
    }
}

void ShopWindow::buyTime() {
    MainWindow& status = game_.mainWindow();
    ui::Stat food(status.food), gold(status.gold);
    if (food.atLeast(kTimeFood) && gold.atLeast(kTimeGold)) {
        food.add(-kTimeFood);
        gold.add(-kTimeGold);
        ui::Stat(status.timeLeft).set(kBoughtTime);
    } else {
        status.setMessage(QStringLiteral("You do not have enough food or gold!"));
    }
}

void ShopWindow::buyLife() {
    MainWindow& status = game_.mainWindow();
    ui::Stat gold(status.gold);
    if (gold.atLeast(kLifeGold)) {
        gold.add(-kLifeGold);
        ui::Stat(status.continues).add(1);
    } else {
        status.setMessage(QStringLiteral("You do not have enough gold!"));
    }
}

void ShopWindow::buyRope() {
    MainWindow& status = game_.mainWindow();
    ui::Stat gold(status.gold);
    if (gold.atLeast(kRopeGold)) {
        gold.add(-kRopeGold);
        status.setRope(true);
    } else {
        status.setMessage(QStringLiteral("You do not have enough gold!"));
    }
}

// A new game keeps the name but not the continues or the rope.
void ShopWindow::newGame() {
    game_.startNewGame();
    MainWindow& status = game_.mainWindow();
    ui::Stat(status.continues).set(MainWindow::kContinues);
    status.setRope(false);
    game_.close(*this);
}

// A continue can be spent at any time; the level, the name and the rope stay.
void ShopWindow::continueGame() {
    MainWindow& status = game_.mainWindow();
    ui::Stat continues(status.continues);
    if (continues.below(1)) {
        continues.set(0);
        message.setText(QStringLiteral("Not is possible again!"));
        return;
    }
    continues.add(-1);
    game_.hallOfFame().continued();
    status.setMessage(QStringLiteral("You will can to continue only ") + status.continues.text() +
                      QStringLiteral(" times"));
    status.setStartingValues();
    if (BoardWindow* boardWindow = game_.boardWindow())
        boardWindow->revive();
    status.statusTimer.setInterval(3000);
    game_.close(*this);
}

// Loads the stats and the board's geometry into the open board; the level's objects stay.
void ShopWindow::loadGame() {
    const auto saved = game_.loadSavedGame();
    if (!saved)
        return;
    if (BoardWindow* boardWindow = game_.boardWindow()) {
        savedgame::restoreBoard(*boardWindow, *saved);
        boardWindow->revive();
    }
    game_.close(*this);
}

// Saving is refused while the game is over, so a saved game is never an ended one.
void ShopWindow::saveGame() {
    ui::Platform& platform = game_.platform();
    const bool saved = savedgame::save(
        platform, savedgame::capture(game_.mainWindow(), game_.boardWindow(), platform.gameSeed()));
    platform.messageBox(saved ? QStringLiteral("Saved!")
                              : QStringLiteral("Could not save the game."));
}
