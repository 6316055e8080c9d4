// The shop's single-key commands: purchases, food, prayer, a new game, a continue, save and load.
#include "board/board_window.h"
#include "save/saved_game.h"
#include "shell/game.h"
#include "shell/help.h"
#include "shop/shop_window.h"
#include "ui/number.h"

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
    const double food = std::round(ui::readNumber(status.food.text()).value_or(0));
    if (gameIsOver() && blocked(keyCode))
        return;
    for (const Purchase& purchase : kPurchases) {
        if (purchase.key == keyCode) {
            buy(status.*purchase.stat, purchase.amount, purchase.price);
            return;
        }
    }
    switch (keyCode) {
    case 'E':
        convertFood(status.energy, food);
        break;
    case 'F':
        convertFood(status.serum, food);
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

void ShopWindow::buy(ui::Label& stat, double amount, double price) {
    ui::Label& gold = game_.mainWindow().gold;
    if (ui::holds(gold.text(), [price](double g) { return g >= price; })) {
        ui::addTo(stat, amount);
        ui::addTo(gold, -price);
    }
    if (ui::holds(gold.text(), [price](double g) { return g < price; }))
        message.setText(QStringLiteral("You do not have enough gold!"));
}

void ShopWindow::convertFood(ui::Label& stat, double food) {
    ui::Label& foodField = game_.mainWindow().food;
    if (ui::holds(foodField.text(), [](double f) { return f >= 1; })) {
        ui::addTo(stat, food);
        foodField.setText(QStringLiteral("0"));
    }
    if (ui::holds(foodField.text(), [](double f) { return f < 1; }))
        message.setText(QStringLiteral("You do not have enough foods!"));
}

void ShopWindow::pray() {
    ui::Platform& platform = game_.platform();
    MainWindow& status = game_.mainWindow();
    platform.reseedFromTime();
    if (ui::holds(status.energy.text(), [](double e) { return e <= 0; })) {
        endGameTooManyRequests();
        return;
    }
    if (ui::draw(platform, 500) != 1) {
        message.setText(QStringLiteral("Nothing happens."));
        ui::addTo(status.energy, -1);
        return;
    }
    status.setRestoredValues();
    status.continues.setText(QStringLiteral("5"));
    status.setRope(true);
    status.countdown.setEnabled(true);
    message.setText(QStringLiteral("God had mercy."));
}

void ShopWindow::expandWall() {
    MainWindow& status = game_.mainWindow();
    // The expansion leaves the player at least one point of energy.
    if (ui::holds(status.energy.text(), [](double e) { return e > kWallExpansionEnergy; }) &&
        ui::holds(status.gold.text(), [](double g) { return g >= kWallExpansionGold; })) {
        BoardWindow* boardWindow = game_.boardWindow();
        if (boardWindow)
            boardWindow->board.setWidth(10000);
        ui::addTo(status.energy, -kWallExpansionEnergy);
        ui::addTo(status.gold, -kWallExpansionGold);
        if (boardWindow)
            boardWindow->gate.setLeft(100);
    } else {
        status.setMessage(QStringLiteral("You do not have enough energy or gold!"));
    }
}

void ShopWindow::buyTime() {
    MainWindow& status = game_.mainWindow();
    if (ui::holds(status.food.text(), [](double f) { return f >= kTimeFood; }) &&
        ui::holds(status.gold.text(), [](double g) { return g >= kTimeGold; })) {
        ui::addTo(status.food, -kTimeFood);
        ui::addTo(status.gold, -kTimeGold);
        status.timeLeft.setText(QStringLiteral("120"));
    } else {
        status.setMessage(QStringLiteral("You do not have enough food or gold!"));
    }
}

void ShopWindow::buyLife() {
    MainWindow& status = game_.mainWindow();
    if (ui::holds(status.gold.text(), [](double g) { return g >= kLifeGold; })) {
        ui::addTo(status.gold, -kLifeGold);
        ui::addTo(status.continues, 1);
    } else {
        status.setMessage(QStringLiteral("You do not have enough gold!"));
    }
}

void ShopWindow::buyRope() {
    MainWindow& status = game_.mainWindow();
    if (ui::holds(status.gold.text(), [](double g) { return g >= kRopeGold; })) {
        ui::addTo(status.gold, -kRopeGold);
        status.setRope(true);
    } else {
        status.setMessage(QStringLiteral("You do not have enough gold!"));
    }
}

// A new game keeps the name but not the continues or the rope.
void ShopWindow::newGame() {
    game_.startNewGame();
    MainWindow& status = game_.mainWindow();
    status.continues.setText(QStringLiteral("5"));
    status.setRope(false);
    game_.close(*this);
}

// A continue can be spent at any time; the level, the name and the rope stay.
void ShopWindow::continueGame() {
    MainWindow& status = game_.mainWindow();
    if (ui::holds(status.continues.text(), [](double c) { return c < 1; })) {
        status.continues.setText(QStringLiteral("0"));
        message.setText(QStringLiteral("Not is possible again!"));
        return;
    }
    ui::addTo(status.continues, -1);
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
    const auto saved = game_.openSavedGame();
    if (!saved)
        return;
    MainWindow& status = game_.mainWindow();
    savedgame::restoreStatus(status, *saved);
    status.countdown.setEnabled(true);
    if (BoardWindow* boardWindow = game_.boardWindow()) {
        savedgame::restoreBoard(*boardWindow, *saved);
        boardWindow->revive();
    }
    game_.close(*this);
}

// Saving is refused while the game is over, so a saved game is never an ended one.
void ShopWindow::saveGame() {
    ui::Platform& platform = game_.platform();
    const bool saved = savefile::write(savefile::path(platform),
                                       savedgame::capture(game_.mainWindow(), game_.boardWindow()));
    platform.messageBox(saved ? QStringLiteral("Saved!")
                              : QStringLiteral("Could not save the game."));
}
